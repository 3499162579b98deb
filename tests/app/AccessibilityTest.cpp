// What assistive tools and the keyboard find in every dialog built from the
// program's templates: a name and the right role for every control that
// takes focus, descriptions of images, focus where typing is expected, and
// labels that show their whole text or say it.
#include <QAccessible>
#include <map>

#include "GuiTest.h"
#include "framework/Controls.h"
#include "framework/DialogWidget.h"
#include "framework/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/ReportsIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

using framework::ControlKind;
using namespace resources;
namespace text_ids = text_entry_ids;

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
