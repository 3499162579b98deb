// The text entry dialog, driven through its controls: what it shows as it
// opens and after the today box is clicked, and the bytes OK stores in the
// diary file and the settings file.
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>

#include "EntryTest.h"
#include "entry/TDlg1.h"
#include "resources/ResourceIds.h"

namespace jtest {
namespace {

constexpr int kTodayBox = 117;

class TextEntryDialogTest : public EntryTest {
protected:
    // Starts again from no diary and no settings file.
    void Forget() {
        std::remove(InTestDir("Jotwel.dat").c_str());
        std::remove(app::SettingsPath().c_str());
        framework::testing::ResetSeams();
    }
};

TEST_F(TextEntryDialogTest, OpensForThePreferredDay) {
    struct Case {
        bool preference;
        const char* heading;
        const char* label;
    };
    const Case cases[] = {
        {true, "Enter Events for: Sunday 07 December 2014", "I want to enter Yesterday's Events"},
        {false, "Enter Events for: Saturday 06 December 2014", "I want to enter Today's Events"},
    };
    for (const Case& c : cases) {
        app::Values().todayPreference = c.preference;
        RunDialog<entry::TDlg1>([&c](framework::TDialog& d) {
            EXPECT_EQ(d.Widget()->windowTitle(), "Yesterday's Events Entry");
            EXPECT_EQ(TextOf(d, 101), c.heading);
            EXPECT_EQ(TextOf(d, 118), c.label);
            EXPECT_EQ(ControlOf<QPushButton>(d, kTodayBox)->isChecked(), c.preference);
            EXPECT_FALSE(ControlOf<QPushButton>(d, 121)->isChecked());
            EXPECT_EQ(TextOf(d, 104), "Most Memorable Event");
            EXPECT_EQ(TextOf(d, 102), "");
            EXPECT_EQ(TextOf(d, 103), "");
            for (int id = 105; id <= 115; ++id) {
                EXPECT_FALSE(ControlOf<QRadioButton>(d, id)->isChecked()) << id;
            }
            EXPECT_EQ(FocusedName(d), "ctl102");
            Click(d, 2);
        });
    }
    EXPECT_TRUE(AllClosedByTheirActions());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InTestDir("Jotwel.dat"))));
    EXPECT_EQ(SettingsBytes(), "");
}

// The heading follows the today box; OK stores the entry for the day the
// box says, at the clock's instant of OK, and notes the start-up day.
TEST_F(TextEntryDialogTest, OkStoresForTheDayTheTodayBoxShows) {
    struct Case {
        bool preference;
        int clicks;
        const char* heading;
        const char* label;
        std::int64_t key;
    };
    const Case cases[] = {
        {true, 0, "Enter Events for: Sunday 07 December 2014", "I want to enter Yesterday's Events",
         kAtOk},
        {true, 1, "Enter Events for Yesterday", "I want to Enter Todays's Events", kAtOk - 86400},
        {false, 0, "Enter Events for: Saturday 06 December 2014", "I want to enter Today's Events",
         kAtOk - 86400},
        {false, 1, "OK, Enter Events for TODAY!  ( 7 December)",
         "I want to Enter Yesterdays's Events", kAtOk},
        {false, 2, "Enter Events for Yesterday", "I want to Enter Todays's Events", kAtOk - 86400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.preference) + " " + std::to_string(c.clicks));
        Forget();
        app::Values().todayPreference = c.preference;
        RunDialog<entry::TDlg1>([&c](framework::TDialog& d) {
            for (int i = 0; i < c.clicks; ++i) Click(d, kTodayBox);
            EXPECT_EQ(TextOf(d, 101), c.heading);
            EXPECT_EQ(TextOf(d, 118), c.label);
            Type(d, 102, "Went to the coast");
            Type(d, 103, "Saw seals");
            Click(d, 112);
            Click(d, 1);
        });
        EXPECT_TRUE(AllClosedByTheirActions());
        const store::TEntryRecord expected{"Went to the coast  = Saw seals)",
                                           dates::FormatStamp(c.key),
                                           static_cast<std::int32_t>(c.key), 7};
        EXPECT_EQ(DiaryRecords(), std::vector<store::TEntryRecord>{expected});
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

// LastDate is the start-up day even when OK comes after midnight; the entry
// carries the instant of OK.
TEST_F(TextEntryDialogTest, SavedAfterMidnightStoresTheNewDayAndNotesTheStartupDay) {
    clock_.SetNow(kStartup + 3 * 3600);
    app::Values().todayPreference = true;
    RunDialog<entry::TDlg1>([](framework::TDialog& d) { Click(d, 1); });
    const auto records = DiaryRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Stamp, "08/12/14 @ 00:05:09");
    EXPECT_EQ(SettingsBytes(), kLastDateWritten);
}

