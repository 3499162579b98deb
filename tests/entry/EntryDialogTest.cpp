// The text and button entry dialogs driven through their controls and keys;
// the day an entry is for; and what OK leaves in the diary and the settings
// file, and tells, after each fault.

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "EntryTest.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/EntrySave.h"
#include "entry/RunButtonEntry.h"
#include "entry/SaveReport.h"
#include "entry/TextEntryDialog.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace button_ids = resources::button_entry_ids;
namespace date_ids = resources::other_date_ids;
using button_ids::ScoreButton;
using platform::FaultEnv;
using resources::kButtonEntryDialog;
using resources::kTextEntryDialog;

// Types each line into the summary box, pressing Enter between them.
void TypeSummary(const framework::TDialog& d, const std::vector<QString>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(d.Control(text_ids::kSummaryBox), Qt::Key_Return);
        Type(d, text_ids::kSummaryBox, lines[i]);
    }
}

// Opens the dialog's help with button, over the dialog, and closes it.
void Help(framework::TDialog& d, int button) {
    framework::testing::OnNextDialog([&d](framework::TDialog& help) {
        EXPECT_EQ(help.Parent(), &d);
        PressKey(help, Qt::Key_Escape);
    });
    Click(d, button);
}

class EntryDialogTest : public EntryTest {};

// The boxes take their whole capacity key by key, even in wide letters, and
// refuse a character past it; what they hold is stored byte for byte in
// Windows-1252, only the composition's own tail being cut. A summary and
// note too long together are refused, the dialog staying open.
TEST_F(EntryDialogTest, TextEntryStoresWhatWasTypedByteForByte) {
    const struct {
        std::vector<QString> summary;
        QString note = "";
        int score = -1;
        std::string text, told = "", title = " ?! ";
    } cases[] = {
        {.summary = {"100% %s %d"}, .note = "%n", .score = 10, .text = "100% %s %d  = %n)"},
        {.summary = {QStringLiteral("Caf\u00e9 \u20ac"), QStringLiteral("10\u00a0km")},
         .note = QStringLiteral("a\u00a0b"),
         .text = "Caf\xE9 \x80\r\n10\xA0km  = a\xA0"
                 "b)",
         .title = "Best " + std::string(90, 'o')},
        {.summary = {QString(498, 'W') + "ab"}, .text = std::string(498, 'W') + "a "},
        {.summary = {},
         .note = QString(78, 'W') + "lx",
         .score = 0,
         .text = "  = " + std::string(78, 'W') + "l)"},
        {.summary = {QString(493, '.'), "last"},  // 493 + 2 + 4 = 499 bytes
         .note = "abc",
         .text = "",
         .told = "Entry Too Long: The summary and the note are too long to be kept together in one "
                 "entry.\nPlease remove 6 characters from them (a line break counts as two)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        StartUp();
        ASSERT_TRUE(session::WriteSetting("TextTit", c.title).ok());
        const std::string title =
            c.title == " ?! " ? "Most Memorable Event" : c.title.substr(0, 80);
        RunDialog<entry::TextEntryDialog>([&](framework::TDialog& d) {
            EXPECT_EQ(TextOf(d, text_ids::kNoteTitleLabel), title);
            TypeSummary(d, c.summary);
            Type(d, text_ids::kNoteBox, c.note);
            if (c.score >= 0) Click(d, text_ids::ScoreButton(c.score));
            Help(d, text_ids::kHelpButton);  // which keeps the entry
            Click(d, text_ids::kOkButton);
            EXPECT_EQ(d.IsRunning(), !c.told.empty());
            if (d.IsRunning()) Click(d, text_ids::kCancelButton);
        });
        EXPECT_EQ(DiaryRecords().size(), c.text.empty() ? 0u : 1u);
        EXPECT_EQ(TemplatesShown(),
                  (std::vector<int>{kTextEntryDialog, resources::kTextEntryHelpDialog}));
        std::string told;  // caption: text of each message box
        for (const auto& box : framework::testing::MessageBoxesShown()) {
            told += box.caption + ": " + box.text;
        }
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(session::Values().noteTitle, title);
        if (c.text.empty()) continue;
        EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{
                                      {c.text, "06/12/14 @ 21:07:09", kAtOk - kDay, c.score}}));
    }
}

