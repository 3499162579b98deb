// The entry commands of the main window, run in the whole program: the two
// entry dialogs hand over to each other (the one left ends without saving
// and, still inside its handler, runs the other, so modal runs nest and
// unwind innermost first), and the program ends after the dialog whatever
// it did. Button entries without a first subject heading only say so.
#include <QAbstractButton>
#include <QApplication>

#include "EntryTest.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace button_ids = resources::button_entry_ids;

constexpr int kText = resources::kTextEntryDialog;
constexpr int kButtons = resources::kButtonEntryDialog;
constexpr char kNoHeadings[] =
    ": You have not yet set and headings for Button entries\nUse the 'Setup' option to do this";

// Each fills its dialog with something that must not be stored, then switches.
void ToButtons(framework::TDialog& d) {
    Type(d, text_ids::kSummaryBox, "Dropped");
    Click(d, text_ids::kSwitchButton);
    EXPECT_FALSE(d.IsRunning());
}
void ToText(framework::TDialog& d) {
    Click(d, button_ids::ScoreButton(0, 0));
    Click(d, button_ids::kSwitchButton);
    EXPECT_FALSE(d.IsRunning());
}
void SaveText(framework::TDialog& d) {
    EXPECT_EQ(TextOf(d, text_ids::kSummaryBox), "") << "nothing is carried over";
    Type(d, text_ids::kSummaryBox, "Kept");
    Click(d, text_ids::kOkButton);
}
void SaveButtons(framework::TDialog& d) {
    EXPECT_FALSE(ControlOf<QAbstractButton>(d, button_ids::ScoreButton(0, 0))->isChecked())
        << "nothing is carried over";
    Click(d, button_ids::ScoreButton(5, 10));
    Click(d, button_ids::kOkButton);
}
const Action kCancel = [](framework::TDialog& d) { Click(d, framework::kIdCancel); };
const Action kEscape = [](framework::TDialog& d) { PressKey(d, Qt::Key_Escape); };

// Runs the whole program with the settings file holding only Head0, and
// command on its main window; the dialogs shown get actions in turn, the
// first over the main window.
int RunCommand(const std::string& head0, int command, const std::vector<Action>& actions) {
    WriteFileBytes(session::SettingsPath(), "[Jotwel]\r\nHead0=" + head0 + "\r\n");
    for (std::size_t i = 0; i < actions.size(); ++i) {
        framework::testing::OnNextDialog([&, i](framework::TDialog& d) {
            if (i == 0) {
                EXPECT_NE(dynamic_cast<app::MainWindow*>(d.Parent()), nullptr);
            }
            actions[i](d);
        });
    }
    return RunApp([command](app::MainWindow& w) { w.Command(command); });
}

// Nothing typed or chosen is carried over a switch.
TEST_F(EntryTest, EachSwitchDropsWhatWasEnteredAndTheLastDialogSaves) {
    const struct {
        std::vector<Action> actions = {};  // the first dialog's first
        std::vector<int> shown = {};
        std::vector<std::string> stored = {};  // Text of each record
        std::string head0 = "Work";
        std::vector<std::string> boxes = {};
        int status = 0;
    } cases[] = {
        {.actions = {ToButtons, SaveButtons},
         .shown = {kText, kButtons},
         .stored = {"Work = -1 :  = -1 : = -1  = -1 :  = -1 :  = 10"}},
        {.actions = {ToButtons, ToText, ToButtons, ToText, SaveText},
         .shown = {kText, kButtons, kText, kButtons, kText},
         .stored = {"Kept  = )"}},
        {.actions = {ToText, kEscape}, .shown = {kButtons, kText}},
        {.actions = {kCancel}, .shown = {kText}},
        {.actions = {ToButtons}, .shown = {kText}, .head0 = "-/-", .boxes = {kNoHeadings}},
        {.head0 = "", .boxes = {kNoHeadings}, .status = kWaited},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.shown) + " " + c.head0);
        StartUp();
        const bool buttons = c.shown.empty() || c.shown[0] == kButtons;
        const int command = buttons ? resources::kCmEnterByButtons : resources::kCmEnterByText;
        EXPECT_EQ(RunCommand(c.head0, command, c.actions), c.status);
        EXPECT_EQ(TemplatesShown(), c.shown);
        for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(BoxesShown(), c.boxes);
        EXPECT_EQ(DiaryTexts(), c.stored);
        EXPECT_EQ(SettingsBytes(), "[Jotwel]\r\nHead0=" + c.head0 + "\r\n" +
                                       (c.stored.empty() ? "" : "LastDate=071214\r\n"));
    }
}

}  // namespace
}  // namespace jtest
