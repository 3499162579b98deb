// The event reports dialog driven through its controls: Show Results (by
// click and by Enter), Print List, Close, and Delete with its questions and
// failures. The diary and listing file live in the test's folder.
#include <QListWidget>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <functional>

#include "ReportTestSupport.h"
#include "app/AppValues.h"
#include "framework/MessageBox.h"
#include "framework/TextCodec.h"
#include "platform/FaultEnv.h"
#include "reports/TDlg2.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"

namespace {

using framework::TDialog;
using rtest::At;
using rtest::TextEntry;

const std::string kFolded = std::string(120, 'f') + " beach tail";
const std::vector<store::TEntryRecord> kDiary = {TextEntry(At("01/02/14"), "quiet day", 3),
                                                 TextEntry(At("02/02/14"), kFolded, -1),
                                                 TextEntry(At("03/02/14"), "beach again", 8)};
// Two entries of one special date: the same key and the same stamp; the
// second's line is longer than 256 bytes and has no space to fold at.
const std::string kLong = "second" + std::string(300, 'x');
const std::vector<store::TEntryRecord> kTwins = {TextEntry(At("05/02/14", 0), "first twin"),
                                                 TextEntry(At("05/02/14", 0), kLong)};
const std::string kQuiet = "01/02/14 @ 12:00:00 Score = 3   quiet day";
const std::string kFoldedFirst = "02/02/14 @ 12:00:00  " + std::string(120, 'f') + " ";
const std::string kFoldedRest = "      -> beach tail";
const std::string kBeach = "03/02/14 @ 12:00:00 Score = 8   beach again";

class ReportDialogTest : public jtest::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        app::ResetValues();
        app::Values().dataDirectory = jtest::TestDir();
        app::Values().todayShortDate = "15/06/20";
        rtest::PutDiary(kDiary);
    }
    void TearDown() override {
        app::ResetValues();
        GuiTest::TearDown();
    }
};

int RunDialog(std::function<void(TDialog&)> action) {
    framework::testing::OnNextDialog(std::move(action));
    reports::TDlg2 dialog(nullptr);
    return dialog.Execute();
}

std::vector<std::string> ListLines(const TDialog& d) {
    std::vector<std::string> lines;
    QListWidget* list = jtest::ControlOf<QListWidget>(d, 101);
    for (int i = 0; i < list->count(); ++i) {
        lines.push_back(framework::ToCp1252(list->item(i)->text()).value_or("?"));
    }
    return lines;
}

// Clicks line row of the list, as the user selects it.
void SelectLine(const TDialog& d, int row) {
    QListWidget* list = jtest::ControlOf<QListWidget>(d, 101);
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    ASSERT_EQ(list->currentRow(), row);
}

bool PrintListShown(const TDialog& d) {
    return !d.Control(108)->isHidden();
}

TEST_F(ReportDialogTest, ShowResultsListsWritesTheListingAndRevealsPrintList) {
    const int result = RunDialog([](TDialog& d) {
        EXPECT_FALSE(PrintListShown(d));
        EXPECT_TRUE(ListLines(d).empty());
        jtest::Click(d, 1);
        EXPECT_EQ(ListLines(d), rtest::ListOf({kQuiet, kFoldedFirst, kFoldedRest, kBeach}));
        EXPECT_TRUE(PrintListShown(d));
        jtest::Click(d, 108);
    });
    EXPECT_EQ(result, 108);
    EXPECT_EQ(rtest::ListingBytes(), rtest::ListingOf({kQuiet, kFoldedFirst, kFoldedRest, kBeach}));
    EXPECT_EQ(app::Values().listingLineCount, 4);
}

// Enter in a field runs Show Results again with what is typed; the list and
// the listing then hold only that run.
TEST_F(ReportDialogTest, EnterInAFieldShowsResultsAgainForWhatIsTyped) {
    const int result = RunDialog([](TDialog& d) {
        jtest::Click(d, 1);
        jtest::Type(d, 106, "02/02/14");
        jtest::Type(d, 111, "AGAIN");
        jtest::PressKey(d, Qt::Key_Return);
        EXPECT_EQ(ListLines(d), rtest::ListOf({kBeach}, "AGAIN"));
        jtest::PressKey(d, Qt::Key_Escape);
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(rtest::ListingBytes(), rtest::ListingOf({kBeach}));
    EXPECT_EQ(app::Values().listingLineCount, 1);
}

// No keeps everything; Yes removes the one entry whose line is selected, even
// when another shares its key and stamp, and lists the entries again.
TEST_F(ReportDialogTest, DeleteRemovesExactlyTheSelectedEntryAfterYes) {
    rtest::PutDiary({kDiary[0], kTwins[0], kTwins[1]});
    const std::string second = "05/02/14 @ 00:00:00 Score = 5   " + kLong;
    const std::vector<std::string> kept = {kQuiet, "05/02/14 @ 00:00:00 Score = 5   first twin"};
    framework::testing::AnswerNextMessageBox(framework::kIdNo);
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    RunDialog([&](TDialog& d) {
        jtest::Click(d, 1);
        SelectLine(d, 4);
        jtest::Click(d, 109);
        EXPECT_EQ(rtest::DiaryRecords(),
                  (std::vector<store::TEntryRecord>{kDiary[0], kTwins[0], kTwins[1]}));
        EXPECT_EQ(ListLines(d)[4], second);
        jtest::Click(d, 109);
        EXPECT_EQ(ListLines(d), rtest::ListOf(kept));
        EXPECT_EQ(rtest::ListingBytes(), rtest::ListingOf(kept));
    });
    const auto& shown = framework::testing::MessageBoxesShown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].text, "Key = " + std::to_string(kTwins[1].Key) +
                                 "  Do you want really to delete this record\n" + second);
    EXPECT_EQ(shown[1].caption, "Delete Confirmation");
    EXPECT_EQ(shown[1].flags, framework::kMbYesNo | framework::kMbIconQuestion);
    EXPECT_EQ(shown[2].text, "Entry Deleted");
    EXPECT_EQ(shown[2].caption, "");
    EXPECT_EQ(shown[2].flags, framework::kMbOk);
    EXPECT_EQ(rtest::DiaryRecords(), (std::vector<store::TEntryRecord>{kDiary[0], kTwins[0]}));
}

