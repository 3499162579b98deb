// The subject headings dialog, driven through its controls: what it shows,
// what OK stores and in which order, where it stops, and its keyboard.
#include <QLineEdit>
#include <array>
#include <cstdio>
#include <string>

#include "SetupTest.h"
#include "setup/TDlg7.h"

namespace {

using Headings = std::array<std::string, app::kHeadingCount>;

const Headings kTyped = {"Health", "Work", "Family", "Sleep", "Exercise", "Mood"};
const Headings kOld = {"old 1", "old 2", "old 3", "old 4", "old 5", "old 6"};

// Types text into box (101..106) in place of what it holds.
void Retype(framework::TDialog& d, int box, const QString& text) {
    jtest::ControlOf<QLineEdit>(d, box)->clear();
    jtest::Type(d, box, text);
}

void TypeHeadings(framework::TDialog& d, const Headings& headings) {
    for (int i = 0; i < 6; ++i) Retype(d, 101 + i, QString::fromStdString(headings[i]));
}

std::string HeadingLines(const Headings& headings, int count) {
    std::string lines = "[Jotwel]\r\n";
    for (int i = 0; i < count; ++i) {
        lines += "Head" + std::to_string(i) + "=" + headings[i] + "\r\n";
    }
    return lines;
}

class HeadingsDialogTest : public jtest::SetupTest {};

// All six are stored in order as Windows-1252 bytes, each cut to 23 bytes,
// and are the headings in memory at once.
TEST_F(HeadingsDialogTest, OkStoresAllSixInOrder) {
    const QString narrow = QStringLiteral("fill it till it is full, still");  // 30 letters
    jtest::RunDialog<setup::TDlg7>([&narrow](framework::TDialog& d) {
        TypeHeadings(d, kTyped);
        Retype(d, 101, narrow);
        Retype(d, 102, QStringLiteral("Caf\u00e9"));
        ASSERT_GT(jtest::TextOf(d, 101).size(), 23u) << "the box takes more than 23 letters";
        jtest::Click(d, 1);
    });
    Headings expected = kTyped;
    expected[0] = "fill it till it is full";
    expected[1] = "Caf\xE9";
    EXPECT_TRUE(jtest::LastClosedByAction());
    EXPECT_EQ(jtest::SettingsBytes(), HeadingLines(expected, 6));
    EXPECT_EQ(app::Values().headings, expected);
}

// At the first box with no letter or digit OK shows the message and stops:
// earlier headings are stored, the rejected one is in memory only, later
// ones are untouched; Cancel keeps that state.
TEST_F(HeadingsDialogTest, StopsAtTheFirstBlankHeading) {
    struct Blank {
        QString typed;
        std::string kept;  // what slot 2 holds afterwards
    };
    const Blank blanks[] = {
        {"", ""}, {"   ", "   "}, {"-- ?!", "-- ?!"}, {QStringLiteral("\u00a3\u00e9"), "\xA3\xE9"}};
    for (const Blank& blank : blanks) {
        SCOPED_TRACE(blank.kept);
        std::remove(app::SettingsPath().c_str());
        framework::testing::ResetSeams();
        app::Values().headings = kOld;
        jtest::RunDialog<setup::TDlg7>([&blank](framework::TDialog& d) {
            TypeHeadings(d, kTyped);
            Retype(d, 103, blank.typed);
            jtest::Click(d, 1);
            EXPECT_TRUE(d.IsRunning());
            jtest::Click(d, 2);
        });
        const auto shown = jtest::LastMessageBox();
        EXPECT_EQ(shown.text,
                  "There is at least one empty heading\nYou must fill all 6 heading boxes");
        EXPECT_EQ(shown.caption, "");
        EXPECT_EQ(shown.flags, framework::kMbOk);
        EXPECT_EQ(jtest::SettingsBytes(), HeadingLines(kTyped, 2));
        const Headings expected = {kTyped[0], kTyped[1], blank.kept, kOld[3], kOld[4], kOld[5]};
        EXPECT_EQ(app::Values().headings, expected);
    }
}

TEST_F(HeadingsDialogTest, OkAgainAfterACorrectionStoresAllSix) {
    jtest::RunDialog<setup::TDlg7>([](framework::TDialog& d) {
        TypeHeadings(d, kTyped);
        Retype(d, 106, " ");
        jtest::Click(d, 1);
        Retype(d, 106, QString::fromStdString(kTyped[5]));
        jtest::Click(d, 1);
    });
    EXPECT_TRUE(jtest::LastClosedByAction());
    EXPECT_EQ(framework::testing::MessageBoxesShown().size(), 1u);
    EXPECT_EQ(jtest::SettingsBytes(), HeadingLines(kTyped, 6));
}

// The boxes show the headings in memory, but only when the stored second
// heading holds a letter or digit.
TEST_F(HeadingsDialogTest, OpensWithTheHeadingsInMemoryOnlyWhenHead1IsSet) {
    struct Case {
        const char* storedLines;  // nullptr: no settings file
        bool boxesFilled;
    };
    const Case cases[] = {
        {"Head0=\r\nHead1=Work\r\n", true},
        {"Head1=7\r\n", true},
        {nullptr, false},
        {"Head0=Health\r\nHead1=\r\nHead2=Family\r\n", false},
        {"Head0=Health\r\nHead1=- -\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedLines ? c.storedLines : "no file");
        std::remove(app::SettingsPath().c_str());
        if (c.storedLines) jtest::WriteSettings(c.storedLines);
        app::Values().headings = kOld;
        jtest::RunDialog<setup::TDlg7>([&c](framework::TDialog& d) {
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(jtest::TextOf(d, 101 + i), c.boxesFilled ? kOld[i] : "") << i;
            }
        });
    }
}

// Tab and Shift+Tab visit the boxes in order, then OK and Cancel; Enter in
// a box presses OK.
TEST_F(HeadingsDialogTest, KeyboardVisitsTheBoxesInOrderAndEnterSaves) {
    jtest::RunDialog<setup::TDlg7>([](framework::TDialog& d) {
        TypeHeadings(d, kTyped);
        jtest::ControlOf<QLineEdit>(d, 101)->setFocus();
        for (const char* name :
             {"ctl102", "ctl103", "ctl104", "ctl105", "ctl106", "ctl1", "ctl2", "ctl101"}) {
            jtest::PressKey(d, Qt::Key_Tab);
            EXPECT_EQ(jtest::FocusedName(d), name);
        }
        jtest::PressKey(d, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(jtest::FocusedName(d), "ctl2");
        jtest::ControlOf<QLineEdit>(d, 104)->setFocus();
        jtest::PressKey(d, Qt::Key_Return);
    });
    EXPECT_TRUE(jtest::LastClosedByAction());
    EXPECT_EQ(jtest::SettingsBytes(), HeadingLines(kTyped, 6));
}

}  // namespace
