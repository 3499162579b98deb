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

#include <string>

#include "framework/Controls.h"
#include "framework/TDialog.h"
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

    framework::TListBox results_;
    framework::TEdit startDate_;
    framework::TEdit endDate_;
    framework::TEdit search_;
};

}  // namespace reports
