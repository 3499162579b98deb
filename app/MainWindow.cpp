#include "app/MainWindow.h"

#include "entry/RunButtonEntry.h"
#include "entry/TextEntryDialog.h"
#include "framework/TApplication.h"
#include "help/HelpScreen.h"
#include "reports/PrintListing.h"
#include "reports/ReportsDialog.h"
#include "resources/ResourceIds.h"
#include "session/AppValues.h"
#include "session/StartupValues.h"
#include "setup/EntryPreferenceDialog.h"
#include "setup/HeadingsDialog.h"
#include "setup/NoteTitleDialog.h"

namespace app {
namespace {

constexpr int kX = 55, kY = 75, kWidth = 600, kHeight = 350;
const QColor kLightGrey(192, 192, 192);

}  // namespace

MainWindow::MainWindow(framework::TWindow* parent, std::string title)
    : TFrameWindow(parent, std::move(title)) {
    SetPosition(kX, kY, kWidth, kHeight);
    AssignMenu(resources::kMainMenu);
    SetBackground(kLightGrey);
    printer_ = std::make_unique<framework::TPrinter>();
}

MainWindow::~MainWindow() = default;

void MainWindow::SetupWindow() {
    TFrameWindow::SetupWindow();
    session::AppValues& values = session::Values();
    values.dataDirectory = session::CaptureDataDirectory();
    values.todayPreference = session::ReadTodayPreference();
    exitButton_ = std::make_unique<framework::TButton>(this, resources::kExitButton, "Exit", 470,
                                                       250, 62, 25, true);
    session::TakeTodayAndYesterday(values);
    session::ReadSubjectHeadings(values);
    SetIconSm(resources::kWindowIcon);
}

bool MainWindow::HandleCommand(int id) {
    static const framework::TCommandTable<MainWindow> table{
        {resources::kCmSetSubjectHeadings, &MainWindow::SetSubjectHeadings},
        {resources::kCmSetEntryPreference, &MainWindow::SetEntryPreference},
        {resources::kCmSetTextTitle, &MainWindow::SetTextTitle},
        {resources::kCmEnterByText, &MainWindow::EnterByText},
        {resources::kCmEnterByButtons, &MainWindow::EnterByButtons},
        {resources::kCmSeeEntries, &MainWindow::SeeEntries},
        {resources::kCmGeneralHelp, &MainWindow::ShowGeneralHelp},
        {resources::kCmButtonEntryHelp, &MainWindow::ShowButtonEntryHelp},
        {resources::kCmFurtherButtonEntryHelp, &MainWindow::ShowFurtherButtonEntryHelp},
        {resources::kCmTextEntryHelp, &MainWindow::ShowTextEntryHelp},
        {resources::kCmAbout, &MainWindow::ShowAbout},
        {resources::kExitButton, &MainWindow::ExitButton},
        {resources::kCmSetupExit, &MainWindow::ExitButton},
    };
    return table.Dispatch(*this, id) || TFrameWindow::HandleCommand(id);
}

void MainWindow::SetSubjectHeadings() {
    setup::HeadingsDialog(this).Execute();
}

void MainWindow::SetEntryPreference() {
    setup::EntryPreferenceDialog(this).Execute();
}

void MainWindow::SetTextTitle() {
    setup::NoteTitleDialog(this).Execute();
}

void MainWindow::EnterByText() {
    entry::TextEntryDialog(this).Execute();
    framework::TApplication::PostQuitMessage(0);
}

void MainWindow::EnterByButtons() {
    if (entry::RunButtonEntry(this)) framework::TApplication::PostQuitMessage(0);
}

void MainWindow::SeeEntries() {
    if (reports::ReportsDialog(this).Execute() != reports::ReportsDialog::kPrintListResult) return;
    reports::PrintListing(*printer_, this);
    ExitButton();
}

void MainWindow::ShowGeneralHelp() {
    ShowHelpScreen(resources::kGeneralHelpDialog);
}

void MainWindow::ShowButtonEntryHelp() {
    ShowHelpScreen(resources::kButtonEntryHelpDialog);
}

void MainWindow::ShowFurtherButtonEntryHelp() {
    ShowHelpScreen(resources::kHeadingsHelpDialog);
}

void MainWindow::ShowTextEntryHelp() {
    ShowHelpScreen(resources::kTextEntryHelpDialog);
}

void MainWindow::ShowAbout() {
    ShowHelpScreen(resources::kAboutDialog);
}

void MainWindow::ShowHelpScreen(int templateId) {
    help::HelpScreen(this, templateId).Execute();
}

void MainWindow::ExitButton() {
    CloseWindow(0);
}

}  // namespace app
