// What assistive tools and the keyboard find in every dialog built from the
// program's templates: a name and the right role for every control that
// takes focus, descriptions of images, focus where typing is expected, F10
// to the menu bar, and labels that show their whole text or say it.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <map>

#include "GuiTest.h"
#include "framework/Controls.h"
#include "framework/DialogWidget.h"
#include "framework/ResourceModule.h"
#include "framework/TFrameWindow.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/ReportsIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

using framework::ControlKind;
namespace button_ids = resources::button_entry_ids;
namespace headings_ids = resources::headings_ids;
namespace note_title_ids = resources::note_title_ids;
namespace reports_ids = resources::reports_ids;
namespace other_date_ids = resources::other_date_ids;
namespace text_ids = resources::text_entry_ids;

// Every dialog template the program has.
std::vector<int> AllTemplates() {
    std::vector<int> ids;
    for (int id = 0; id <= 0xFFFF; ++id) {
        if (framework::Resources().FindDialog(id)) ids.push_back(id);
    }
    return ids;
}

QAccessible::Role RoleOf(const framework::ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::PushButton:
            return QAccessible::Button;
        case ControlKind::Edit:
            return QAccessible::EditableText;
        case ControlKind::CheckBox:
            return QAccessible::CheckBox;
        case ControlKind::RadioButton:
            return QAccessible::RadioButton;
        case ControlKind::ListBox:
            return QAccessible::List;
        case ControlKind::Icon:
        case ControlKind::Picture:
            return QAccessible::Graphic;
        default:
            return QAccessible::StaticText;
    }
}

// The template control an accessible object stands for, or nullptr.
const framework::ControlTemplate* ControlOf(const framework::TDialog& dialog,
                                            QAccessibleInterface* node) {
    QObject* object = node->object();
    for (const auto& control : dialog.Template().controls) {
        if (dialog.Control(control.id) == object) return &control;
    }
    return nullptr;
}

// Walks the accessible tree below node; every object that takes focus, and
// every image, must have a name and the role of its template kind.
void Walk(const framework::TDialog& dialog, QAccessibleInterface* node, int* focusable) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        ASSERT_NE(child, nullptr);
        const framework::ControlTemplate* control = ControlOf(dialog, child);
        const bool image = control && (control->kind == ControlKind::Icon ||
                                       control->kind == ControlKind::Picture);
        if (child->state().focusable || image) {
            const std::string where = "dialog " + std::to_string(dialog.TemplateId()) + " " +
                                      child->object()->objectName().toStdString();
            *focusable += child->state().focusable;
            EXPECT_FALSE(child->text(QAccessible::Name).trimmed().isEmpty()) << where;
            ASSERT_NE(control, nullptr) << where << " is no control of the template";
            EXPECT_EQ(child->role(), RoleOf(*control)) << where;
        }
        Walk(dialog, child, focusable);
    }
}

class AccessibilityTest : public GuiTest {};

TEST_F(AccessibilityTest, EveryFocusableControlHasANameAndItsRole) {
    const std::vector<int> templates = AllTemplates();
    EXPECT_GE(templates.size(), 13u);
    int focusable = 0;
    for (int id : templates) {
        framework::TDialog dialog(nullptr, id);
        dialog.ShowModeless();
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(dialog.Widget());
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->role(), QAccessible::Dialog);
        Walk(dialog, root, &focusable);
        // A label grown to show its text whole covers no control it would
        // take clicks from.
        for (const auto& label : dialog.Template().controls) {
            if (label.kind != ControlKind::Static) continue;
            for (const auto& control : dialog.Template().controls) {
                QWidget* target = dialog.Control(control.id);
                if (target->focusPolicy() == Qt::NoFocus || target->isHidden()) continue;
                EXPECT_FALSE(dialog.Control(label.id)->geometry().intersects(target->geometry()))
                    << "dialog " << id << ": label " << label.id << " covers control "
                    << control.id;
            }
        }
    }
    EXPECT_GT(focusable, 100);  // the 79 radio buttons among them
}

// A box is named after the text that labels it, as the program sets it.
TEST_F(AccessibilityTest, EditBoxesAndTheListAreNamedAfterTheirLabels) {
    const std::map<std::pair<int, int>, std::string> names = {
        {{resources::kTextEntryDialog, text_ids::kSummaryBox},
         "Summary of all Events (Max 500 characters)"},
        {{resources::kTextEntryDialog, text_ids::kNoteBox}, "Most Memorable Event"},
        {{resources::kHeadingsDialog, headings_ids::HeadingBox(0)}, "Button 1"},
        {{resources::kHeadingsDialog, headings_ids::HeadingBox(5)}, "Button 6"},
        {{resources::kTextTitleDialog, note_title_ids::kTitleBox},
         "You can change this by entering your own title in the box below."},
        {{resources::kReportsDialog, reports_ids::kStartDateBox}, "Start Date (dd/mm/yy)"},
        {{resources::kReportsDialog, reports_ids::kEndDateBox}, "End Date (dd/mm/yy)"},
        {{resources::kReportsDialog, reports_ids::kSearchBox},
         "Show only entries containing the above word."},
        {{resources::kReportsDialog, reports_ids::kResultsList}, "Entries listed"},
        {{resources::kOtherDateDialog, other_date_ids::kDateBox},
         "Enter the date for which you wish to make the entry"},
    };
    for (const auto& [where, name] : names) {
        framework::TDialog dialog(nullptr, where.first);
        QAccessibleInterface* box =
            QAccessible::queryAccessibleInterface(dialog.Control(where.second));
        EXPECT_EQ(box->text(QAccessible::Name).toStdString(), name)
            << "dialog " << where.first << " control " << where.second;
    }
    // A label the program changes renames its box.
    framework::TDialog entry(nullptr, resources::kTextEntryDialog);
    framework::TStatic(&entry, text_ids::kNoteTitleLabel).SetText("Best moment");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(entry.Control(text_ids::kNoteBox))
                  ->text(QAccessible::Name)
                  .toStdString(),
              "Best moment");
}

