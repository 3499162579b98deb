// Both entry dialogs used with the keyboard alone: Tab visits the controls
// in template order (a group of score buttons is one stop), Space and the
// arrow keys choose a score, Enter saves (a new line in the summary),
// Escape leaves without saving.
#include <QFile>
#include <QRadioButton>
#include <QTest>

#include "EntryTest.h"
#include "entry/TDlg1.h"
#include "entry/TDlg4.h"

namespace jtest {
namespace {

class EntryKeyboardTest : public EntryTest {};

void ExpectTabOrder(framework::TDialog& d, const std::vector<const char*>& names) {
    for (const char* name : names) {
        PressKey(d, Qt::Key_Tab);
        EXPECT_EQ(FocusedName(d), name);
    }
}

void PressTimes(framework::TDialog& d, int key, int times) {
    for (int i = 0; i < times; ++i) PressKey(d, key);
}

TEST_F(EntryKeyboardTest, TextEntryByKeyboardAlone) {
    RunDialog<entry::TDlg1>([](framework::TDialog& d) {
        ASSERT_EQ(FocusedName(d), "ctl102");
        ExpectTabOrder(d, {"ctl103", "ctl9", "ctl2", "ctl1", "ctl105", "ctl117", "ctl119", "ctl121",
                           "ctl102"});
        PressKey(d, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(FocusedName(d), "ctl121");
        ExpectTabOrder(d, {"ctl102"});
        QTest::keyClicks(d.Widget()->focusWidget(), "Rain");
        PressKey(d, Qt::Key_Return);  // a new line, not OK
        QTest::keyClicks(d.Widget()->focusWidget(), "Sun");
        ExpectTabOrder(d, {"ctl103"});
        QTest::keyClicks(d.Widget()->focusWidget(), "Rainbow");
        ExpectTabOrder(d, {"ctl9", "ctl2", "ctl1", "ctl105"});
        PressKey(d, Qt::Key_Space);  // score 0
        PressTimes(d, Qt::Key_Right, 6);
        EXPECT_EQ(FocusedName(d), "ctl111");
        EXPECT_TRUE(ControlOf<QRadioButton>(d, 111)->isChecked());
        PressKey(d, Qt::Key_Left);
        EXPECT_TRUE(ControlOf<QRadioButton>(d, 110)->isChecked());
        ExpectTabOrder(d, {"ctl117"});
        PressKey(d, Qt::Key_Space);  // the today box: now for today
        EXPECT_EQ(TextOf(d, 101), "OK, Enter Events for TODAY!  ( 7 December)");
        // Tab comes back into the score group at its checked button.
        PressKey(d, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(FocusedName(d), "ctl110");
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_TRUE(AllClosedByTheirActions());
    const auto records = DiaryRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Text, "Rain\r\nSun  = Rainbow)");
    EXPECT_EQ(records[0].Score, 5);
    EXPECT_EQ(records[0].Key, kAtOk);
}

TEST_F(EntryKeyboardTest, EscapeLeavesEitherDialogWithoutSaving) {
    RunDialog<entry::TDlg1>([](framework::TDialog& d) {
        QTest::keyClicks(d.Widget()->focusWidget(), "Gone");
        PressKey(d, Qt::Key_Escape);
    });
    RunDialog<entry::TDlg4>([](framework::TDialog& d) {
        d.Control(101)->setFocus();
        PressKey(d, Qt::Key_Space);
        PressKey(d, Qt::Key_Escape);
    });
    EXPECT_TRUE(AllClosedByTheirActions());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InTestDir("Jotwel.dat"))));
    EXPECT_EQ(SettingsBytes(), "");
}

TEST_F(EntryKeyboardTest, ButtonEntryByKeyboardAlone) {
    RunDialog<entry::TDlg4>([](framework::TDialog& d) {
        ASSERT_EQ(FocusedName(d), "ctl1");
        // Each row is one stop, entered at its first button while none is on.
        ExpectTabOrder(d, {"ctl2", "ctl9", "ctl101", "ctl112", "ctl123", "ctl134", "ctl145",
                           "ctl156", "ctl178", "ctl179", "ctl1"});
        ExpectTabOrder(d, {"ctl2", "ctl9", "ctl101"});
        PressKey(d, Qt::Key_Space);
        PressTimes(d, Qt::Key_Right, 7);  // row 1: 7
        EXPECT_EQ(FocusedName(d), "ctl108");
        ExpectTabOrder(d, {"ctl112"});  // row 2 left without a score
        ExpectTabOrder(d, {"ctl123"});
        PressKey(d, Qt::Key_Space);
        PressTimes(d, Qt::Key_Right, 10);  // row 3: 10
        EXPECT_EQ(FocusedName(d), "ctl133");
        PressKey(d, Qt::Key_Right);  // wraps round to 0
        EXPECT_EQ(FocusedName(d), "ctl123");
        PressTimes(d, Qt::Key_Left, 2);  // back round to 10, then 9
        // Shift+Tab comes back to row 1 at its checked button.
        PressKey(d, Qt::Key_Backtab, Qt::ShiftModifier);
        PressKey(d, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(FocusedName(d), "ctl108");
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_TRUE(AllClosedByTheirActions());
    const auto records = DiaryRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Text,
              "Work = 7 : Health = -1 :Money = 9 Family = -1 : Hobby = -1 : Weather = -1");
}

}  // namespace
}  // namespace jtest
