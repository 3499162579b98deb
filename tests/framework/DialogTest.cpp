// Dialogs: built from their templates, modal runs, the keyboard, message boxes.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TestDialogs.h"
#include "framework/Controls.h"
#include "framework/DialogUnits.h"

namespace jtest {
namespace {

using framework::kIdCancel;
using framework::kIdOk;
using framework::testing::DialogsShown;

// Set up once however often it is shown, sized from its font, its controls
// found by id.
TEST_F(FrameworkTest, ADialogIsBuiltFromItsTemplateAndSetUpOnce) {
    const framework::DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(240, 120, 50, 14), QRect(360, 195, 75, 23));
    EXPECT_EQ(units.X(1), 2);  // 1.5 rounds away from zero
    TTestDlg shown(nullptr, &log);
    shown.ShowModeless();
    shown.ShowModeless();
    EXPECT_TRUE(shown.Widget()->isVisible());
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        const framework::DialogUnits units(d.Widget()->font());
        EXPECT_EQ(d.Widget()->size(), QSize(units.X(300), units.Y(200)));
        EXPECT_EQ(d.Control(kDo)->geometry(), units.ToPixels(200, 120, 40, 14));
        EXPECT_EQ(d.Control(kToggle)->accessibleName(), "Toggle");
        EXPECT_EQ(d.Control(999), nullptr);
        EXPECT_EQ(ControlOf<QLabel>(d, kLabel)->buddy(), d.Control(kNarrow));
        d.EndDialog(kIdCancel);
    });
    EXPECT_EQ(shown.Execute(), 2);
    EXPECT_EQ(log, std::vector<std::string>{"setup"});
}

// The dialog's own table comes before the base; an unbound id does nothing;
// a dialog its action leaves open is recorded so and closed.
TEST_F(FrameworkTest, WaysOfEndingGiveTheirResults) {
    const struct {
        std::function<void(TTestDlg&)> act;
        int result;
    } cases[] = {
        {.act = [](TTestDlg& d) { d.Widget()->close(); }, .result = 2},
        {.act = [](TTestDlg& d) { d.EndDialog(108); }, .result = 108},
        {.act =
             [](TTestDlg& d) {
                 Click(d, kIdOk);  // logs, does not close
                 Click(d, kUnbound);
             },
         .result = 2},
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_EQ(Run(c.act), c.result) << &c - cases;
        EXPECT_EQ(DialogsShown().back().leftOpen, &c == std::end(cases) - 1);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "ok"}));
}

