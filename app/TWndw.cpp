#include "app/TWndw.h"

#include "app/AppValues.h"
#include "app/StartupValues.h"
#include "entry/RunButtonEntry.h"
#include "entry/TDlg1.h"
#include "framework/TApplication.h"
#include "reports/PrintListing.h"
#include "reports/TDlg2.h"
#include "resources/ResourceIds.h"
#include "setup/TDlg11.h"
#include "setup/TDlg3.h"
#include "setup/TDlg5.h"
#include "setup/TDlg7.h"

namespace app {
namespace {

constexpr int kX = 55, kY = 75, kWidth = 600, kHeight = 350;
const QColor kLightGrey(192, 192, 192);

}  // namespace

TWndw::TWndw(framework::TWindow* parent, std::string title)
    : TFrameWindow(parent, std::move(title)) {
    SetPosition(kX, kY, kWidth, kHeight);
    AssignMenu(resources::kMainMenu);
    SetBackground(kLightGrey);
    printer_ = std::make_unique<framework::TPrinter>();
}

TWndw::~TWndw() = default;

void TWndw::SetupWindow() {
    TFrameWindow::SetupWindow();
    TAppValues& values = Values();
    values.dataDirectory = CaptureDataDirectory();
    values.todayPreference = ReadTodayPreference();
    exitButton_ = std::make_unique<framework::TButton>(this, resources::kExitButton, "Exit", 470,
                                                       250, 62, 25, true);
    TakeTodayAndYesterday(values);
    ReadSubjectHeadings(values);
    SetIconSm(resources::kWindowIcon);
    if (values.autoMode && TodayAlreadyEntered(values)) {
        framework::TApplication::PostQuitMessage(0);
    }
}

bool TWndw::HandleCommand(int id) {
    static const framework::TCommandTable<TWndw> table{
        {resources::kCmSetSubjectHeadings, &TWndw::SetSubjectHeadings},
        {resources::kCmSetEntryPreference, &TWndw::SetEntryPreference},
        {resources::kCmSetTextTitle, &TWndw::SetTextTitle},
        {resources::kCmEnterByText, &TWndw::EnterByText},
        {resources::kCmEnterByButtons, &TWndw::EnterByButtons},
        {resources::kCmSeeEntries, &TWndw::SeeEntries},
        {resources::kCmGeneralHelp, &TWndw::ShowGeneralHelp},
        {resources::kCmButtonEntryHelp, &TWndw::ShowButtonEntryHelp},
        {resources::kCmFurtherButtonEntryHelp, &TWndw::ShowFurtherButtonEntryHelp},
        {resources::kCmTextEntryHelp, &TWndw::ShowTextEntryHelp},
        {resources::kCmAbout, &TWndw::ShowAbout},
        {resources::kExitButton, &TWndw::ExitButton},
        {resources::kCmSetupExit, &TWndw::ExitButton},
    };
    return table.Dispatch(*this, id) || TFrameWindow::HandleCommand(id);
}

void TWndw::SetSubjectHeadings() {
    setup::TDlg7(this).Execute();
}

void TWndw::SetEntryPreference() {
    setup::TDlg5(this).Execute();
}

void TWndw::SetTextTitle() {
    setup::TDlg11(this).Execute();
}

void TWndw::EnterByText() {
    entry::TDlg1(this).Execute();
    framework::TApplication::PostQuitMessage(0);
}

void TWndw::EnterByButtons() {
    if (entry::RunButtonEntry(this)) framework::TApplication::PostQuitMessage(0);
}

void TWndw::SeeEntries() {
    if (reports::TDlg2(this).Execute() != reports::TDlg2::kPrintListResult) return;
    reports::PrintListing(*printer_, this);
    ExitButton();
}

void TWndw::ShowGeneralHelp() {
    ShowHelpScreen(resources::kGeneralHelpDialog);
}

void TWndw::ShowButtonEntryHelp() {
    ShowHelpScreen(resources::kButtonEntryHelpDialog);
}

void TWndw::ShowFurtherButtonEntryHelp() {
    ShowHelpScreen(resources::kHeadingsHelpDialog);
}

void TWndw::ShowTextEntryHelp() {
    ShowHelpScreen(resources::kTextEntryHelpDialog);
}

void TWndw::ShowAbout() {
    ShowHelpScreen(resources::kAboutDialog);
}

void TWndw::ShowHelpScreen(int templateId) {
    setup::TDlg3(this, templateId).Execute();
}

void TWndw::ExitButton() { CloseWindow(0); }

}  // namespace app
