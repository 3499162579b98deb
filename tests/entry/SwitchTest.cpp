// The two entry dialogs hand over to each other: the one left ends without
// saving and, still inside its handler, runs the other, so modal runs nest
// and unwind innermost first. The main window's entry commands end the
// program after their dialog, whatever it did.
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include "EntryTest.h"
#include "app/TApp.h"
#include "app/TWndw.h"
#include "entry/TDlg1.h"
#include "entry/TDlg4.h"
#include "resources/ResourceIds.h"

namespace jtest {
namespace {

constexpr int kText = resources::kTextEntryDialog;
constexpr int kButtons = resources::kButtonEntryDialog;
constexpr int kToButtons = 119;
constexpr int kToText = 179;

using Action = std::function<void(framework::TDialog&)>;

// Fills the text entry dialog with something that must not be stored, then
// switches to the button entry dialog.
void TypeAndSwitchToButtons(framework::TDialog& d) {
    Type(d, 102, "Dropped");
    Click(d, 108);
    Click(d, kToButtons);
    EXPECT_FALSE(d.IsRunning());
}
void ScoreAndSwitchToText(framework::TDialog& d) {
    Click(d, 101);
    Click(d, kToText);
    EXPECT_FALSE(d.IsRunning());
}
void SaveText(framework::TDialog& d) {
    EXPECT_EQ(TextOf(d, 102), "") << "nothing is carried over";
    Type(d, 102, "Kept");
    Click(d, 1);
}
void SaveButtons(framework::TDialog& d) {
    for (int id = 101; id <= 166; ++id) {
        EXPECT_FALSE(ControlOf<QAbstractButton>(d, id)->isChecked()) << "nothing is carried over";
    }
    Click(d, 101 + 11 * 5 + 10);
    Click(d, 1);
}

struct Case {
    const char* name;
    int first;  // the dialog opened by the caller
    std::vector<Action> actions;
    std::vector<int> shown;
    const char* stored;  // Text of the one record, or nullptr: nothing stored
};

class SwitchTest : public EntryTest {};

TEST_F(SwitchTest, EachSwitchDropsWhatWasEnteredAndTheLastDialogSaves) {
    const char* buttonText =
        "Work = -1 : Health = -1 :Money = -1 Family = -1 : Hobby = -1 : Weather = 10";
    const Case cases[] = {
        {"text to buttons",
         kText,
         {TypeAndSwitchToButtons, SaveButtons},
         {kText, kButtons},
         buttonText},
        {"buttons to text",
         kButtons,
         {ScoreAndSwitchToText, SaveText},
         {kButtons, kText},
         "Kept  = )"},
        {"there and back twice",
         kText,
         {TypeAndSwitchToButtons, ScoreAndSwitchToText, TypeAndSwitchToButtons,
          ScoreAndSwitchToText, SaveText},
         {kText, kButtons, kText, kButtons, kText},
         "Kept  = )"},
        {"switched then cancelled",
         kButtons,
         {ScoreAndSwitchToText, [](framework::TDialog& d) { Click(d, 2); }},
         {kButtons, kText},
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(InTestDir("Jotwel.dat").c_str());
        std::remove(app::SettingsPath().c_str());
        framework::testing::ResetSeams();
        for (const Action& action : c.actions) framework::testing::OnNextDialog(action);
        int result = 0;
        if (c.first == kText) result = entry::TDlg1(nullptr).Execute();
        if (c.first == kButtons) result = entry::TDlg4(nullptr).Execute();
        EXPECT_EQ(result, framework::kIdCancel);
        EXPECT_EQ(TemplatesShown(), c.shown);
        EXPECT_TRUE(AllClosedByTheirActions());
        for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible());
        const auto records = DiaryRecords();
        if (!c.stored) {
            EXPECT_TRUE(records.empty());
            EXPECT_EQ(SettingsBytes(), "");
            continue;
        }
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Text, c.stored);
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

// Without a first subject heading the text entry dialog closes with the
// message, and no button entry dialog opens.
TEST_F(SwitchTest, NoFirstHeadingClosesWithTheMessage) {
    for (const char* first : {"", "   ", "-/-"}) {
        SCOPED_TRACE(first);
        framework::testing::ResetSeams();
        app::Values().headings[0] = first;
        framework::TDialog* textDialog = nullptr;
        RunDialog<entry::TDlg1>([&textDialog](framework::TDialog& d) {
            textDialog = &d;
            TypeAndSwitchToButtons(d);
        });
        EXPECT_EQ(TemplatesShown(), std::vector<int>{kText});
        EXPECT_TRUE(AllClosedByTheirActions());
        const auto& boxes = framework::testing::MessageBoxesShown();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text,
                  "You have not yet set and headings for Button entries\n"
                  "Use the 'Setup' option to do this");
        EXPECT_EQ(boxes[0].caption, "");
        EXPECT_EQ(boxes[0].flags, framework::kMbOk);
        EXPECT_TRUE(DiaryRecords().empty());
    }
}

// Runs the whole program; act runs on the main window once the loop has
// started. A program still running two seconds later is ended with 99.
int RunProgram(std::function<void(app::TWndw&)> act) {
    int argc = 1;
    char name[] = "jotwel";
    char* argv[] = {name, nullptr};
    app::TApp application(argc, argv);
    QTimer::singleShot(0, [&] { act(static_cast<app::TWndw&>(*application.MainWindow())); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout,
                     [] { framework::TApplication::PostQuitMessage(99); });
    guard.start(2000);
    return application.Run();
}

TEST_F(SwitchTest, EntryCommandsRunTheirDialogOverTheMainWindowThenEndTheProgram) {
    WriteFileBytes(app::SettingsPath(), "[Jotwel]\r\nHead0=Work\r\n");
    struct Command {
        int id;
        int templateId;
        Action action;
    };
    const Command commands[] = {
        {resources::kCmEnterByText, kText, [](framework::TDialog& d) { Click(d, 2); }},
        {resources::kCmEnterByText, kText, TypeAndSwitchToButtons},
        {resources::kCmEnterByButtons, kButtons, [](framework::TDialog& d) { Click(d, 2); }},
        {resources::kCmEnterByButtons, kButtons, ScoreAndSwitchToText},
    };
    for (const Command& command : commands) {
        SCOPED_TRACE(command.id);
        framework::testing::ResetSeams();
        framework::TWindow* mainWindow = nullptr;
        framework::TWindow* parent = nullptr;
        framework::testing::OnNextDialog([&](framework::TDialog& d) {
            parent = d.Parent();
            command.action(d);
        });
        const int status = RunProgram([&](app::TWndw& window) {
            mainWindow = &window;
            window.Command(command.id);
        });
        EXPECT_EQ(status, 0);
        EXPECT_EQ(parent, mainWindow);
        ASSERT_FALSE(framework::testing::DialogsShown().empty());
        EXPECT_EQ(framework::testing::DialogsShown()[0].templateId, command.templateId);
    }
}

// Without a first subject heading Enter-by-Buttons only says so, and the
// main window waits for the next command.
TEST_F(SwitchTest, EnterByButtonsWithoutHeadingsKeepsTheProgramRunning) {
    const int status = RunProgram([](app::TWndw& window) {
        window.Command(resources::kCmEnterByButtons);
        framework::TApplication::PostQuitMessage(7);
    });
    EXPECT_EQ(status, 7);
    EXPECT_TRUE(framework::testing::DialogsShown().empty());
    EXPECT_EQ(LastMessageBox().text,
              "You have not yet set and headings for Button entries\n"
              "Use the 'Setup' option to do this");
}

}  // namespace
}  // namespace jtest