// Each row's score follows its heading as it is (no format applied), -1 for
// none; the record is appended whatever its key. A score button is named by
// its heading, or its row when the heading holds no letter or digit. A row
// is one tab stop, entered at its checked button; arrows move the score.
TEST_F(EntryDialogTest, ButtonEntryAppendsEachRowsScoreAfterItsHeading) {
    const store::TEntryRecord today{"today  = )", "07/12/14 @ 21:00:00", 1417986000, 5};
    PutDiary({today});
    session::Values().headings = {"100% %s", "%d%n", "Caf\xE9", "", " ", "x"};
    RunDialog<entry::ButtonEntryDialog>([](framework::TDialog& d) {
        EXPECT_EQ(TextOf(d, button_ids::SubjectLabel(0)) + "|" +
                      TextOf(d, button_ids::SubjectLabel(2)) + "|" +
                      TextOf(d, button_ids::SubjectLabel(3)),
                  "100% %s|Caf\u00e9|");
        EXPECT_EQ(d.Control(ScoreButton(0, 0))->accessibleName(), "100% %s, score 0");
        EXPECT_EQ(d.Control(ScoreButton(4, 10))->accessibleName(), "Subject heading 5, score 10");
        using namespace button_ids;
        ExpectFocusPath(
            d, Qt::Key_Tab,
            {kCancelButton, kHelpButton, ScoreButton(0, 0), ScoreButton(1, 0), ScoreButton(2, 0),
             ScoreButton(3, 0), ScoreButton(4, 0), ScoreButton(5, 0), kTodayBox, kSwitchButton,
             kOkButton, kCancelButton, kHelpButton, ScoreButton(0, 0)});
        PressKey(d, Qt::Key_Space);
        ExpectFocusPath(d, Qt::Key_Left, {ScoreButton(0, 10), ScoreButton(0, 9)});
        ExpectFocusPath(d, Qt::Key_Tab, {ScoreButton(1, 0)});
        ExpectFocusPath(d, Qt::Key_Backtab, {ScoreButton(0, 9)});
        Click(d, ScoreButton(1, 0));
        Click(d, ScoreButton(5, 10));
        Help(d, kHelpButton);  // which keeps the entry
        Click(d, button_ids::kOkButton);
    });
    EXPECT_EQ(TemplatesShown(),
              (std::vector<int>{kButtonEntryDialog, resources::kButtonEntryHelpDialog}));
    const store::TEntryRecord expected{
        "100% %s = 9 : %d%n = 0 :Caf\xE9 = -1  = -1 :   = -1 : x = 10", "06/12/14",
        static_cast<std::int32_t>(kAtOk - kDay), -1};
    EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{today, expected}));
}

// Each fills its dialog with something that must not be stored, then switches.
void ToButtons(framework::TDialog& d) {
    Type(d, text_ids::kSummaryBox, "Dropped");
    Click(d, text_ids::kSwitchButton);
    EXPECT_FALSE(d.IsRunning());
}
void ToText(framework::TDialog& d) {
    Click(d, ScoreButton(0, 0));
    Click(d, button_ids::kSwitchButton);
    EXPECT_FALSE(d.IsRunning());
}
void SaveText(framework::TDialog& d) {
    EXPECT_EQ(TextOf(d, text_ids::kSummaryBox), "") << "nothing is carried over";
    Type(d, text_ids::kSummaryBox, "Kept");
    Click(d, text_ids::kOkButton);
}
void SaveButtons(framework::TDialog& d) {
    EXPECT_FALSE(ControlOf<QAbstractButton>(d, ScoreButton(0, 0))->isChecked())
        << "nothing is carried over";
    Click(d, ScoreButton(5, 10));
    Click(d, button_ids::kOkButton);
}

