// The dialog keyboard: Tab order, Enter, arrows in radio groups.
#include <QTest>

#include "FrameworkFixture.h"
#include "framework/Controls.h"
#include "framework/MessageBox.h"

namespace jtest {
namespace {

using framework::kIdCancel;
using framework::kIdOk;

// The object names of the controls with these ids, in order.
std::vector<std::string> Names(std::initializer_list<int> ids) {
    std::vector<std::string> names;
    for (const int id : ids) names.push_back(ControlName(id));
    return names;
}

std::vector<std::string> TabWalk(TTestDlg& d, int steps, Qt::KeyboardModifiers modifiers = {}) {
    std::vector<std::string> names;
    for (int i = 0; i < steps; ++i) {
        PressKey(d, Qt::Key_Tab, modifiers);
        names.push_back(FocusedName(d));
    }
    return names;
}

TEST_F(FrameworkTest, TabVisitsTabStopsInTemplateOrderAndRadioGroupsOnce) {
    Show([](TTestDlg& d) {
        framework::TRadioButton(&d, kRadioA0 + 2).SetCheck(true);
        d.Control(kLine)->setFocus();
        // Hidden, untabbable and unchecked group members are skipped; a group
        // is entered at its checked button.
        EXPECT_EQ(TabWalk(d, 11), Names({kSummary, kToggle, kRadioA0 + 2, kRadioB0, kDo, kUnbound,
                                         kList, kNarrow, kIdOk, kIdCancel, kLine}));
        EXPECT_EQ(TabWalk(d, 2, Qt::ShiftModifier), Names({kIdCancel, kIdOk}));
    });
}

// Enter sends command 1 from an edit box, starts a new line in a box that
// wants it, and presses the focused button, else the default one.
TEST_F(FrameworkTest, EnterActsOnTheFocusedControl) {
    const struct {
        int templateId, focus;
        Qt::Key key;
        std::vector<std::string> log;
    } cases[] = {
        {.templateId = kTestDialog, .focus = kLine, .key = Qt::Key_Return, .log = {"setup", "ok"}},
        {.templateId = kTestDialog, .focus = kSummary, .key = Qt::Key_Return, .log = {"setup"}},
        {.templateId = kTestDialog, .focus = kDo, .key = Qt::Key_Return, .log = {"setup", "do"}},
        {.templateId = kDefaultButtonDialog,
         .focus = kLine,
         .key = Qt::Key_Enter,
         .log = {"setup", "do"}},
    };
    for (const auto& c : cases) {
        log.clear();
        Show(
            [&c](TTestDlg& d) {
                d.Control(c.focus)->setFocus();
                PressKey(d, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            },
            c.templateId);
        EXPECT_EQ(log, c.log) << "dialog " << c.templateId << ", focus on " << c.focus;
    }
}

// Arrows step through a group in template order, wrapping, and check the
// button they reach; the other group is left alone.
TEST_F(FrameworkTest, ArrowKeysMoveWithinOneRadioGroupAndCheck) {
    Show([](TTestDlg& d) {
        Click(d, kRadioA0);
        std::vector<std::string> visited;
        for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
            PressKey(d, key);
            visited.push_back(FocusedName(d));
        }
        EXPECT_EQ(visited,
                  Names({kRadioA0 + 1, kRadioA0 + 2, kRadioA0, kRadioA0 + 2, kRadioA0 + 1}));
        EXPECT_TRUE(framework::TRadioButton(&d, kRadioA0 + 1).IsChecked());
        EXPECT_FALSE(framework::TRadioButton(&d, kRadioB0).IsChecked());
    });
}

}  // namespace
}  // namespace jtest