// Radio buttons keep their template group, order and arrow keys while being
// radio buttons to assistive tools.
TEST_F(AccessibilityTest, RadioButtonsAreRadioButtonsAndKeepTheirGroupsAndArrows) {
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        const int first = button_ids::ScoreButton(0, 0), second = button_ids::ScoreButton(1, 0);
        Click(d, second);
        Click(d, button_ids::ScoreButton(0, 10));
        PressKey(d, Qt::Key_Right);  // wraps to score 0 of heading 1
        EXPECT_EQ(FocusedName(d), ControlName(first));
        EXPECT_TRUE(framework::TRadioButton(&d, first).IsChecked());
        EXPECT_FALSE(framework::TRadioButton(&d, button_ids::ScoreButton(0, 10)).IsChecked());
        EXPECT_TRUE(framework::TRadioButton(&d, second).IsChecked());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(d.Control(second))->role(),
                  QAccessible::RadioButton);
        d.EndDialog(framework::kIdCancel);
    });
    framework::TDialog dialog(nullptr, resources::kButtonEntryDialog);
    dialog.Execute();
}

// Each dialog with an edit box opens with focus in its first one.
TEST_F(AccessibilityTest, DialogsOpenWithFocusInTheirFirstEditBox) {
    const std::pair<int, std::string> cases[] = {
        {resources::kHeadingsDialog, ControlName(headings_ids::HeadingBox(0))},
        {resources::kTextEntryDialog, ControlName(text_ids::kSummaryBox)},
        {resources::kReportsDialog, ControlName(reports_ids::kStartDateBox)},
        {resources::kTextTitleDialog, ControlName(note_title_ids::kTitleBox)},
        {resources::kOtherDateDialog, ControlName(other_date_ids::kDateBox)},
    };
    for (const auto& [id, focused] : cases) {
        std::string seen;
        framework::testing::OnNextDialog([&seen](framework::TDialog& d) {
            seen = FocusedName(d);
            d.EndDialog(framework::kIdCancel);
        });
        framework::TDialog dialog(nullptr, id);
        dialog.Execute();
        EXPECT_EQ(seen, focused) << "dialog " << id;
    }
}

TEST_F(AccessibilityTest, F10PutsTheKeyboardInTheMenuBar) {
    framework::TFrameWindow window(nullptr, "Jotwel");
    window.AssignMenu(resources::kMainMenu);
    window.Create();
    window.Show();
    QApplication::setActiveWindow(window.Widget());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.Widget()));
    QTest::keyClick(window.Widget(), Qt::Key_F10);
    EXPECT_EQ(QApplication::focusWidget(), window.MenuBar());
    ASSERT_FALSE(window.MenuBar()->actions().isEmpty());
    EXPECT_EQ(window.MenuBar()->activeAction(), window.MenuBar()->actions().first());
}

// Heading labels are tall enough for descenders; a title too long for the
// dialog stays inside it, elided, and says its whole text.
TEST_F(AccessibilityTest, LabelsShowDescendersAndElideWithTheirWholeText) {
    framework::TDialog buttons(nullptr, resources::kButtonEntryDialog);
    for (int id = button_ids::SubjectLabel(0); id <= button_ids::SubjectLabel(5); ++id) {
        framework::TStatic(&buttons, id).SetText("Hobby gyp");
        auto* label = qobject_cast<QLabel*>(buttons.Control(id));
        EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height()) << id;
    }

    framework::TDialog entry(nullptr, resources::kTextEntryDialog);
    const std::string title =
        "Quietly joyful geography: a typical yearly pilgrimage by Polly and Gwyn, 2026!";
    framework::TStatic(&entry, text_ids::kNoteTitleLabel).SetText(title);
    auto* label = qobject_cast<framework::StaticText*>(entry.Control(text_ids::kNoteTitleLabel));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->geometry().right(), entry.Widget()->width())
        << label->geometry().x() << " " << label->geometry().width() << " "
        << entry.Widget()->width();
    EXPECT_TRUE(label->IsElided());
    EXPECT_EQ(label->toolTip().toStdString(), title);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name).toStdString(),
              title);
    EXPECT_EQ(framework::TStatic(&entry, text_ids::kNoteTitleLabel).GetText(), title);
    framework::TStatic(&entry, text_ids::kNoteTitleLabel).SetText("Short");
    EXPECT_FALSE(label->IsElided());
    EXPECT_TRUE(label->toolTip().isEmpty());
}

}  // namespace
}  // namespace jtest