// Two dialogs hand over to each other three times, each from its handler
// after ending itself: it hides at once, and the runs unwind innermost first.
TEST_F(FrameworkTest, EndingHidesAtOnceAndNestedRunsUnwindInnermostFirst) {
    std::vector<int> returned;
    std::function<void(TTestDlg&, int)> handOver = [&](TTestDlg& self, int depth) {
        self.EndDialog(kIdCancel);
        EXPECT_FALSE(self.Widget()->isVisible());
        if (depth == 3) return;
        framework::testing::OnNextDialog([&, depth](framework::TDialog& d) {
            auto& next = static_cast<TTestDlg&>(d);
            next.onDo = [&, depth](TTestDlg& s) { handOver(s, depth + 1); };
            Click(next, kDo);
        });
        TTestDlg next(&self, &log);
        EXPECT_EQ(next.Execute(), 2);
        returned.push_back(depth + 1);
    };
    EXPECT_EQ(Run([&](TTestDlg& d) {
                  d.onDo = [&](TTestDlg& s) { handOver(s, 0); };
                  Click(d, kDo);
              }),
              2);
    EXPECT_EQ(returned, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(DialogsShown().size(), 4u);
    for (const auto& shown : DialogsShown()) EXPECT_FALSE(shown.leftOpen);
}

std::vector<std::string> Names(std::initializer_list<int> ids) {
    std::vector<std::string> names;
    for (const int id : ids) names.push_back(ControlName(id));
    return names;
}
std::vector<std::string> Walk(TTestDlg& d, std::initializer_list<int> keys,
                              Qt::KeyboardModifiers modifiers = {}) {
    std::vector<std::string> names;
    for (const int key : keys) {
        PressKey(d, key, modifiers);
        names.push_back(FocusedName(d));
    }
    return names;
}

// Tab skips hidden, untabbable and unchecked group members and enters a
// group at its checked button; arrows step through a group, wrapping, and
// check the button they reach; a group excludes only within itself.
TEST_F(FrameworkTest, TabArrowsAndClicksFollowTemplateOrderAndRadioGroups) {
    Show([](TTestDlg& d) {
        framework::TRadioButton(&d, kRadioA0 + 2).SetCheck(true);
        d.Control(kLine)->setFocus();
        const int tab = Qt::Key_Tab;
        EXPECT_EQ(Walk(d, {tab, tab, tab, tab, tab, tab, tab, tab, tab, tab, tab}),
                  Names({kSummary, kToggle, kRadioA0 + 2, kRadioB0, kDo, kUnbound, kList, kNarrow,
                         kIdOk, kIdCancel, kLine}));
        EXPECT_EQ(Walk(d, {tab, tab}, Qt::ShiftModifier), Names({kIdCancel, kIdOk}));
        Click(d, kRadioA0);
        EXPECT_EQ(Walk(d, {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}),
                  Names({kRadioA0 + 1, kRadioA0 + 2, kRadioA0, kRadioA0 + 2, kRadioA0 + 1}));
        framework::TRadioButton a0(&d, kRadioA0), a1(&d, kRadioA0 + 1), b0(&d, kRadioB0);
        EXPECT_FALSE(b0.IsChecked());
        Click(d, kRadioB0);
        EXPECT_TRUE(a1.IsChecked() && b0.IsChecked());
        a1.SetCheck(false);  // the program can clear a group
        EXPECT_FALSE(a0.IsChecked() || a1.IsChecked());
    });
}

// Enter presses the focused button, else the default one; the keypad's too.
TEST_F(FrameworkTest, EnterPressesTheFocusedButtonElseTheDefaultOne) {
    Show([](TTestDlg& d) {
        d.Control(kDo)->setFocus();
        PressKey(d, Qt::Key_Return);
    });
    Show(
        [](TTestDlg& d) {
            d.Control(kLine)->setFocus();
            PressKey(d, Qt::Key_Enter, Qt::KeypadModifier);
        },
        kDefaultButtonDialog);
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "do", "setup", "do"}));
}

// The real message box, outside the test seam: its icon follows the flags
// (the warning's bits include the stop and question bits), Yes/No boxes
// answer with the button pressed, and the texts arrive decoded.
TEST_F(GuiTest, TheRealMessageBoxFollowsItsFlags) {
    framework::testing::SetTestMode(false);
    const struct {
        unsigned flags;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton press;
        int answer;
    } cases[] = {
        {framework::kMbIconQuestion | framework::kMbYesNo, QMessageBox::Question, QMessageBox::No,
         framework::kIdNo},
        {framework::kMbIconQuestion | framework::kMbYesNo, QMessageBox::Question, QMessageBox::Yes,
         framework::kIdYes},
        {framework::kMbIconWarning, QMessageBox::Warning, QMessageBox::Ok, kIdOk},
    };
    for (const auto& c : cases) {
        QString shown;
        QTimer::singleShot(0, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(window);
                if (!box || !box->isVisible()) continue;
                shown = QString("%1 %2 %3")
                            .arg(static_cast<int>(box->icon()))
                            .arg(box->windowTitle(), box->text());
                box->button(c.press) ? box->button(c.press)->click() : box->done(0);
            }
        });
        EXPECT_EQ(framework::MessageBox(nullptr, "Caf\xE9", "Title", c.flags), c.answer);
        EXPECT_EQ(shown, QString("%1 Title Caf\u00E9").arg(static_cast<int>(c.icon))) << c.flags;
    }
    framework::testing::SetTestMode(true);
}

}  // namespace
}  // namespace jtest
