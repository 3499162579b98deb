#pragma once
// The main window: a light grey frame with the menu bar and one "Exit"
// button. Its set-up fills the process-wide start-up values; its commands
// open the dialogs.

#include <memory>
#include <string>

#include "framework/Controls.h"
#include "framework/TFrameWindow.h"
#include "framework/print/TPrinter.h"

namespace app {

class MainWindow : public framework::TFrameWindow {
public:
    MainWindow(framework::TWindow* parent, std::string title);
    ~MainWindow() override;

protected:
    void SetupWindow() override;
    bool HandleCommand(int id) override;

private:
    // Setup menu: each runs its setup dialog; the main window waits again.
    void SetSubjectHeadings();
    void SetEntryPreference();
    void SetTextTitle();
    // Each runs its entry dialog, then ends the program whatever the dialog
    // did; EnterByButtons first needs a first subject heading, and without
    // one only says so and the main window waits again.
    void EnterByText();
    void EnterByButtons();
    // Runs the event reports; left through "Print List", the listing is
    // printed and the program ends; closed, the main window waits again.
    void SeeEntries();
    // Help menu: each shows its screen; the main window waits again.
    void ShowGeneralHelp();
    void ShowButtonEntryHelp();
    void ShowFurtherButtonEntryHelp();
    void ShowTextEntryHelp();
    void ShowAbout();
    void ShowHelpScreen(int templateId);
    void ExitButton();

    // The printer of the print run, for the window's whole life.
    std::unique_ptr<framework::TPrinter> printer_;
    std::unique_ptr<framework::TButton> exitButton_;
};

}  // namespace app
