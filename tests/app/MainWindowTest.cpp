// The main window: its menu and looks, the values start-up leaves, and
// which ways end the program and which leave it waiting; the command line.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <sstream>

#include "app/JotwelApplication.h"
#include "app/MainWindow.h"
#include "entry/EntryTest.h"
#include "framework/DialogWidget.h"
#include "resources/ResourceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/ReportsIds.h"
#include "session/CommandLine.h"
#include "session/StartupValues.h"

namespace jtest {
namespace {

// Runs the whole program and act once its loop has started; then a posted
// call closes a main window still shown with kWaited: a program that ends
// posts its quit before it, so the loop stops first.
constexpr int kWaited = 99;
int RunApp(const std::function<void(app::MainWindow&)>& act) {
    int argc = 1;
    char name[] = "jotwel";
    char* argv[] = {name, nullptr};
    app::JotwelApplication application(argc, argv);
    QTimer::singleShot(0, [&] {
        auto& window = static_cast<app::MainWindow&>(*application.MainWindow());
        act(window);
        QTimer::singleShot(0, window.Widget(), [&window] {
            if (window.Widget()->isVisible()) window.CloseWindow(kWaited);
        });
    });
    const int status = application.Run();
    // A quit posted once the loop had stopped (by a fault) must not stop the next loop.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    return status;
}

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

// The main window's menu and looks, and the values its start-up leaves: keys
// and section are found in any case; a heading keeps 24 bytes; only the
// exact word ToDay (spaces round it trimmed) makes entries for today.
TEST_F(EntryTest, MainWindowLooksAsItShouldAndStartupFillsTheValues) {
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
        if (stored) continue;
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
}

// The Exit button for its id, else command.
void Act(app::MainWindow& w, int command) {
    if (command == resources::kExitButton) {
        ExitButton(w)->click();
    } else {
        w.Command(command);
    }
}

Action Clicks(int id) {
    return [id](framework::TDialog& d) { Click(d, id); };
}
Action Types(int id, const char* text) {
    return [id, text](framework::TDialog& d) { Type(d, id, text); };
}

// Each command opens its dialog over the main window, at its template's
// place in the client area; one left other than by OK changes nothing. The
// entry dialogs, Print List and both Exits end the program; every other way
// out, and button entries without a first subject heading (which only say
// so), leave the main window waiting.
TEST_F(EntryTest, EachCommandOpensItsDialogAndOnlyTheWaysOutEndTheProgram) {
    using namespace resources;
    const Action escape = [](framework::TDialog& d) { PressKey(d, Qt::Key_Escape); };
    const struct {
        int command, dialog = 0;
        std::vector<Action> acts = {};  // in the dialog, in turn
        int status = kWaited;
        std::string head0 = "old 1";
        bool printed = false;
    } cases[] = {
        {.command = kCmSetSubjectHeadings,
         .dialog = kHeadingsDialog,
         .acts = {Types(headings_ids::HeadingBox(0), "x"), Clicks(headings_ids::kCancelButton)}},
        {.command = kCmSetEntryPreference, .dialog = kEntryPreferenceDialog, .acts = {escape}},
        {.command = kCmSetTextTitle, .dialog = kTextTitleDialog, .acts = {escape}},
        {.command = kCmGeneralHelp, .dialog = kGeneralHelpDialog, .acts = {escape}},
        {.command = kCmButtonEntryHelp, .dialog = kButtonEntryHelpDialog, .acts = {escape}},
        {.command = kCmFurtherButtonEntryHelp, .dialog = kHeadingsHelpDialog, .acts = {escape}},
        {.command = kCmTextEntryHelp, .dialog = kTextEntryHelpDialog, .acts = {escape}},
        {.command = kCmAbout, .dialog = kAboutDialog, .acts = {escape}},
        {.command = kCmSeeEntries,
         .dialog = kReportsDialog,
         .acts = {Clicks(reports_ids::kCloseButton)}},
        {.command = kCmEnterByText, .dialog = kTextEntryDialog, .acts = {escape}, .status = 0},
        {.command = kCmEnterByButtons, .dialog = kButtonEntryDialog, .acts = {escape}, .status = 0},
        {.command = kCmEnterByButtons, .head0 = "-/-"},
        {.command = kCmSetupExit, .status = 0},
        {.command = kExitButton, .status = 0},
        {.command = kCmSeeEntries,
         .dialog = kReportsDialog,
         .acts = {Clicks(reports_ids::kShowResultsButton), Clicks(reports_ids::kPrintListButton)},
         .status = 0,
         .printed = true},
    };
    const store::TEntryRecord entry{"Went to the coast  = Saw seals)", "06/12/14 @ 10:00:00",
                                    static_cast<std::int32_t>(kStartup - 40000), 7};
    for (const auto& c : cases) {
        SCOPED_TRACE("command " + std::to_string(c.command));
        StartUp();
        PutDiary({entry});
        WriteFileBytes(session::SettingsPath(), "[Jotwel]\r\nToDay=ToDay\r\nHead0=" + c.head0 +
                                                    "\r\nHead1=old 2\r\nTextTit=Old\r\n");
        const std::string stored = SettingsBytes();
        if (c.printed) {
            framework::testing::AnswerNextPrintDialog(
                framework::testing::PrintDialogAnswer::PdfFile(InTestDir("list.pdf")));
        }
        const int status = RunApp([&c](app::MainWindow& w) {
            if (!c.dialog) return Act(w, c.command);
            framework::testing::OnNextDialog([&](framework::TDialog& d) {
                EXPECT_EQ(d.Parent(), &w);
                const framework::DialogUnits& units = d.Dialog()->units();
                const QPoint at(units.X(d.Template().x), units.Y(d.Template().y));
                EXPECT_EQ(d.Widget()->pos(), w.Client()->mapToGlobal(at));
                for (const Action& act : c.acts) act(d);
            });
            w.Command(c.command);
        });
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(TemplatesShown(), c.dialog ? std::vector<int>{c.dialog} : std::vector<int>{});
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), c.head0 == "-/-" ? 1u : 0u);
        EXPECT_EQ(SettingsBytes(), stored);
        EXPECT_EQ(ReadFileBytes(InTestDir("list.pdf")).rfind("%PDF", 0) == 0, c.printed);
    }
}

