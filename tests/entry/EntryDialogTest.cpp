// The text and button entry dialogs driven through their controls and keys,
// and what OK leaves in the diary and the settings file.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QTest>

#include "EntryTest.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/TextEntryDialog.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace button_ids = resources::button_entry_ids;
using button_ids::ScoreButton;
using resources::kButtonEntryDialog;
using resources::kTextEntryDialog;

// Types each line into the summary box, pressing Enter between them.
void TypeSummary(const framework::TDialog& d, const std::vector<QString>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(d.Control(text_ids::kSummaryBox), Qt::Key_Return);
        Type(d, text_ids::kSummaryBox, lines[i]);
    }
}

// Presses key once per control id, expecting the focus on each in turn.
void ExpectFocusPath(framework::TDialog& d, int key, const std::vector<int>& ids) {
    for (const int id : ids) {
        PressKey(d, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(FocusedName(d), ControlName(id));
    }
}

// One of the two entry dialogs: its control ids, and a way to fill it in
// that makes a record with the text filled.
struct Kind {
    void (*run)(Action);
    int heading, label, todayBox, helpButton, helpDialog;
    void (*fill)(framework::TDialog&);
    const char* filled;
};
const Kind kText{.run = RunDialog<entry::TextEntryDialog>,
                 .heading = text_ids::kDayHeading,
                 .label = text_ids::kTodayLabel,
                 .todayBox = text_ids::kTodayBox,
                 .helpButton = text_ids::kHelpButton,
                 .helpDialog = resources::kTextEntryHelpDialog,
                 .fill =
                     [](framework::TDialog& d) {
                         TypeSummary(d, {"First line", "Second line"});
                         Type(d, text_ids::kNoteBox, "Note");
                         Click(d, text_ids::ScoreButton(5));
                     },
                 .filled = "First line\r\nSecond line  = Note)"};
const Kind kButtons{
    .run = RunDialog<entry::ButtonEntryDialog>,
    .heading = button_ids::kDayHeading,
    .label = button_ids::kTodayLabel,
    .todayBox = button_ids::kTodayBox,
    .helpButton = button_ids::kHelpButton,
    .helpDialog = resources::kButtonEntryHelpDialog,
    .fill =
        [](framework::TDialog& d) {
            Click(d, ScoreButton(0, 3));
            Click(d, ScoreButton(5, 9));
        },
    .filled = "Work = 3 : Health = -1 :Money = -1 Family = -1 : Hobby = -1 : Weather = 9"};

class EntryDialogTest : public EntryTest {};

// OK stores for the day the today box says, at the instant of OK, and notes
// the start-up day under LastDate.
TEST_F(EntryDialogTest, TodayBoxChoosesTheDayOkStores) {
    const struct {
        const Kind* kind;
        bool today;
        int clicks;
        std::int64_t key;
    } cases[] = {
        {.kind = &kText, .today = true, .clicks = 0, .key = kAtOk},
        {.kind = &kText, .today = false, .clicks = 0, .key = kAtOk - kDay},
        {.kind = &kText, .today = false, .clicks = 1, .key = kAtOk},
        {.kind = &kButtons, .today = true, .clicks = 0, .key = kAtOk},
        {.kind = &kButtons, .today = false, .clicks = 0, .key = kAtOk - kDay},
        {.kind = &kButtons, .today = true, .clicks = 1, .key = kAtOk - kDay},
    };
    std::vector<std::string> shown;  // heading|label of each case
    for (const auto& c : cases) {
        StartUp();
        session::Values().todayPreference = c.today;
        c.kind->run([&](framework::TDialog& d) {
            for (int i = 0; i < c.clicks; ++i) Click(d, c.kind->todayBox);
            shown.push_back(TextOf(d, c.kind->heading) + "|" + TextOf(d, c.kind->label));
            Click(d, framework::kIdOk);
        });
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Key, c.key) << shown.back();
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "Enter Events for: Sunday 07 December 2014|I want to enter Yesterday's "
                  "Events",
                  "Enter Events for: Saturday 06 December 2014|I want to enter Today's Events",
                  std::string(kTodayHeading) + "|I want to Enter Yesterdays's Events",
                  "Enter news for: Sunday 07 December 2014|I wish to enter Yesterday's news",
                  "Enter news for: Saturday 06 December 2014|I wish to enter Today's news",
                  std::string(kYesterdayHeading) + "|I want to Enter Todays's Events"}));
}

