#include "reports/ReportsDialog.h"

#include <optional>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "listing/Report.h"
#include "listing/ReportMessages.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ReportsIds.h"
#include "session/AppValues.h"
#include "store/Diary.h"
#include "store/Versions.h"

namespace reports {
namespace {

namespace ids = resources::reports_ids;

// Tab stops of the results list, in dialog units.
const std::vector<int> kTabStops = {40, 90, 140, 180, 400};

void ShowFailure(framework::TWindow* owner, const std::string& text) {
    framework::MessageBox(owner, text, {}, framework::kMbOk | framework::kMbIconStop);
}

}  // namespace

ReportsDialog::ReportsDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kReportsDialog),
      results_(this, ids::kResultsList),
      startDate_(this, ids::kStartDateBox),
      endDate_(this, ids::kEndDateBox),
      search_(this, ids::kSearchBox) {}

void ReportsDialog::SetupWindow() {
    TDialog::SetupWindow();
    ShowPrintList(false);
}

bool ReportsDialog::HandleCommand(int id) {
    static const framework::TCommandTable<ReportsDialog> table{
        {framework::kIdOk, &ReportsDialog::ShowResults},
        {ids::kPrintListButton, &ReportsDialog::PrintList},
        {ids::kDeleteButton, &ReportsDialog::DeleteEntry},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void ReportsDialog::ShowResults() {
    results_.SetTabStops(kTabStops);
    const listing::ReportRequest request{
        startDate_.GetText(listing::kTypedTextLimit), endDate_.GetText(listing::kTypedTextLimit),
        search_.GetText(listing::kTypedTextLimit), session::Values().todayShortDate};
    // A date that is not a date lists nothing and keeps the list as it was.
    if (const auto refusal = listing::CheckTypedDates(request)) {
        framework::MessageBox(this, refusal->message, dates::kNotADateCaption);
        return;
    }
    const listing::ReportResult report =
        listing::MakeReport(session::Values().dataDirectory, request);
    results_.ClearList();
    results_.AddStrings(report.listLines);
    session::Values().listingLineCount = report.listingLineCount;
    ShowPrintList(true);
    if (!report.diaryStatus.ok()) {
        ShowFailure(this, listing::DiaryNotReadText(report.diaryStatus));
    }
    if (!report.listingStatus.ok()) {
        ShowFailure(this, listing::ListingNotSavedText(report.listingStatus));
    }
}

void ReportsDialog::PrintList() {
    CloseWindow(kPrintListResult);
}

void ReportsDialog::DeleteEntry() {
    const int selected = results_.GetSelIndex();
    DeleteListedEntry(selected < 0 ? std::string() : results_.GetString(selected));
}

void ReportsDialog::DeleteListedEntry(const std::string& line) {
    const std::string& dataDir = session::Values().dataDirectory;
    platform::Status readStatus;
    const std::optional<store::RecordLocation> found =
        store::FindKeyForLine(dataDir, line, &readStatus);
    if (!readStatus.ok()) {
        framework::MessageBox(this, listing::DeleteFailedText(readStatus),
                              listing::kDeleteErrorCaption);
        return;
    }
    if (!found) {
        framework::MessageBox(this, listing::kSelectFirstLineText,
                              listing::kNothingToDeleteCaption);
        return;
    }
    const int answer = framework::MessageBox(
        this, listing::DeleteConfirmText(found->record.Key, line), listing::kDeleteConfirmCaption,
        framework::kMbYesNo | framework::kMbIconQuestion);
    if (answer != framework::kIdYes) {
        return;
    }
    // Every deletion keeps a version; one that cannot be kept does not stop
    // the deletion, and is told after the deletion's own message. A
    // deletion that was not made (the diary busy with another copy's
    // change, a full disk) keeps the dialog as it is.
    store::VersionRequest version(store::DiaryChange::kDeletion);
    bool inPlace = false;
    const platform::Status deleted = store::DeleteRecordAt(dataDir, *found, &inPlace, &version);
    if (!inPlace) {
        framework::MessageBox(this, listing::DeleteFailedText(deleted),
                              listing::kDeleteErrorCaption);
        return;
    }
    // Deleted, even when the disk then failed to confirm it: the list must
    // not offer the gone entry's line again, or a second Delete would take
    // another entry listed the same way.
    results_.ClearList();
    framework::MessageBox(this, deleted.ok() ? std::string(listing::kEntryDeletedText)
                                             : listing::DeleteNotConfirmedText(deleted));
    framework::ReportVersionFailure(this, version.status);
    ShowResults();
}

void ReportsDialog::ShowPrintList(bool visible) {
    framework::TButton(this, ids::kPrintListButton).Show(visible);
}

}  // namespace reports
