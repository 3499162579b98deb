// The main window: its menu and looks, the values start-up leaves, where
// its dialogs open, and which ways end the program and which leave it
// waiting (a start at log-on included).
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "GuiTest.h"
#include "TestEnvironment.h"
#include "app/JotwelApplication.h"
#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ReportsIds.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "session/StartupValues.h"
#include "store/Diary.h"
#include "support/env/FaultEnv.h"

namespace jtest {
namespace {

// 7 December 2014 21:05:09 UTC, a Sunday.
constexpr std::int64_t kNow = 1417986309;
// What RunApp returns for a program still waiting at its main window.
constexpr int kWaited = 7;

using WindowAction = std::function<void(app::MainWindow&)>;

class MainWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        session::ResetValues();
    }
    std::unique_ptr<app::MainWindow> MakeWindow() {
        auto window = std::make_unique<app::MainWindow>(nullptr, "Jotwel");
        window->Create();
        return window;
    }
    platform::ClockEnv clock_{platform::PosixEnv(), kNow};
    platform::ScopedEnv useClock_{&clock_};
};

// "text id" for a command, ">text" for a popup, "-" for a separator.
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

// Runs the whole program; act (if any) runs once its loop has started.
// Method: act, and then a second posted call that closes the main window
// with kWaited while it is still shown, each run from the loop in turn. A
// program that ends posts its quit before that second call (at start-up,
// or from act), so the loop stops first and the call dies with the window.
int RunApp(const WindowAction& act = nullptr) {
    int argc = 1;
    char name[] = "jotwel";
    char* argv[] = {name, nullptr};
    app::JotwelApplication application(argc, argv);
    QTimer::singleShot(0, [&] {
        auto& window = static_cast<app::MainWindow&>(*application.MainWindow());
        if (act) act(window);
        QTimer::singleShot(0, window.Widget(), [&window] {
            if (window.Widget()->isVisible()) window.CloseWindow(kWaited);
        });
    });
    const int status = application.Run();
    // A quit posted once the loop had stopped (by a fault) must not stop the next test's loop.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    return status;
}

TEST_F(MainWindowTest, LooksAsItShould) {
    auto window = MakeWindow();
    EXPECT_EQ(
        Describe(window->MenuBar()->actions()),
        (std::vector<std::string>{
            ">Setup", "  Set Subect &Headings 11847", "  &Set Entry Preference 11846",
            "  Set &Text Title 11853", "  E&xit 108", "Enter-by-&Text 11845",
            "Enter-by-&Buttons 11842", "&See-Entries 11851", ">&Help", "  &General Help 11848",
            "  &Button Entry Help 11850", "  &Further Button Entry Help 11852",
            "  &Text Entry Help 11849", "  -", "  &About 11844"}));
    QWidget* frame = window->Widget();
    EXPECT_EQ(frame->windowTitle(), "Jotwel");
    EXPECT_EQ(QRect(frame->pos(), frame->size()), QRect(55, 75, 600, 350));
    EXPECT_EQ(window->Client()->palette().color(QPalette::Window), QColor(192, 192, 192));
    auto* exit = window->Client()->findChild<QPushButton*>(
        QString::fromStdString(ControlName(resources::kExitButton)));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "Exit");
    EXPECT_EQ(exit->geometry(), QRect(470, 250, 62, 25));
    EXPECT_FALSE(frame->windowIcon().isNull());
}

// Keys and section are found in any case; a heading keeps 24 bytes; only
// the exact word ToDay (spaces round it trimmed) makes entries for today.
TEST_F(MainWindowTest, StartupFillsTheProcessWideValues) {
    WriteFileBytes(
        ConfigDir() + "/ZORVANT.INI",
        "[JOTWEL]\r\nTODAY=ToDay\r\nHead0=Work\r\nHead1=A123456789B123456789C123456789\r\n"
        "Head5=  Weather  \r\n");
    auto window = MakeWindow();
    const session::AppValues& v = session::Values();
    EXPECT_EQ(v.dataDirectory, TestDir());
    EXPECT_TRUE(v.todayPreference);
    EXPECT_EQ(v.todayInstant, kNow);
    EXPECT_EQ(v.yesterdayInstant, kNow - 86400);
    EXPECT_EQ(v.todayCompactDate + " " + v.todayShortDate, "071214 07/12/14");
    EXPECT_EQ(v.headings, (std::array<std::string, session::kHeadingCount>{
                              "Work", "A123456789B123456789C123", "", "", "", "Weather"}));
    EXPECT_EQ(v.noteTitle, "Most Memorable Event");
    for (const char* stored : {"today", "TODAY", "ToDay ", "No", ""}) {
        ASSERT_TRUE(session::WriteSetting("ToDay", stored).ok());
        window = MakeWindow();
        EXPECT_EQ(session::Values().todayPreference, std::string(stored) == "ToDay ") << stored;
    }
}