// The entry dialogs hand over to each other without saving, from inside
// their handlers (modal runs nest and unwind). Without a first subject
// heading button entries only say so.
TEST_F(EntryDialogTest, EachSwitchDropsWhatWasEnteredAndTheLastDialogSaves) {
    const struct {
        std::vector<void (*)(framework::TDialog&)> actions;  // the first dialog's first
        std::vector<std::string> stored = {};                // Text of each record
        std::string head0 = "Work";
    } cases[] = {
        {.actions = {ToButtons, SaveButtons},
         .stored = {"Work = -1 : Health = -1 :Money = -1 Family = -1 : Hobby = -1 : Weather = 10"}},
        {.actions = {ToButtons, ToText, ToButtons, ToText, SaveText}, .stored = {"Kept  = )"}},
        {.actions = {ToText, [](framework::TDialog& d) { PressKey(d, Qt::Key_Escape); }}},
        {.actions = {}, .head0 = "-/-"},
    };
    for (const auto& c : cases) {
        StartUp();
        session::Values().headings[0] = c.head0;
        const bool buttons = c.actions.empty() || c.actions[0] == ToText;
        std::vector<int> shown;  // the dialogs alternate
        for (const auto action : c.actions) {
            framework::testing::OnNextDialog(action);
            shown.push_back((shown.size() % 2 == 0) == buttons ? kButtonEntryDialog
                                                               : kTextEntryDialog);
        }
        if (buttons) {
            EXPECT_EQ(entry::RunButtonEntry(nullptr), c.head0 != "-/-");
        } else {
            entry::TextEntryDialog(nullptr).Execute();
        }
        EXPECT_EQ(TemplatesShown(), shown);
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), c.head0 == "-/-" ? 1u : 0u);
        EXPECT_EQ(DiaryTexts(), c.stored);
        EXPECT_EQ(SettingsBytes(), c.stored.empty() ? "" : kLastDateWritten);
    }
}

// The start of 25/12/10 in UTC, the fixture's zone.
constexpr std::int64_t kXmas = 1293235200;
// What both entry dialogs show once their today box has been clicked.
constexpr char kTodayHeading[] = "OK, Enter Events for TODAY!  ( 7 December)";
constexpr char kYesterdayHeading[] = "Enter Events for Yesterday";

// Types each date and presses Enter (OK); cancels when the dialog is still
// open after the last.
Action Typed(std::vector<const char*> dates) {
    return [dates](framework::TDialog& d) {
        for (const char* date : dates) {
            ControlOf<QLineEdit>(d, date_ids::kDateBox)->clear();
            Type(d, date_ids::kDateBox, date);
            PressKey(d, Qt::Key_Return);
        }
        if (d.IsRunning()) Click(d, date_ids::kCancelButton);
    };
}

// Heading|label as each dialog (text, buttons) opens for yesterday and for today.
const std::string kOpened[2][2] = {
    {"Enter Events for: Saturday 06 December 2014|I want to enter Today's Events",
     "Enter Events for: Sunday 07 December 2014|I want to enter Yesterday's Events"},
    {"Enter news for: Saturday 06 December 2014|I wish to enter Today's news",
     "Enter news for: Sunday 07 December 2014|I wish to enter Yesterday's news"}};