// The boxes take their whole capacity key by key, even in wide letters, and
// refuse a character past it; what they hold is stored byte for byte in
// Windows-1252, only the composition's own tail being cut.
TEST_F(EntryDialogTest, TextEntryStoresWhatWasTypedByteForByte) {
    const struct {
        std::vector<QString> summary;
        QString note;
        int score;
        std::string text;
    } cases[] = {
        {.summary = {"100% %s %d"}, .note = "%n", .score = 10, .text = "100% %s %d  = %n)"},
        {.summary = {QStringLiteral("Caf\u00e9 \u20ac"), QStringLiteral("10\u00a0km")},
         .note = QStringLiteral("a\u00a0b"),
         .score = -1,
         .text = "Caf\xE9 \x80\r\n10\xA0km  = a\xA0"
                 "b)"},
        {.summary = {QString(498, 'W') + "ab"},
         .note = "",
         .score = -1,
         .text = std::string(498, 'W') + "a "},
        {.summary = {},
         .note = QString(78, 'W') + "lx",
         .score = 0,
         .text = "  = " + std::string(78, 'W') + "l)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        StartUp();
        RunDialog<entry::TextEntryDialog>([&c](framework::TDialog& d) {
            TypeSummary(d, c.summary);
            Type(d, text_ids::kNoteBox, c.note);
            if (c.score >= 0) Click(d, text_ids::ScoreButton(c.score));
            Click(d, text_ids::kOkButton);
        });
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Text, c.text);
        EXPECT_EQ(records[0].Score, c.score);
    }
}

TEST_F(EntryDialogTest, TooLongForOneEntryIsRefusedUntilShortened) {
    RunDialog<entry::TextEntryDialog>([](framework::TDialog& d) {
        TypeSummary(d, {QString(493, '.'), "last"});  // 493 + 2 + 4 = 499 bytes
        Type(d, text_ids::kNoteBox, "abc");
        Click(d, text_ids::kOkButton);
        ASSERT_TRUE(d.IsRunning());
        EXPECT_EQ(BoxesShown(), std::vector<std::string>{
                                    "Entry Too Long: The summary and the note are too long to be "
                                    "kept together in one entry.\nPlease remove 6 characters "
                                    "from them (a line break counts as two)."});
        EXPECT_EQ(DiaryBytes() + SettingsBytes(), "");
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(d.Control(text_ids::kSummaryBox), Qt::Key_Backspace);
        }
        Click(d, text_ids::kOkButton);
    });
    EXPECT_EQ(TemplatesShown(), std::vector<int>{kTextEntryDialog});
    // Six keys took "last", the line break (two bytes) and one dot.
    EXPECT_EQ(DiaryTexts(), std::vector<std::string>{std::string(492, '.') + "  = abc)"});
}

// The stored title is used only when it holds a letter or digit, cut to 80.
TEST_F(EntryDialogTest, NoteTitleComesFromTheSettingsWhenItHoldsALetterOrDigit) {
    const std::string title = "Best " + std::string(90, 'o');
    for (const auto& [stored, shown] :
         {std::pair<std::string, std::string>{" ?! ", "Most Memorable Event"},
          {title, title.substr(0, 80)}}) {
        StartUp();
        ASSERT_TRUE(session::WriteSetting("TextTit", stored).ok());
        RunDialog<entry::TextEntryDialog>(
            [&](framework::TDialog& d) { EXPECT_EQ(TextOf(d, text_ids::kNoteTitleLabel), shown); });
        EXPECT_EQ(session::Values().noteTitle, shown);
    }
}

// Each row's score follows its own heading as it is (no format applied), -1
// for a row with none; the record goes at the end of the diary whatever its
// key. Screen readers name a score button by its heading, or by its row when
// the heading holds no letter or digit.
TEST_F(EntryDialogTest, ButtonEntryAppendsEachRowsScoreAfterItsHeading) {
    const store::TEntryRecord today{"today  = )", "07/12/14 @ 21:00:00", 1417986000, 5};
    WriteDiary({today});
    session::Values().headings = {"100% %s", "%d%n", "Caf\xE9", "", " ", "x"};
    RunDialog<entry::ButtonEntryDialog>([](framework::TDialog& d) {
        EXPECT_EQ(TextOf(d, button_ids::SubjectLabel(0)) + "|" +
                      TextOf(d, button_ids::SubjectLabel(2)) + "|" +
                      TextOf(d, button_ids::SubjectLabel(3)),
                  "100% %s|Caf\u00e9|");
        EXPECT_EQ(d.Control(ScoreButton(0, 0))->accessibleName(), "100% %s, score 0");
        EXPECT_EQ(d.Control(ScoreButton(4, 10))->accessibleName(), "Subject heading 5, score 10");
        Click(d, ScoreButton(0, 2));
        Click(d, ScoreButton(0, 9));  // a row holds one score: the last clicked
        Click(d, ScoreButton(1, 0));
        Click(d, ScoreButton(5, 10));
        Click(d, button_ids::kOkButton);
    });
    const store::TEntryRecord expected{
        "100% %s = 9 : %d%n = 0 :Caf\xE9 = -1  = -1 :   = -1 : x = 10", "06/12/14",
        static_cast<std::int32_t>(kAtOk - kDay), -1};
    EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{today, expected}));
}