// "jotwel --help" and "jotwel --version" answer and end before start-up;
// every other command line is left to start-up, and "jotwel auto", as
// started at log-on, ends it before any window is made when LastDate
// already holds today.
TEST_F(EntryTest, TheCommandLineIsAnsweredOrLeftToStartUp) {
    const struct {
        std::vector<const char*> args;
        const char* lastDate = "071214";  // nullptr: no settings file
        std::optional<int> status = std::nullopt;
        std::string starts = "";
        bool bad = false;  // an output that cannot be written
    } cases[] = {
        {.args = {"auto"}},
        {.args = {"auto", "--help"}},
        {.args = {"auto"}, .lastDate = "061214"},
        {.args = {"auto"}, .lastDate = nullptr},
        {.args = {}},
        {.args = {"AUTO"}},
        {.args = {"x", "auto"}},
        {.args = {"--help"}, .status = 0, .starts = "Usage: jotwel [auto]\n"},
        {.args = {"--version", "auto"}, .status = 0, .starts = "jotwel "},
        {.args = {"--version"}, .status = 1, .bad = true},
        {.args = {"-platform", "offscreen"}},
        {.args = {"--helpful"}},
        {.args = {"-h"}},
    };
    for (auto c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args) + (c.lastDate ? c.lastDate : "(none)"));
        StartUp();
        if (c.lastDate) {
            ASSERT_TRUE(session::WriteSetting("LastDate", c.lastDate).ok());
        }
        c.args.insert(c.args.begin(), "jotwel");
        const int argc = static_cast<int>(c.args.size());
        std::ostringstream out;
        if (c.bad) out.setstate(std::ios::badbit);
        EXPECT_EQ(session::AnswerInformationRequest(argc, c.args.data(), out), c.status);
        EXPECT_EQ(out.str().rfind(c.starts, 0), 0u) << out.str();
        EXPECT_EQ(out.str().empty(), c.starts.empty()) << out.str();
        const bool autoMode = argc > 1 && c.args[1] == std::string("auto");
        const bool today = c.lastDate && c.lastDate == std::string("071214");
        EXPECT_EQ(session::EndsBeforeAnyWindow(argc, c.args.data(), session::Values()),
                  autoMode && today);
        EXPECT_EQ(session::Values().autoMode, autoMode);
    }
}

}  // namespace
}  // namespace jtest
