// The dialog keyboard: Tab order, Enter, arrows in radio groups.
#include <QPlainTextEdit>
#include <QTest>

#include "FrameworkFixture.h"
#include "framework/Controls.h"

namespace jtest {
namespace {

std::vector<std::string> TabWalk(TTestDlg& d, int steps, Qt::KeyboardModifiers modifiers = {}) {
    std::vector<std::string> names;
    for (int i = 0; i < steps; ++i) {
        PressKey(d, Qt::Key_Tab, modifiers);
        names.push_back(FocusedName(d));
    }
    return names;
}

TEST_F(FrameworkTest, TabVisitsTabStopsInTemplateOrderAndRadioGroupsOnce) {
    Run([](TTestDlg& d) {
        framework::TRadioButton(&d, kRadioA0 + 2).SetCheck(true);
        d.Control(kLine)->setFocus();
        // Hidden, untabbable and unchecked group members are skipped; a group
        // is entered at its checked button.
        EXPECT_EQ(TabWalk(d, 11),
                  (std::vector<std::string>{"ctl102", "ctl103", "ctl106", "ctl107", "ctl110",
                                            "ctl111", "ctl130", "ctl140", "ctl1", "ctl2",
                                            "ctl101"}));
        EXPECT_EQ(TabWalk(d, 2, Qt::ShiftModifier), (std::vector<std::string>{"ctl2", "ctl1"}));
        d.EndDialog(2);
    });
}

TEST_F(FrameworkTest, EnterSendsCommandOneFromAnEditBox) {
    Run([](TTestDlg& d) {
        Type(d, kLine, "x");
        PressKey(d, Qt::Key_Return);
        d.EndDialog(2);
    });
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "ok"}));
}

TEST_F(FrameworkTest, EnterInABoxThatWantsItStartsANewLine) {
    Run([](TTestDlg& d) {
        Type(d, kSummary, "one");
        PressKey(d, Qt::Key_Return);
        QTest::keyClicks(d.Control(kSummary), "two");
        EXPECT_EQ(framework::TEdit(&d, kSummary).GetText(), "one\r\ntwo");
        d.EndDialog(2);
    });
    EXPECT_EQ(log, std::vector<std::string>{"setup"});
}

TEST_F(FrameworkTest, EnterPressesTheFocusedButtonElseTheDefaultOne) {
    Run([](TTestDlg& d) {
        d.Control(kDo)->setFocus();
        PressKey(d, Qt::Key_Return);
        d.EndDialog(2);
    });
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "do"}));
    log.clear();
    Run(
        [](TTestDlg& d) {
            Type(d, kLine, "x");
            PressKey(d, Qt::Key_Enter, Qt::KeypadModifier);
            d.EndDialog(2);
        },
        kDefaultButtonDialog);
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "do"}));
}

// Arrows step through a group in template order, wrapping, and check the
// button they reach; the other group is left alone.
TEST_F(FrameworkTest, ArrowKeysMoveWithinOneRadioGroupAndCheck) {
    Run([](TTestDlg& d) {
        Click(d, kRadioA0);
        std::vector<std::string> visited;
        for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
            PressKey(d, key);
            visited.push_back(FocusedName(d));
        }
        EXPECT_EQ(visited, (std::vector<std::string>{"ctl105", "ctl106", "ctl104", "ctl106",
                                                     "ctl105"}));
        EXPECT_TRUE(framework::TRadioButton(&d, kRadioA0 + 1).IsChecked());
        EXPECT_FALSE(framework::TRadioButton(&d, kRadioB0).IsChecked());
        d.EndDialog(2);
    });
}

}  // namespace
}  // namespace jtest
