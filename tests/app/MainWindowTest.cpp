// The main window: its menu and looks, the values start-up leaves, and
// which ways end the program and which leave it waiting (a start at log-on
// included).
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "entry/EntryTest.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ReportsIds.h"
#include "session/StartupValues.h"

namespace jtest {
namespace {

using WindowAction = std::function<void(app::MainWindow&)>;

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

QPushButton* ExitButton(app::MainWindow& window) {
    const auto name = QString::fromStdString(ControlName(resources::kExitButton));
    return window.Client()->findChild<QPushButton*>(name);
}

TEST_F(EntryTest, MainWindowLooksAsItShould) {
    app::MainWindow window{nullptr, "Jotwel"};
    window.Create();
    EXPECT_EQ(
        Describe(window.MenuBar()->actions()),
        (std::vector<std::string>{
            ">Setup", "  Set Subect &Headings 11847", "  &Set Entry Preference 11846",
            "  Set &Text Title 11853", "  E&xit 108", "Enter-by-&Text 11845",
            "Enter-by-&Buttons 11842", "&See-Entries 11851", ">&Help", "  &General Help 11848",
            "  &Button Entry Help 11850", "  &Further Button Entry Help 11852",
            "  &Text Entry Help 11849", "  -", "  &About 11844"}));
    QWidget* frame = window.Widget();
    EXPECT_EQ(frame->windowTitle(), "Jotwel");
    EXPECT_EQ(QRect(frame->pos(), frame->size()), QRect(55, 75, 600, 350));
    EXPECT_EQ(window.Client()->palette().color(QPalette::Window), QColor(192, 192, 192));
    ASSERT_NE(ExitButton(window), nullptr);
    EXPECT_EQ(ExitButton(window)->text(), "Exit");
    EXPECT_EQ(ExitButton(window)->geometry(), QRect(470, 250, 62, 25));
    EXPECT_FALSE(frame->windowIcon().isNull());
}

// Keys and section are found in any case; a heading keeps 24 bytes; only
// the exact word ToDay (spaces round it trimmed) makes entries for today.
TEST_F(EntryTest, StartupFillsTheProcessWideValues) {
    WriteFileBytes(
        ConfigDir() + "/ZORVANT.INI",
        "[JOTWEL]\r\nTODAY=ToDay\r\nHead0=Work\r\nHead1=A123456789B123456789C123456789\r\n"
        "Head5=  Weather  \r\n");
    session::ResetValues();
    // nullptr: ToDay as in the file above.
    for (const char* stored : {static_cast<const char*>(nullptr), "today", "TODAY", "ToDay ", ""}) {
        if (stored) {
            ASSERT_TRUE(session::WriteSetting("ToDay", stored).ok());
        }
        app::MainWindow window{nullptr, "Jotwel"};
        window.Create();
        const session::AppValues& v = session::Values();
        EXPECT_EQ(v.todayPreference, !stored || std::string(stored) == "ToDay ");
        EXPECT_EQ(v.dataDirectory, TestDir());
        EXPECT_EQ(v.todayInstant, kAtOk);
        EXPECT_EQ(v.yesterdayInstant, kAtOk - kDay);
        EXPECT_EQ(v.todayCompactDate + " " + v.todayShortDate, "071214 07/12/14");
        EXPECT_EQ(v.headings, (std::array<std::string, session::kHeadingCount>{
                                  "Work", "A123456789B123456789C123", "", "", "", "Weather"}));
        EXPECT_EQ(v.noteTitle, "Most Memorable Event");
    }
}

// The Exit button, the close box, Setup's Exit and Print List end the
// program. Leaving the event reports otherwise, or asking for button
// entries without a first subject heading (which only says so), leaves the
// main window waiting.
TEST_F(EntryTest, OnlyTheWaysOutEndTheProgram) {
    const auto seeEntries = [](std::vector<int> clicks) {
        return [clicks](app::MainWindow& w) {
            framework::testing::OnNextDialog([clicks](framework::TDialog& d) {
                for (int id : clicks) Click(d, id);
            });
            w.Command(resources::kCmSeeEntries);
        };
    };
    using namespace resources::reports_ids;
    const struct {
        const char* name;
        WindowAction act;
        int status;
        std::size_t boxes = 0;
        bool printed = false;
    } cases[] = {
        {.name = "Exit button",
         .act = [](app::MainWindow& w) { ExitButton(w)->click(); },
         .status = 0},
        {.name = "close box", .act = [](app::MainWindow& w) { w.Widget()->close(); }, .status = 0},
        {.name = "Setup Exit",
         .act =
             [](app::MainWindow& w) {
                 const auto name = QStringLiteral("cmd%1").arg(resources::kCmSetupExit);
                 w.Widget()->findChild<QAction*>(name)->trigger();
             },
         .status = 0},
        {.name = "reports closed", .act = seeEntries({kCloseButton}), .status = kWaited},
        {.name = "no headings",
         .act = [](app::MainWindow& w) { w.Command(resources::kCmEnterByButtons); },
         .status = kWaited,
         .boxes = 1},
        {.name = "Print List",
         .act = seeEntries({kShowResultsButton, kPrintListButton}),
         .status = 0,
         .printed = true},
    };
    const store::TEntryRecord entry{"Went to the coast  = Saw seals)", "06/12/14 @ 10:00:00",
                                    static_cast<std::int32_t>(kStartup - 40000), 7};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartUp();
        WriteDiary({entry});
        if (c.printed) {
            framework::testing::AnswerNextPrintDialog(
                framework::testing::PrintDialogAnswer::PdfFile(InTestDir("list.pdf")));
        }
        EXPECT_EQ(RunApp(c.act), c.status);
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), c.boxes);
        EXPECT_EQ(ReadFileBytes(InTestDir("list.pdf")).rfind("%PDF", 0) == 0, c.printed);
    }
}

// "jotwel auto", as started at log-on, ends before any window is made when
// LastDate already holds today; every other start goes on to the main
// window, which waits.
TEST_F(EntryTest, AutoStartEndsBeforeAnyWindowOnlyWhenTodayIsAlreadyEntered) {
    const struct {
        std::vector<const char*> argv;
        const char* lastDate;  // nullptr: no settings file
        bool ends = false;
    } cases[] = {
        {.argv = {"jotwel", "auto"}, .lastDate = "071214", .ends = true},
        {.argv = {"jotwel"}, .lastDate = "071214"},
        {.argv = {"jotwel", "AUTO"}, .lastDate = "071214"},
        {.argv = {"jotwel", "x", "auto"}, .lastDate = "071214"},
        {.argv = {"jotwel", "auto"}, .lastDate = "061214"},
        {.argv = {"jotwel", "auto"}, .lastDate = ""},
        {.argv = {"jotwel", "auto"}, .lastDate = nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.argv.back()) + " " + (c.lastDate ? c.lastDate : "(none)"));
        StartUp();
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
