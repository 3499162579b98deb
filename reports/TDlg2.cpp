#include "reports/TDlg2.h"

#include <optional>
#include <string>
#include <vector>

#include "app/AppValues.h"
#include "app/VersionWarning.h"
#include "framework/MessageBox.h"
#include "reports/Report.h"
#include "reports/ReportMessages.h"
#include "resources/ResourceIds.h"
#include "store/Diary.h"
#include "store/Versions.h"

namespace reports {
namespace {

constexpr int kResultsList = 101;
constexpr int kStartDateField = 106;
constexpr int kEndDateField = 107;
constexpr int kSearchField = 111;
constexpr int kPrintListButton = 108;
constexpr int kDeleteButton = 109;

// Tab stops of the results list, in dialog units.
const std::vector<int> kTabStops = {40, 90, 140, 180, 400};

void ShowFailure(framework::TWindow* owner, const std::string& text) {
    framework::MessageBox(owner, text, {}, framework::kMbOk | framework::kMbIconStop);
}

}  // namespace

TDlg2::TDlg2(framework::TWindow* parent)
    : TDialog(parent, resources::kReportsDialog),
      results_(this, kResultsList),
      startDate_(this, kStartDateField),
      endDate_(this, kEndDateField),
      search_(this, kSearchField) {}

void TDlg2::SetupWindow() {
    TDialog::SetupWindow();
    ShowPrintList(false);
}

bool TDlg2::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg2> table{
        {framework::kIdOk, &TDlg2::ShowResults},
        {kPrintListButton, &TDlg2::PrintList},
        {kDeleteButton, &TDlg2::DeleteEntry},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg2::ShowResults() {
    results_.SetTabStops(kTabStops);
    const ReportRequest request{startDate_.GetText(kTypedTextLimit),
                                endDate_.GetText(kTypedTextLimit), search_.GetText(kTypedTextLimit),
                                app::Values().todayShortDate};
    const ReportResult report = MakeReport(app::Values().dataDirectory, request);
    results_.ClearList();
    results_.AddStrings(report.listLines);
    app::Values().listingLineCount = report.listingLineCount;
    ShowPrintList(true);
    if (!report.diaryStatus.ok()) {
        ShowFailure(this, DiaryNotReadText(report.diaryStatus));
    }
    if (!report.listingStatus.ok()) {
        ShowFailure(this, ListingNotSavedText(report.listingStatus));
    }
}

void TDlg2::PrintList() {
    CloseWindow(kPrintListResult);
}

void TDlg2::DeleteEntry() {
    const int selected = results_.GetSelIndex();
    DeleteListedEntry(selected < 0 ? std::string() : results_.GetString(selected));
}

void TDlg2::DeleteListedEntry(const std::string& line) {
    const std::string& dataDir = app::Values().dataDirectory;
    platform::Status readStatus;
    const std::optional<store::RecordLocation> found =
        store::FindKeyForLine(dataDir, line, &readStatus);
    if (!readStatus.ok()) {
        framework::MessageBox(this, DeleteFailedText(readStatus), kDeleteErrorCaption);
        return;
    }
    if (!found) {
        framework::MessageBox(this, kSelectFirstLineText, kNothingToDeleteCaption);
        return;
    }
    const int answer = framework::MessageBox(this, DeleteConfirmText(found->record.Key, line),
                                             kDeleteConfirmCaption,
                                             framework::kMbYesNo | framework::kMbIconQuestion);
    if (answer != framework::kIdYes) {
        return;
    }
    // Every deletion keeps a version first; one that cannot be kept does not
    // stop the deletion, and is told after the deletion's own message.
    const platform::Status version =
        store::KeepVersionBeforeChange(dataDir, store::DiaryChange::kDeletion);
    bool inPlace = false;
    const platform::Status deleted = store::DeleteRecordAt(dataDir, *found, &inPlace);
    if (!inPlace) {
        framework::MessageBox(this, DeleteFailedText(deleted), kDeleteErrorCaption);
        app::ReportVersionFailure(this, version);
        return;
    }
    // Deleted, even when the disk then failed to confirm it: the list must
    // not offer the gone entry's line again, or a second Delete would take
    // another entry listed the same way.
    results_.ClearList();
    framework::MessageBox(
        this, deleted.ok() ? std::string(kEntryDeletedText) : DeleteNotConfirmedText(deleted));
    app::ReportVersionFailure(this, version);
    ShowResults();
}

void TDlg2::ShowPrintList(bool visible) {
    framework::TButton(this, kPrintListButton).Show(visible);
}

}  // namespace reports