// The Exit button, the close box and Setup's Exit end the program. Leaving
// the event reports other than through Print List, or asking for button
// entries without a first subject heading (which only says so), leaves the
// main window waiting.
TEST_F(MainWindowTest, OnlyTheWaysOutEndTheProgram) {
    const struct {
        const char* name;
        WindowAction act;
        int status;
        std::size_t boxes = 0;
    } cases[] = {
        {.name = "Exit button",
         .act =
             [](app::MainWindow& w) {
                 w.Client()
                     ->findChild<QPushButton*>(
                         QString::fromStdString(ControlName(resources::kExitButton)))
                     ->click();
             },
         .status = 0},
        {.name = "close box", .act = [](app::MainWindow& w) { w.Widget()->close(); }, .status = 0},
        {.name = "Setup Exit",
         .act =
             [](app::MainWindow& w) {
                 w.Widget()
                     ->findChild<QAction*>(QStringLiteral("cmd%1").arg(resources::kCmSetupExit))
                     ->trigger();
             },
         .status = 0},
        {.name = "reports closed",
         .act =
             [](app::MainWindow& w) {
                 framework::testing::OnNextDialog(
                     [](framework::TDialog& d) { Click(d, resources::reports_ids::kCloseButton); });
                 w.Command(resources::kCmSeeEntries);
             },
         .status = kWaited},
        {.name = "no headings",
         .act = [](app::MainWindow& w) { w.Command(resources::kCmEnterByButtons); },
         .status = kWaited,
         .boxes = 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        framework::testing::ResetSeams();
        EXPECT_EQ(RunApp(c.act), c.status);
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), c.boxes);
    }
}

TEST_F(MainWindowTest, PrintListPrintsTheListingThenEndsTheProgram) {
    store::TEntryRecord entry{"Went to the coast  = Saw seals)", "06/12/14 @ 10:00:00",
                              static_cast<std::int32_t>(kNow - 40000), 7};
    ASSERT_TRUE(store::AppendRecord(TestDir(), entry).ok());
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        Click(d, resources::reports_ids::kShowResultsButton);
        Click(d, resources::reports_ids::kPrintListButton);
    });
    framework::testing::AnswerNextPrintDialog(
        framework::testing::PrintDialogAnswer::PdfFile(InTestDir("list.pdf")));
    EXPECT_EQ(RunApp([](app::MainWindow& w) { w.Command(resources::kCmSeeEntries); }), 0);
    EXPECT_EQ(ReadFileBytes(InTestDir("list.pdf")).rfind("%PDF", 0), 0u);
}

// "jotwel auto", as started at log-on, ends before any window is made when
// LastDate already holds today; every other start goes on to the main
// window, which waits.
TEST_F(MainWindowTest, AutoStartEndsBeforeAnyWindowOnlyWhenTodayIsAlreadyEntered) {
    const struct {
        std::vector<const char*> argv;
        const char* lastDate;  // nullptr: no settings file
        bool ends;
    } cases[] = {
        {.argv = {"jotwel", "auto"}, .lastDate = "071214", .ends = true},
        {.argv = {"jotwel"}, .lastDate = "071214", .ends = false},
        {.argv = {"jotwel", "AUTO"}, .lastDate = "071214", .ends = false},
        {.argv = {"jotwel", "x", "auto"}, .lastDate = "071214", .ends = false},
        {.argv = {"jotwel", "auto"}, .lastDate = "061214", .ends = false},
        {.argv = {"jotwel", "auto"}, .lastDate = "", .ends = false},
        {.argv = {"jotwel", "auto"}, .lastDate = nullptr, .ends = false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.argv.back()) + " " + (c.lastDate ? c.lastDate : "(none)"));
        std::remove(session::SettingsPath().c_str());
        if (c.lastDate) {
            ASSERT_TRUE(session::WriteSetting("LastDate", c.lastDate).ok());
        }
        session::ResetValues();
        const bool ends = session::EndsBeforeAnyWindow(static_cast<int>(c.argv.size()),
                                                       c.argv.data(), session::Values());
        EXPECT_EQ(ends, c.ends);
        EXPECT_EQ(session::Values().autoMode,
                  c.argv.size() == 2 && c.argv[1] == std::string("auto"));
        if (!ends) {
            EXPECT_EQ(RunApp(), kWaited);
        }
    }
}

}  // namespace
}  // namespace jtest