// Lines other than an entry's first line (or no line) name no entry.
TEST_F(ReportDialogTest, DeleteAsksForAnEntrysFirstLineWhenNoneIsSelected) {
    const struct {
        const char* name;
        int row;  // in the list of a search for "beach"
    } cases[] = {{"nothing selected", -1}, {"heading", 0},      {"blank line", 1},
                 {"search line", 2},       {"continuation", 4}, {"dashed line", 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        framework::testing::ResetSeams();
        RunDialog([&c](TDialog& d) {
            jtest::Type(d, 111, "beach");
            jtest::Click(d, 1);
            if (c.row >= 0) SelectLine(d, c.row);
            jtest::Click(d, 109);
        });
        ASSERT_EQ(framework::testing::MessageBoxesShown().size(), 1u);
        const auto shown = jtest::LastMessageBox();
        EXPECT_EQ(shown.text,
                  "Select the first line of the entry you want to delete (the line "
                  "that begins with its date), then press Delete.");
        EXPECT_EQ(shown.flags, framework::kMbOk);
        EXPECT_EQ(rtest::DiaryRecords(), kDiary);
    }
}

TEST_F(ReportDialogTest, FailedDeletionSaysWhyAndKeepsDiaryAndList) {
    platform::FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv scoped(&faults);
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    RunDialog([&faults](TDialog& d) {
        jtest::Click(d, 1);
        SelectLine(d, 5);
        faults.FailNth(1, platform::FaultEnv::kRename, EACCES);
        jtest::Click(d, 109);
        EXPECT_EQ(ListLines(d), rtest::ListOf({kQuiet, kFoldedFirst, kFoldedRest, kBeach}));
    });
    const auto shown = jtest::LastMessageBox();
    EXPECT_EQ(shown.text.rfind("Unable to delete entry\nClose Jotwel and try again\n\n", 0), 0u);
    EXPECT_NE(shown.text.find("Permission denied"), std::string::npos);
    EXPECT_EQ(shown.caption, "Deletion Error");
    EXPECT_EQ(shown.flags, framework::kMbOk);
    EXPECT_EQ(rtest::DiaryRecords(), kDiary);
}

TEST_F(ReportDialogTest, DeleteSaysWhenTheDiaryCannotBeReadInsteadOfAskingForALine) {
    platform::FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv scoped(&faults);
    RunDialog([&faults](TDialog& d) {
        jtest::Click(d, 1);
        SelectLine(d, 5);
        faults.FailNth(1, platform::FaultEnv::kRead, EIO);
        jtest::Click(d, 109);
    });
    const auto shown = jtest::LastMessageBox();
    EXPECT_EQ(shown.text.rfind("Unable to delete entry\nClose Jotwel and try again\n\n", 0), 0u);
    EXPECT_EQ(shown.caption, "Deletion Error");
    EXPECT_EQ(framework::testing::MessageBoxesShown().size(), 1u);  // no confirmation asked
    EXPECT_EQ(rtest::DiaryRecords(), kDiary);
}

// The list is filled whatever happens to the files; the message says what
// failed and why; only a listing written whole is counted for printing.
TEST_F(ReportDialogTest, FileFailuresStillFillTheListAndSayWhy) {
    const struct {
        unsigned op;
        int error;
        const char* says;
        std::vector<std::string> lines;
        int count;
    } cases[] = {
        {platform::FaultEnv::kOpenWrite,
         EACCES,
         "The listing could not be saved",
         {kQuiet, kFoldedFirst, kFoldedRest, kBeach},
         0},
        {platform::FaultEnv::kRead, EIO, "The diary could not be read", {}, 0},
    };
    platform::FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv scoped(&faults);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        app::Values().listingLineCount = 99;
        RunDialog([&](TDialog& d) {
            faults.FailNth(1, c.op, c.error);
            jtest::Click(d, 1);
            EXPECT_EQ(ListLines(d), rtest::ListOf(c.lines));
            EXPECT_TRUE(PrintListShown(d));
        });
        const auto shown = jtest::LastMessageBox();
        EXPECT_EQ(shown.text.rfind(c.says, 0), 0u) << shown.text;
        EXPECT_NE(shown.text.find(std::strerror(c.error)), std::string::npos) << shown.text;
        EXPECT_EQ(shown.flags, framework::kMbOk | framework::kMbIconStop);
        EXPECT_EQ(app::Values().listingLineCount, c.count);
    }
}

}  // namespace
