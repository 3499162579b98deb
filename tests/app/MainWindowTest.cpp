// The main window: its menu, its start-up values and the ways it ends.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "GuiTest.h"
#include "TestEnvironment.h"
#include "app/AppValues.h"
#include "app/Settings.h"
#include "app/TApp.h"
#include "app/TWndw.h"
#include "framework/DialogWidget.h"
#include "framework/MessageBox.h"
#include "platform/FaultEnv.h"
#include "store/Diary.h"

namespace jtest {
namespace {

// 7 December 2014 21:05:09 UTC, a Sunday.
constexpr std::int64_t kNow = 1417986309;

class MainWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        app::ResetValues();
    }
    void TearDown() override {
        app::ResetValues();
        GuiTest::TearDown();
    }
    std::unique_ptr<app::TWndw> MakeWindow() {
        auto window = std::make_unique<app::TWndw>(nullptr, "Jotwel");
        window->Create();
        return window;
    }
    platform::ClockEnv clock_{platform::PosixEnv(), kNow};
    platform::ScopedEnv useClock_{&clock_};
};

// "text" for a command, ">text" for a popup, "-" for a separator.
std::vector<std::string> Describe(const QList<QAction*>& actions) {
    std::vector<std::string> items;
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            items.push_back("-");
        } else if (action->menu()) {
            items.push_back(">" + action->text().toStdString());
            for (const std::string& sub : Describe(action->menu()->actions())) {
                items.push_back("  " + sub);
            }
        } else {
            items.push_back(action->text().toStdString() + " " +
                            std::to_string(action->data().toInt()));
        }
    }
    return items;
}

TEST_F(MainWindowTest, MenuBarHasItsItemsInOrder) {
    auto window = MakeWindow();
    EXPECT_EQ(Describe(window->MenuBar()->actions()),
              (std::vector<std::string>{
                  ">Setup",
                  "  Set Subect &Headings 11847",
                  "  &Set Entry Preference 11846",
                  "  Set &Text Title 11853",
                  "  E&xit 108",
                  "Enter-by-&Text 11845",
                  "Enter-by-&Buttons 11842",
                  "&See-Entries 11851",
                  ">&Help",
                  "  &General Help 11848",
                  "  &Button Entry Help 11850",
                  "  &Further Button Entry Help 11852",
                  "  &Text Entry Help 11849",
                  "  -",
                  "  &About 11844",
              }));
}

TEST_F(MainWindowTest, LooksAsItShould) {
    auto window = MakeWindow();
    QWidget* frame = window->Widget();
    EXPECT_EQ(frame->windowTitle(), "Jotwel");
    EXPECT_EQ(frame->pos(), QPoint(55, 75));
    EXPECT_EQ(frame->size(), QSize(600, 350));
    EXPECT_EQ(window->Client()->palette().color(QPalette::Window), QColor(192, 192, 192));
    auto* exit = window->Client()->findChild<QPushButton*>("ctl201");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "Exit");
    EXPECT_EQ(exit->geometry(), QRect(470, 250, 62, 25));
    EXPECT_FALSE(frame->windowIcon().isNull());
}

TEST_F(MainWindowTest, StartupFillsTheProcessWideValues) {
    WriteFileBytes(ConfigDir() + "/ZORVANT.INI",
                   "[JOTWEL]\r\nTODAY=ToDay\r\nHead0=Work\r\nHead1=A123456789B123456789C123456789\r\n"
                   "Head5=  Weather  \r\n");
    auto window = MakeWindow();
    const app::TAppValues& v = app::Values();
    EXPECT_EQ(v.dataDirectory, TestDir());
    EXPECT_TRUE(v.todayPreference);
    EXPECT_EQ(v.todayInstant, kNow);
    EXPECT_EQ(v.yesterdayInstant, kNow - 86400);
    EXPECT_EQ(v.todayCompactDate, "071214");
    EXPECT_EQ(v.todayShortDate, "07/12/14");
    EXPECT_EQ(v.headings[0], "Work");
    EXPECT_EQ(v.headings[1], "A123456789B123456789C123");  // 24 bytes at most
    EXPECT_EQ(v.headings[2], "");
    EXPECT_EQ(v.headings[5], "Weather");
    EXPECT_EQ(v.noteTitle, "Most Memorable Event");
}