TEST_F(TextEntryDialogTest, StoresWhatWasTypedByteForByte) {
    struct Case {
        const char* name;
        std::vector<QString> summary;
        QString note;
        int scoreButton;  // 0: none clicked
        std::string text;
        int score;
    };
    const Case cases[] = {
        {"two lines",
         {"Went to the coast", "Saw seals"},
         "",
         0,
         "Went to the coast\r\nSaw seals  = )",
         -1},
        {"score 0", {"Quiet"}, "Nothing", 105, "Quiet  = Nothing)", 0},
        {"score 10", {"Great"}, "All", 115, "Great  = All)", 10},
        {"code page",
         {QStringLiteral("Caf\u00e9 \u20ac5")},
         QStringLiteral("na\u00efve"),
         0,
         "Caf\xE9 \x80"
         "5  = na\xEFve)",
         -1},
        {"percent", {"100% %s %d"}, "%n", 0, "100% %s %d  = %n)", -1},
        {"nothing", {}, "", 0, "  = )", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Forget();
        RunDialog<entry::TDlg1>([&c](framework::TDialog& d) {
            TypeLines(d, 102, c.summary);
            Type(d, 103, c.note);
            if (c.scoreButton) Click(d, c.scoreButton);
            Click(d, 1);
        });
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Text, c.text);
        EXPECT_EQ(records[0].Score, c.score);
    }
}

TEST_F(TextEntryDialogTest, NoteTitleComesFromTheSettingsWhenItHoldsALetterOrDigit) {
    struct Case {
        const char* stored;  // nullptr: no TextTit
        const char* shown;
    };
    const std::string longTitle = "Best " + std::string(90, 'o');
    const Case cases[] = {
        {nullptr, "Most Memorable Event"}, {"   ", "Most Memorable Event"},
        {"?!", "Most Memorable Event"},    {"Best Moment", "Best Moment"},
        {longTitle.c_str(), nullptr},  // the first 80 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        Forget();
        app::Values().noteTitle = app::kDefaultNoteTitle;
        if (c.stored) app::WriteSetting("TextTit", c.stored);
        const std::string shown = c.shown ? c.shown : longTitle.substr(0, 80);
        RunDialog<entry::TDlg1>([&shown](framework::TDialog& d) {
            EXPECT_EQ(TextOf(d, 104), shown);
            auto* title = ControlOf<QLabel>(d, 104);
            EXPECT_GE(title->width(), title->fontMetrics().horizontalAdvance(title->text()));
        });
        EXPECT_EQ(app::Values().noteTitle, shown);
    }
}

