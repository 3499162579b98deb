// The main window: its looks and menu, the values start-up leaves, and
// which ways end the program and which leave it waiting; the command line.
// And what assistive tools and the keyboard find in every dialog built from
// the program's templates: a name and the right role for every control that
// takes focus, descriptions of images, focus where typing is expected, and
// labels that show their whole text or say it.

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <sstream>

#include "GuiTest.h"
#include "app/JotwelApplication.h"
#include "app/MainWindow.h"
#include "entry/EntryTest.h"
#include "framework/Controls.h"
#include "framework/DialogWidget.h"
#include "framework/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/ReportsIds.h"
#include "resources/ids/TextEntryIds.h"
#include "session/CommandLine.h"
#include "session/StartupValues.h"

namespace jtest {
namespace {

using framework::ControlKind;
using namespace resources;
namespace text_ids = text_entry_ids;

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

QPushButton* ExitButton(app::MainWindow& window) {
    const auto name = QString::fromStdString(ControlName(resources::kExitButton));
    return window.Client()->findChild<QPushButton*>(name);
}

// The main window's looks, and the values its start-up leaves: keys
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

// As the user gives it: the Exit button for its id, else the menu's item.
void Act(app::MainWindow& w, int command) {
    if (command == resources::kExitButton) return ExitButton(w)->click();
    auto* item = w.MenuBar()->findChild<QAction*>(QStringLiteral("cmd%1").arg(command));
    ASSERT_NE(item, nullptr) << "no menu item for " << command;
    item->trigger();
}

Action Clicks(int id) {
    return [id](framework::TDialog& d) { Click(d, id); };
}
Action Types(int id, const char* text) {
    return [id, text](framework::TDialog& d) { Type(d, id, text); };
}

// Each menu item opens its dialog over the main window at its template's
// place; one left other than by OK changes nothing. Only the entry dialogs,
// Print List and both Exits end the program.
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
            Act(w, c.command);
        });
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(TemplatesShown(), c.dialog ? std::vector<int>{c.dialog} : std::vector<int>{});
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), c.head0 == "-/-" ? 1u : 0u);
        EXPECT_EQ(SettingsBytes(), stored);
        EXPECT_EQ(ReadFileBytes(InTestDir("list.pdf")).rfind("%PDF", 0) == 0, c.printed);
    }
}

// --help and --version answer before start-up; "jotwel auto" (log-on) ends
// before any window when LastDate already holds today.
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

// The role assistive tools must see for a control of each kind.
QAccessible::Role RoleOf(ControlKind kind) {
    const std::map<ControlKind, QAccessible::Role> roles = {
        {ControlKind::PushButton, QAccessible::Button},
        {ControlKind::Edit, QAccessible::EditableText},
        {ControlKind::CheckBox, QAccessible::CheckBox},
        {ControlKind::RadioButton, QAccessible::RadioButton},
        {ControlKind::ListBox, QAccessible::List},
        {ControlKind::Icon, QAccessible::Graphic},
        {ControlKind::Picture, QAccessible::Graphic}};
    return roles.contains(kind) ? roles.at(kind) : QAccessible::StaticText;
}

std::string NameOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name).toStdString();
}

// Walks the accessible tree below node; every object that takes focus, and
// every image, must be a control of the template with a name and the role
// of its kind.
void Walk(const framework::TDialog& dialog, QAccessibleInterface* node, int* focusable) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        ASSERT_NE(child, nullptr);
        const framework::ControlTemplate* control = nullptr;
        for (const auto& each : dialog.Template().controls) {
            if (dialog.Control(each.id) == child->object()) control = &each;
        }
        const bool image = control && (control->kind == ControlKind::Icon ||
                                       control->kind == ControlKind::Picture);
        if (child->state().focusable || image) {
            const std::string where = "dialog " + std::to_string(dialog.TemplateId()) + " " +
                                      child->object()->objectName().toStdString();
            *focusable += child->state().focusable;
            EXPECT_FALSE(child->text(QAccessible::Name).trimmed().isEmpty()) << where;
            ASSERT_NE(control, nullptr) << where << " is no control of the template";
            EXPECT_EQ(child->role(), RoleOf(control->kind)) << where;
        }
        Walk(dialog, child, focusable);
    }
}

