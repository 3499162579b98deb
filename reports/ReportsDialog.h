#pragma once
// The event reports dialog (template 2). Show Results (command 1, also
// Enter in a field) lists the entries between the typed start and end dates
// (local days; a date that is not one is refused with a message), only those
// holding the search word when one is typed, and writes the listing file;
// Delete removes the entry whose first line is selected, after the user
// confirms; Print List, hidden until the first Show Results, ends the dialog
// with kPrintListResult so that the caller prints the listing. Close and
// Escape end it with 2.
//
// Show Results sets session::Values().listingLineCount to the number of lines
// the listing file holds after its heading (0 when it could not be
// written); the listing file and that count outlive the dialog.

#include <cstdint>
#include <optional>
#include <string>

#include "framework/Controls.h"
#include "framework/TDialog.h"
#include "listing/Report.h"
#include "resources/ids/ReportsIds.h"

namespace reports {

class ReportsDialog : public framework::TDialog {
public:
    // What Execute returns when the user chose Print List: the button's id.
    static constexpr int kPrintListResult = resources::reports_ids::kPrintListButton;

    // The dialog on template 2; Execute returns framework::kIdCancel (2) or
    // kPrintListResult.
    explicit ReportsDialog(framework::TWindow* parent);

protected:
    void SetupWindow() override;
    bool HandleCommand(int id) override;

private:
    void ShowResults();
    void PrintList();
    void DeleteEntry();
    // Deletes the entry whose first line is line, after the user confirms.
    void DeleteListedEntry(const std::string& line);
    void ShowPrintList(bool visible);
    // The request typed now.
    listing::ReportRequest TypedRequest() const;
    // After the deletion of record: takes its lines out of the list when
    // that leaves what Show Results would list; false when the results must
    // be formed again.
    bool TakeOutListedLines(const store::TEntryRecord& record);
    // Writes the list's entry lines to the listing file afresh.
    void WriteListing();

    // What the list shows, from the last Show Results on: the request it
    // was formed for, its entry rows, and the diary's size then.
    struct Shown {
        listing::ReportRequest request;
        listing::ReportCriteria criteria;
        std::size_t firstListed = 0;
        std::size_t listedCount = 0;
        std::uint64_t diarySize = 0;
    };
    std::optional<Shown> shown_;  // nothing when the list may not be whole

    framework::TListBox results_;
    framework::TEdit startDate_;
    framework::TEdit endDate_;
    framework::TEdit search_;
};

}  // namespace reports