// Tab visits the controls in template order, a group of score buttons being
// one stop, entered at its checked button; the arrow keys move the score,
// round the ends; Enter is a new line in the summary and OK elsewhere.
TEST_F(EntryDialogTest, BothDialogsWorkByKeyboardAlone) {
    RunDialog<entry::TextEntryDialog>([](framework::TDialog& d) {
        QTest::keyClicks(d.Widget()->focusWidget(), "Rain");  // the summary has the focus
        PressKey(d, Qt::Key_Return);
        QTest::keyClicks(d.Widget()->focusWidget(), "Sun");
        using namespace text_ids;
        const auto score = text_ids::ScoreButton;
        ExpectFocusPath(d, Qt::Key_Tab,
                        {kNoteBox, kHelpButton, kCancelButton, kOkButton, score(0)});
        PressKey(d, Qt::Key_Space);
        ExpectFocusPath(d, Qt::Key_Right, {score(1), score(2)});
        ExpectFocusPath(d, Qt::Key_Tab, {kTodayBox, kSwitchButton, kOtherDateBox, kSummaryBox});
        ExpectFocusPath(d, Qt::Key_Backtab, {kOtherDateBox, kSwitchButton, kTodayBox, score(2)});
        PressKey(d, Qt::Key_Return);
    });
    RunDialog<entry::ButtonEntryDialog>([](framework::TDialog& d) {
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
        PressKey(d, Qt::Key_Return);
    });
    EXPECT_EQ(TemplatesShown(), (std::vector<int>{kTextEntryDialog, kButtonEntryDialog}));
    EXPECT_EQ(DiaryTexts(), (std::vector<std::string>{"Rain\r\nSun  = )",
                                                      "Work = 9 : Health = -1 :Money = -1 Family = "
                                                      "-1 : Hobby = -1 : Weather = -1"}));
    EXPECT_EQ(DiaryRecords().at(0).Score, 2);
}

// Help shows the dialog's own help screen over it, which keeps the entry.
// Another copy of the program changing the diary holds its lock (here a
// descriptor of the lock file held in this process, which the store's own
// lock conflicts with as another process's would): OK says the diary is
// busy and keeps the dialog open with everything entered; once the other
// change is done, OK stores the entry once.
TEST_F(EntryDialogTest, HelpAndABusyDiaryKeepTheDialogAndItsEntry) {
    platform::SetLockWaitLimitMs(50);
    for (const Kind* kind : {&kText, &kButtons}) {
        StartUp();
        const int other = ::open(InTestDir("Jotwel.lck").c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(::flock(other, LOCK_EX), 0);
        kind->run([&](framework::TDialog& d) {
            kind->fill(d);
            framework::testing::OnNextDialog([&d](framework::TDialog& help) {
                EXPECT_EQ(help.Parent(), &d);
                PressKey(help, Qt::Key_Escape);
            });
            Click(d, kind->helpButton);
            Click(d, framework::kIdOk);
            EXPECT_TRUE(d.IsRunning());
            const auto box = LastMessageBox();
            EXPECT_EQ(box.text.rfind("Your entry could not be saved.", 0), 0u) << box.text;
            EXPECT_NE(box.text.find("is busy: another copy of Jotwel is changing it"),
                      std::string::npos)
                << box.text;
            ::close(other);  // the other change is done
            Click(d, framework::kIdOk);
        });
        EXPECT_EQ(TemplatesShown(),
                  (std::vector<int>{kind == &kText ? kTextEntryDialog : kButtonEntryDialog,
                                    kind->helpDialog}));
        EXPECT_EQ(DiaryTexts(), std::vector<std::string>{kind->filled});
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), 1u);
    }
    platform::SetLockWaitLimitMs(5000);
}

}  // namespace
}  // namespace jtest