// The day an entry is for: both dialogs open on the start-up preference's
// day and the today box turns it; the other-date box is checked exactly
// while an accepted date is in force. OK stores the entry for the day the
// heading names (a special date at the start of that local day).
// Every order of up to three clicks, T on the today box, and in the text
// entry dialog on the other-date box A (an impossible date refused, then one
// with a fifth year digit the box does not take) or R (a date too late
// refused, then Cancel). Text entries go in key order, before a later one.
TEST_F(EntryTest, TheHeadingNamesTheDayOkStoresWhateverTheOrderOfClicks) {
    std::vector<std::string> orders = {""};
    for (std::size_t from = 0; orders.back().size() < 3; ++from) {
        for (char click : {'T', 'A', 'R'}) orders.push_back(orders[from] + click);
    }
    const store::TEntryRecord later{"later  = )", "08/12/14 @ 09:00:00", 1418029200, 5};
    for (const bool buttons : {false, true}) {
        const int todayBox = buttons ? button_ids::kTodayBox : text_ids::kTodayBox;
        const int headingId = buttons ? button_ids::kDayHeading : text_ids::kDayHeading;
        const int labelId = buttons ? button_ids::kTodayLabel : text_ids::kTodayLabel;
        const auto run =
            buttons ? RunDialog<entry::ButtonEntryDialog> : RunDialog<entry::TextEntryDialog>;
        for (const bool preference : {false, true}) {
            for (const std::string& order : orders) {
                if (buttons && order.find_first_not_of('T') != std::string::npos) continue;
                SCOPED_TRACE(order + (preference ? " from today" : " from yesterday"));
                StartUp();
                PutDiary({later});
                session::Values().todayPreference = preference;
                bool today = preference;
                bool inForce = false;
                const std::string& opened = kOpened[buttons][preference];
                std::string heading = opened.substr(0, opened.find('|'));
                std::string label = opened.substr(opened.find('|') + 1);
                run([&](framework::TDialog& d) {
                    for (char click : order) {
                        if (click == 'T') {
                            today = !today;
                            Click(d, todayBox);
                        } else {
                            inForce = click == 'A';
                            framework::testing::OnNextDialog(
                                inForce ? Typed({"31/02/26", "25/12/20101"}) : Typed({"06/12/14"}));
                            Click(d, text_ids::kOtherDateBox);
                        }
                        if (click != 'A') {
                            label = today ? "I want to Enter Yesterdays's Events"
                                          : "I want to Enter Todays's Events";
                        }
                        heading = inForce ? "Entry for 25/12/2010"
                                  : today ? kTodayHeading
                                          : kYesterdayHeading;
                    }
                    EXPECT_EQ(ControlOf<QAbstractButton>(d, todayBox)->isChecked(), today);
                    EXPECT_EQ(TextOf(d, headingId) + "|" + TextOf(d, labelId),
                              heading + "|" + label);
                    const int otherDateBox = text_ids::kOtherDateBox;
                    EXPECT_EQ(!buttons && ControlOf<QAbstractButton>(d, otherDateBox)->isChecked(),
                              inForce);
                    Click(d, framework::kIdOk);
                });
                const std::size_t dates = order.size() - std::ranges::count(order, 'T');
                EXPECT_EQ(TemplatesShown().size(), 1 + dates);
                EXPECT_EQ(framework::testing::MessageBoxesShown().size(), dates);
                const auto records = DiaryRecords();
                ASSERT_EQ(records.size(), 2u);
                const std::int64_t key = inForce ? kXmas : today ? kAtOk : kAtOk - kDay;
                EXPECT_EQ(records[buttons ? 1 : 0].Key, key);
                EXPECT_EQ(records[buttons ? 0 : 1], later);
                EXPECT_EQ(SettingsBytes(), kLastDateWritten);
            }
        }
    }
}

// A save without a window, after each fault: only an entry that did not
// reach the diary keeps its dialog open; one stored is told as saved, with
// what went wrong after.
TEST_F(EntryTest, EachSaveOutcomeIsTold) {
    const store::TEntryRecord earlier{"earlier  = )", "01/12/14 @ 10:00:00", 1417428000, 2};
    const store::TEntryRecord entry{"x  = )", "07/12/14 @ 21:07:09", 1417986429, 5};
    const struct {
        unsigned op;
        int nth;
        std::string told;  // in the message box shown, if any
        bool stored = true, lastDate = true;
        bool existing = false;  // a diary to change, so that a version of it is due
    } cases[] = {
        {.op = FaultEnv::kRename, .nth = 0, .told = ""},
        {.op = FaultEnv::kWrite, .nth = 1, .told = "could not be saved", .stored = false},
        {.op = FaultEnv::kRename, .nth = 2, .told = "saved.\n\nBut the date of", .lastDate = false},
        {.op = FaultEnv::kSyncDir, .nth = 1, .told = "saved.\n\nBut the disk reported"},
        {.op = FaultEnv::kWrite, .nth = 1, .told = "No version of the diary", .existing = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        StartUp();
        if (c.existing) PutDiary({earlier});
        FaultEnv env(&clock_);
        env.FailNth(c.nth, c.op, EIO);
        platform::ScopedEnv useFaults(&env);
        const entry::EntrySaveResult result =
            entry::SaveEntry(entry, entry::Placement::kAtEnd, TestDir(), "071214");
        EXPECT_EQ(entry::ReportEntrySave(nullptr, result), c.stored);
        EXPECT_EQ(DiaryRecords().size(), c.existing + c.stored);
        EXPECT_EQ(SettingsBytes(), c.stored && c.lastDate ? kLastDateWritten : "");
        const auto& boxes = framework::testing::MessageBoxesShown();
        ASSERT_EQ(boxes.size(), c.told.empty() ? 0u : 1u);
        if (boxes.empty()) continue;
        EXPECT_NE(boxes[0].text.find(c.told), std::string::npos) << boxes[0].text;
        EXPECT_NE(boxes[0].text.find(std::strerror(EIO)), std::string::npos) << boxes[0].text;
    }
}

}  // namespace
}  // namespace jtest
