#include "reports/ReportsDialog.h"

#include <optional>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "listing/ListingFile.h"
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

listing::ReportRequest ReportsDialog::TypedRequest() const {
    return {startDate_.GetText(listing::kTypedTextLimit),
            endDate_.GetText(listing::kTypedTextLimit), search_.GetText(listing::kTypedTextLimit),
            session::Values().todayShortDate};
}

void ReportsDialog::ShowResults() {
    results_.SetTabStops(kTabStops);
    const std::string& dataDir = session::Values().dataDirectory;
    const listing::ReportRequest request = TypedRequest();
    // A date that is not a date lists nothing and keeps the list as it was.
    if (const auto refusal = listing::CheckTypedDates(request)) {
        framework::MessageBox(this, refusal->message, dates::kNotADateCaption);
        return;
    }
    std::uint64_t diarySize = 0;
    const bool sized =
        platform::Env::Default()->GetFileSize(store::DiaryPath(dataDir), &diarySize).ok();
    results_.ClearList();
    const listing::ReportResult report = listing::MakeReport(
        dataDir, request, [this](std::vector<std::string>& lines) { results_.AddStrings(lines); });
    session::Values().listingLineCount = report.listingLineCount;
    shown_.reset();
    if (sized && report.diaryStatus.ok() && report.listingStatus.ok()) {
        shown_ = Shown{request, report.criteria, report.firstListed, report.listedCount, diarySize};
    }
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
    const bool listed = TakeOutListedLines(found->record);
    if (!listed) {
        // Until the list is formed again nothing listed is left to print: a
        // Show Results refused for a mistyped date must not leave the gone
        // entry in the listing that Print List prints.
        results_.ClearList();
        session::Values().listingLineCount = 0;
        ShowPrintList(false);
    }
    framework::MessageBox(this, deleted.ok() ? std::string(listing::kEntryDeletedText)
                                             : listing::DeleteNotConfirmedText(deleted));
    framework::ReportVersionFailure(this, version.status);
    if (listed) {
        WriteListing();
    } else {
        ShowResults();
    }
}

bool ReportsDialog::TakeOutListedLines(const store::TEntryRecord& record) {
    std::optional<Shown> shown = std::move(shown_);
    shown_.reset();
    std::uint64_t diarySize = 0;
    // The list stands for the diary only when nothing else changed it since
    // (another copy of the program) and the fields still ask for this list.
    if (!shown || !(shown->request == TypedRequest()) ||
        !platform::Env::Default()
             ->GetFileSize(store::DiaryPath(session::Values().dataDirectory), &diarySize)
             .ok() ||
        diarySize + store::RecordSize != shown->diarySize) {
        return false;
    }
    const std::optional<listing::ListRows> rows = listing::FindListedRows(
        shown->criteria, record, shown->firstListed, shown->firstListed + shown->listedCount,
        [this](std::size_t row) { return results_.Line(static_cast<int>(row)); });
    if (!rows) {
        return false;
    }
    results_.DeleteStrings(static_cast<int>(rows->first), static_cast<int>(rows->count));
    shown->listedCount -= rows->count;
    shown->diarySize = diarySize;
    shown_ = std::move(shown);
    return true;
}

void ReportsDialog::WriteListing() {
    // The listing file holds the list's entry lines, as Show Results writes it.
    listing::TListingFile listingFile;
    (void)listingFile.OpenListingFile(session::Values().dataDirectory);  // kept by its close
    const std::size_t end = shown_->firstListed + shown_->listedCount;
    for (std::size_t row = shown_->firstListed; row < end; ++row) {
        (void)listingFile.AppendListingLine(results_.Line(static_cast<int>(row)));  // likewise
    }
    const platform::Status written = listingFile.CloseListingFile();
    session::Values().listingLineCount = written.ok() ? static_cast<int>(shown_->listedCount) : 0;
    if (!written.ok()) {
        shown_.reset();  // as after a Show Results whose listing failed
        ShowFailure(this, listing::ListingNotSavedText(written));
    }
}

void ReportsDialog::ShowPrintList(bool visible) {
    framework::TButton(this, ids::kPrintListButton).Show(visible);
}

}  // namespace reports