// The summary box takes 499 bytes, which are stored whole; the note box
// takes 79.
TEST_F(TextEntryDialogTest, FullSummaryAndFullNoteAreStoredWhole) {
    const QString summary = QString(".").repeated(497) + "ab";
    RunDialog<entry::TDlg1>([&summary](framework::TDialog& d) {
        Type(d, 102, summary + "c");
        EXPECT_EQ(TextOf(d, 102), summary.toStdString());
        Click(d, 1);
    });
    EXPECT_EQ(DiaryRecords().at(0).Text, summary.toStdString() + " ");

    Forget();
    const QString note = QString("i").repeated(78) + "l";
    RunDialog<entry::TDlg1>([&note](framework::TDialog& d) {
        Type(d, 103, note + "x");
        EXPECT_EQ(TextOf(d, 103), note.toStdString());
        Click(d, 1);
    });
    EXPECT_EQ(DiaryRecords().at(0).Text, "  = " + note.toStdString() + ")");
}

// Summary and note that do not fit together are refused with how many
// characters to remove; the dialog stays open with everything in it and
// stores the entry once it fits.
TEST_F(TextEntryDialogTest, TooLongForOneEntryIsRefusedUntilShortened) {
    // 493 + 2 + 4 = 499 bytes.
    const std::vector<QString> summary = {QString(".").repeated(493), "last"};
    RunDialog<entry::TDlg1>([&summary](framework::TDialog& d) {
        TypeLines(d, 102, summary);
        Type(d, 103, "abc");
        Click(d, 109);
        Click(d, 1);
        ASSERT_TRUE(d.IsRunning());
        const auto shown = LastMessageBox();
        EXPECT_EQ(shown.text,
                  "The summary and the note are too long to be kept together in one entry.\n"
                  "Please remove 6 characters from them (a line break counts as two).");
        EXPECT_EQ(shown.caption, "Entry Too Long");
        EXPECT_EQ(shown.flags, framework::kMbOk);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(InTestDir("Jotwel.dat"))));
        EXPECT_EQ(SettingsBytes(), "");
        EXPECT_EQ(TextOf(d, 103), "abc");
        for (int i = 0; i < 6; ++i) QTest::keyClick(d.Control(102), Qt::Key_Backspace);
        Click(d, 1);
    });
    EXPECT_TRUE(AllClosedByTheirActions());
    // Six keys took "last", the line break (two bytes) and one dot.
    EXPECT_EQ(DiaryRecords().at(0).Text, std::string(492, '.') + "  = abc)");
    EXPECT_EQ(DiaryRecords().at(0).Score, 4);
}

TEST_F(TextEntryDialogTest, CancelEscapeAndCloseBoxStoreNothing) {
    for (int way = 0; way < 3; ++way) {
        RunDialog<entry::TDlg1>([way](framework::TDialog& d) {
            Type(d, 102, "Not kept");
            Click(d, 110);
            if (way == 0) Click(d, 2);
            if (way == 1) PressKey(d, Qt::Key_Escape);
            if (way == 2) d.Widget()->close();
        });
    }
    EXPECT_TRUE(AllClosedByTheirActions());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(InTestDir("Jotwel.dat"))));
    EXPECT_EQ(SettingsBytes(), "");
}

// Help shows the text entry help over the dialog, which keeps everything.
TEST_F(TextEntryDialogTest, HelpShowsTheTextEntryHelpAndKeepsTheEntry) {
    framework::TDialog* entryDialog = nullptr;
    RunDialog<entry::TDlg1>([&entryDialog](framework::TDialog& d) {
        entryDialog = &d;
        Type(d, 102, "Kept");
        Click(d, 113);
        framework::testing::OnNextDialog([&entryDialog](framework::TDialog& help) {
            EXPECT_EQ(help.Parent(), entryDialog);
            Click(help, 1);
        });
        Click(d, 9);
        EXPECT_TRUE(d.IsRunning());
        Click(d, 1);
    });
    EXPECT_EQ(TemplatesShown(), (std::vector<int>{1, resources::kTextEntryHelpDialog}));
    EXPECT_TRUE(AllClosedByTheirActions());
    EXPECT_EQ(DiaryRecords().at(0).Text, "Kept  = )");
    EXPECT_EQ(DiaryRecords().at(0).Score, 8);
}

}  // namespace
}  // namespace jtest