TEST_F(MainWindowTest, TodayPreferenceNeedsTheExactWord) {
    for (const char* stored : {"today", "TODAY", "ToDay ", "No", ""}) {
        app::WriteSetting("ToDay", stored);
        auto window = MakeWindow();
        EXPECT_EQ(app::Values().todayPreference, std::string(stored) == "ToDay ") << stored;
    }
}

TEST_F(MainWindowTest, ButtonEntriesWithoutHeadingsShowTheMessageAndCarryOn) {
    for (const char* heading : {"", "  ", "-/-"}) {
        app::WriteSetting("Head0", heading);
        auto window = MakeWindow();
        window->Command(11842);
        const auto box = LastMessageBox();
        EXPECT_EQ(box.text,
                  "You have not yet set and headings for Button entries\n"
                  "Use the 'Setup' option to do this");
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.flags, framework::kMbOk);
        EXPECT_TRUE(window->Widget() != nullptr);
    }
}

TEST_F(MainWindowTest, DialogsOpenAtTheirPlaceInTheClientArea) {
    auto window = MakeWindow();
    window->Show();
    // The About box sits at 0, 0 of the client area, the general help at 1, 1.
    for (const auto& [command, x, y] : {std::tuple{11844, 0, 0}, std::tuple{11848, 1, 1}}) {
        QPoint placed, expected;
        framework::testing::OnNextDialog([&, x = x, y = y](framework::TDialog& d) {
            const framework::DialogUnits& units = d.Dialog()->units();
            expected = window->Client()->mapToGlobal(QPoint(units.X(x), units.Y(y)));
            placed = d.Widget()->pos();
            d.EndDialog(2);
        });
        window->Command(command);
        EXPECT_EQ(placed, expected) << command;
    }
}

// Runs the whole application; `act` runs once the loop has started.
int RunApp(std::function<void(app::TWndw&)> act) {
    int argc = 1;
    char name[] = "jotwel";
    char* argv[] = {name, nullptr};
    app::TApp application(argc, argv);
    QTimer::singleShot(0, [&] { act(static_cast<app::TWndw&>(*application.MainWindow())); });
    return application.Run();
}

TEST_F(MainWindowTest, SeeEntriesEndsTheProgramOnlyThroughPrintList) {
    bool stillRunning = false;
    framework::testing::OnNextDialog([](framework::TDialog& d) { Click(d, 2); });
    EXPECT_EQ(RunApp([&](app::TWndw& w) {
                  w.Command(11851);
                  stillRunning = w.Widget()->isVisible();
                  w.CloseWindow(7);
              }),
              7);
    EXPECT_TRUE(stillRunning);
    // Nothing listed, so nothing is printed and no print dialog is shown.
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        Click(d, 1);    // Show Results
        Click(d, 108);  // Print List
    });
    EXPECT_EQ(RunApp([](app::TWndw& w) { w.Command(11851); }), 0);
    EXPECT_TRUE(framework::testing::PrintDialogsShown().empty());
}

TEST_F(MainWindowTest, PrintListPrintsTheListingThenEndsTheProgram) {
    store::TEntryRecord entry{"Went to the coast  = Saw seals)", "06/12/14 @ 10:00:00",
                              static_cast<std::int32_t>(kNow - 40000), 7};
    ASSERT_TRUE(store::AppendRecord(TestDir(), entry).ok());
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        Click(d, 1);
        Click(d, 108);
    });
    framework::testing::AnswerNextPrintDialog(
        framework::testing::PrintDialogAnswer::PdfFile(InTestDir("list.pdf")));
    EXPECT_EQ(RunApp([](app::TWndw& w) { w.Command(11851); }), 0);
    const std::string pdf = ReadFileBytes(InTestDir("list.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
}

TEST_F(MainWindowTest, ExitButtonCloseBoxAndSetupExitEndTheProgram) {
    EXPECT_EQ(RunApp([](app::TWndw& w) {
                  w.Client()->findChild<QPushButton*>("ctl201")->click();
              }),
              0);
    EXPECT_EQ(RunApp([](app::TWndw& w) { w.Widget()->close(); }), 0);
    EXPECT_EQ(RunApp([](app::TWndw& w) {
                  w.Widget()->findChild<QAction*>("cmd108")->trigger();
              }),
              0);
}

}  // namespace
}  // namespace jtest
