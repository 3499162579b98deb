// The button entry dialog, driven through its controls: what it shows, the
// record OK appends for each row's score and heading, and its help screen.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "EntryTest.h"
#include "entry/TDlg4.h"
#include "resources/ResourceIds.h"

namespace jtest {
namespace {

constexpr int kTodayBox = 178;

int ScoreButton(int row, int score) {
    return 101 + 11 * row + score;
}

// Clicks score[r] in row r; -1 leaves the row alone.
void ChooseScores(framework::TDialog& d, const std::array<int, 6>& scores) {
    for (int r = 0; r < 6; ++r) {
        if (scores[r] >= 0) Click(d, ScoreButton(r, scores[r]));
    }
}

class ButtonEntryDialogTest : public EntryTest {};

TEST_F(ButtonEntryDialogTest, OpensForThePreferredDayWithTheHeadingsAndNoScore) {
    struct Case {
        bool preference;
        const char* heading;
        const char* label;
    };
    const Case cases[] = {
        {true, "Enter news for: Sunday 07 December 2014", "I wish to enter Yesterday's news"},
        {false, "Enter news for: Saturday 06 December 2014", "I wish to enter Today's news"},
    };
    app::Values().headings = {"Work", "50% %s", "", "Caf\xE9", "Hobby", " "};
    for (const Case& c : cases) {
        app::Values().todayPreference = c.preference;
        RunDialog<entry::TDlg4>([&c](framework::TDialog& d) {
            EXPECT_EQ(d.Widget()->windowTitle(), "Button  Entry");
            EXPECT_EQ(TextOf(d, 176), c.heading);
            EXPECT_EQ(TextOf(d, 177), c.label);
            EXPECT_EQ(ControlOf<QPushButton>(d, kTodayBox)->isChecked(), c.preference);
            const char* shown[] = {"Work", "50% %s", "", "Caf\u00e9", "Hobby", " "};
            for (int r = 0; r < 6; ++r) {
                EXPECT_EQ(TextOf(d, 169 + r), shown[r]) << r;
                for (int s = 0; s <= 10; ++s) {
                    EXPECT_FALSE(ControlOf<QRadioButton>(d, ScoreButton(r, s))->isChecked());
                }
            }
            Click(d, 2);
        });
    }
    EXPECT_TRUE(AllClosedByTheirActions());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InTestDir("Jotwel.dat"))));
    EXPECT_EQ(SettingsBytes(), "");
}

// Screen readers name each score button by its row's heading and its score.
TEST_F(ButtonEntryDialogTest, ScoreButtonsAreNamedByHeadingAndScore) {
    app::Values().headings[2] = "";
    RunDialog<entry::TDlg4>([](framework::TDialog& d) {
        EXPECT_EQ(d.Control(ScoreButton(0, 0))->accessibleName(), "Work, score 0");
        EXPECT_EQ(d.Control(ScoreButton(5, 10))->accessibleName(), "Weather, score 10");
        EXPECT_EQ(d.Control(ScoreButton(2, 4))->accessibleName(), "Subject heading 3, score 4");
    });
}

// Each row's score is stored after its own heading (as it is: no format is
// applied), -1 for a row with none; the record goes at the end of the diary
// whatever its key.
TEST_F(ButtonEntryDialogTest, OkAppendsEachRowsScoreAfterItsHeading) {
    const store::TEntryRecord textEntry{"today  = )", "07/12/14 @ 21:00:00", 1417986000, 5};
    struct Case {
        std::array<std::string, 6> headings;
        std::array<int, 6> scores;
        const char* text;
    };
    const Case cases[] = {
        {kHeadings,
         {7, -1, 5, 10, 0, 3},
         "Work = 7 : Health = -1 :Money = 5 Family = 10 : Hobby = 0 : Weather = 3"},
        {kHeadings,
         {-1, -1, -1, -1, -1, -1},
         "Work = -1 : Health = -1 :Money = -1 Family = -1 : Hobby = -1 : Weather = -1"},
        {{"100% %s", "%d%n", "Caf\xE9", "", " ", "x"},
         {9, 0, -1, -1, -1, 1},
         "100% %s = 9 : %d%n = 0 :Caf\xE9 = -1  = -1 :   = -1 : x = 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WriteDiary({textEntry});
        framework::testing::ResetSeams();
        app::Values().headings = c.headings;
        RunDialog<entry::TDlg4>([&c](framework::TDialog& d) {
            if (c.scores[0] >= 0) Click(d, ScoreButton(0, 2));  // a row holds one score
            ChooseScores(d, c.scores);
            Click(d, 1);
        });
        EXPECT_TRUE(AllClosedByTheirActions());
        const store::TEntryRecord expected{c.text, "06/12/14",
                                           static_cast<std::int32_t>(kAtOk - 86400), -1};
        EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{textEntry, expected}));
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

// The first click on the today box changes to the text entry's wording; OK
// stores for the day the box says.
TEST_F(ButtonEntryDialogTest, TodayBoxChoosesTheDay) {
    struct Case {
        bool preference;
        int clicks;
        const char* heading;
        const char* label;
        std::int64_t key;
    };
    const Case cases[] = {
        {true, 0, "Enter news for: Sunday 07 December 2014", "I wish to enter Yesterday's news",
         kAtOk},
        {true, 1, "Enter Events for Yesterday", "I want to Enter Todays's Events", kAtOk - 86400},
        {false, 1, "OK, Enter Events for TODAY!  ( 7 December)",
         "I want to Enter Yesterdays's Events", kAtOk},
        {false, 2, "Enter Events for Yesterday", "I want to Enter Todays's Events", kAtOk - 86400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.preference) + " " + std::to_string(c.clicks));
        std::remove(InTestDir("Jotwel.dat").c_str());
        app::Values().todayPreference = c.preference;
        RunDialog<entry::TDlg4>([&c](framework::TDialog& d) {
            for (int i = 0; i < c.clicks; ++i) Click(d, kTodayBox);
            EXPECT_EQ(TextOf(d, 176), c.heading);
            EXPECT_EQ(TextOf(d, 177), c.label);
            Click(d, 1);
        });
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Key, c.key);
        EXPECT_EQ(records[0].Stamp, dates::FormatShortDate(c.key));
    }
}

// Help shows the button entry help over the dialog, which keeps its choices.
TEST_F(ButtonEntryDialogTest, HelpKeepsTheChoices) {
    framework::TDialog* entryDialog = nullptr;
    RunDialog<entry::TDlg4>([&entryDialog](framework::TDialog& d) {
        entryDialog = &d;
        ChooseScores(d, {1, 2, 3, 4, 5, 6});
        Click(d, kTodayBox);
        framework::testing::OnNextDialog([&entryDialog](framework::TDialog& help) {
            EXPECT_EQ(help.Parent(), entryDialog);
            EXPECT_EQ(help.Widget()->windowTitle(), "Help on using Button Entries");
            PressKey(help, Qt::Key_Escape);
        });
        Click(d, 9);
        EXPECT_TRUE(d.IsRunning());
        Click(d, 1);
    });
    EXPECT_EQ(TemplatesShown(), (std::vector<int>{4, resources::kButtonEntryHelpDialog}));
    EXPECT_TRUE(AllClosedByTheirActions());
    const auto records = DiaryRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Text,
              "Work = 1 : Health = 2 :Money = 3 Family = 4 : Hobby = 5 : Weather = 6");
    EXPECT_EQ(records[0].Key, kAtOk);
}

}  // namespace
}  // namespace jtest