class AccessibilityTest : public GuiTest {};

// A label grown to show its text whole covers no control it would take
// clicks from.
TEST_F(AccessibilityTest, EveryFocusableControlHasANameAndItsRole) {
    int templates = 0, focusable = 0;
    for (int id = 0; id <= 0xFFFF; ++id) {
        if (!framework::Resources().FindDialog(id)) continue;
        ++templates;
        framework::TDialog dialog(nullptr, id);
        dialog.ShowModeless();
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(dialog.Widget());
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->role(), QAccessible::Dialog);
        Walk(dialog, root, &focusable);
        for (const auto& label : dialog.Template().controls) {
            if (label.kind != ControlKind::Static) continue;
            for (const auto& control : dialog.Template().controls) {
                QWidget* target = dialog.Control(control.id);
                if (target->focusPolicy() == Qt::NoFocus || target->isHidden()) continue;
                EXPECT_FALSE(dialog.Control(label.id)->geometry().intersects(target->geometry()))
                    << "dialog " << id << ": label " << label.id << " covers " << control.id;
            }
        }
    }
    EXPECT_GE(templates, 13);
    EXPECT_GT(focusable, 100);  // the 79 radio buttons among them
}

// A box is named after the text that labels it, as the program sets it;
// each dialog with an edit box opens with focus in its first one.
TEST_F(AccessibilityTest, EditBoxesAreNamedAfterTheirLabelsAndTheFirstHasFocus) {
    const struct {
        int dialog, box;
        bool first = false;
    } cases[] = {
        {.dialog = kTextEntryDialog, .box = text_ids::kSummaryBox, .first = true},
        {.dialog = kTextEntryDialog, .box = text_ids::kNoteBox},
        {.dialog = kHeadingsDialog, .box = headings_ids::HeadingBox(0), .first = true},
        {.dialog = kTextTitleDialog, .box = note_title_ids::kTitleBox, .first = true},
        {.dialog = kReportsDialog, .box = reports_ids::kStartDateBox, .first = true},
        {.dialog = kReportsDialog, .box = reports_ids::kResultsList},
        {.dialog = kOtherDateDialog, .box = other_date_ids::kDateBox, .first = true},
    };
    std::vector<std::string> names;
    for (const auto& c : cases) {
        framework::testing::OnNextDialog([&](framework::TDialog& d) {
            names.push_back(NameOf(d.Control(c.box)));
            EXPECT_EQ(FocusedName(d) == ControlName(c.box), c.first) << "dialog " << c.dialog;
            d.EndDialog(framework::kIdCancel);
        });
        framework::TDialog(nullptr, c.dialog).Execute();
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{
                  "Summary of all Events (Max 500 characters)", "Most Memorable Event", "Button 1",
                  "You can change this by entering your own title in the box below.",
                  "Start Date (dd/mm/yy)", "Entries listed",
                  "Enter the date for which you wish to make the entry"}));
    // A label the program changes renames its box; one too long for the
    // dialog stays inside it, elided, and says its whole text.
    framework::TDialog entry(nullptr, kTextEntryDialog);
    const std::string title =
        "Quietly joyful geography: a typical yearly pilgrimage by Polly and Gwyn, 2026!";
    framework::TStatic note(&entry, text_ids::kNoteTitleLabel);
    note.SetText(title);
    EXPECT_EQ(NameOf(entry.Control(text_ids::kNoteBox)), title);
    auto* label = qobject_cast<framework::StaticText*>(entry.Control(text_ids::kNoteTitleLabel));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->geometry().right(), entry.Widget()->width());
    EXPECT_TRUE(label->IsElided());
    EXPECT_EQ(label->toolTip().toStdString() + "|" + NameOf(label) + "|" + note.GetText(),
              title + "|" + title + "|" + title);
}

}  // namespace
}  // namespace jtest
