// The event reports dialog driven through its controls: Show Results (by
// click and by Enter), Print List, and Delete with its question and its
// failures. What a report lists is ReportTest's; here, that the dialog
// shows it, counts it and acts on the line selected.
#include <QListWidget>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "ReportsTest.h"
#include "framework/TextCodec.h"
#include "reports/TDlg2.h"
#include "store/Versions.h"

namespace jtest {
namespace {

using framework::TDialog;
using platform::FaultEnv;

const std::vector<store::TEntryRecord> kDiary = {
    TextEntry(At("01/02/14"), "quiet day", 3),
    TextEntry(At("02/02/14"), std::string(120, 'f') + " beach tail", -1),
    TextEntry(At("03/02/14"), "beach again", 8)};
const std::vector<std::string> kListed = {"01/02/14 @ 12:00:00 Score = 3   quiet day",
                                          "02/02/14 @ 12:00:00  " + std::string(120, 'f') + " ",
                                          "      -> beach tail",
                                          "03/02/14 @ 12:00:00 Score = 8   beach again"};

class ReportDialogTest : public ReportsTest {
protected:
    void SetUp() override {
        ReportsTest::SetUp();
        PutDiary(kDiary);
    }
    static int Run(std::function<void(TDialog&)> action) {
        framework::testing::OnNextDialog(std::move(action));
        return reports::TDlg2(nullptr).Execute();
    }
};

std::vector<std::string> ListLines(const TDialog& d) {
    std::vector<std::string> lines;
    QListWidget* list = ControlOf<QListWidget>(d, 101);
    for (int i = 0; i < list->count(); ++i) {
        lines.push_back(framework::ToCp1252(list->item(i)->text()).value_or("?"));
    }
    return lines;
}

// Clicks line row of the list, as the user selects it.
void SelectLine(const TDialog& d, int row) {
    QListWidget* list = ControlOf<QListWidget>(d, 101);
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    ASSERT_EQ(list->currentRow(), row);
}

bool PrintListShown(const TDialog& d) {
    return !d.Control(108)->isHidden();
}

// Print List appears with the first results and ends the dialog with 108.
// Enter in a field shows results again for what is typed, and the list,
// the listing and its count then hold only that run.
TEST_F(ReportDialogTest, ShowResultsListsWritesTheListingAndRevealsPrintList) {
    EXPECT_EQ(Run([](TDialog& d) {
                  EXPECT_FALSE(PrintListShown(d));
                  Click(d, 1);
                  EXPECT_EQ(ListLines(d), ListOf(kListed));
                  EXPECT_EQ(ListingBytes(), ListingOf(kListed));
                  EXPECT_EQ(app::Values().listingLineCount, 4);
                  EXPECT_TRUE(PrintListShown(d));
                  Type(d, 106, "02/02/14");
                  Type(d, 111, "AGAIN");
                  PressKey(d, Qt::Key_Return);
                  EXPECT_EQ(ListLines(d), ListOf({kListed[3]}, "AGAIN"));
                  Click(d, 108);
              }),
              108);
    EXPECT_EQ(ListingBytes(), ListingOf({kListed[3]}));
    EXPECT_EQ(app::Values().listingLineCount, 1);
}

// Yes removes the one entry whose line is selected, even when another
// shares its key and stamp, and lists the entries again.
TEST_F(ReportDialogTest, DeleteRemovesExactlyTheSelectedEntryAfterYes) {
    const auto first = TextEntry(At("05/02/14", 0), "first twin");
    const auto second = TextEntry(At("05/02/14", 0), "second" + std::string(300, 'x'));
    PutDiary({kDiary[0], first, second});
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    Run([&](TDialog& d) {
        Click(d, 1);
        SelectLine(d, 4);
        Click(d, 109);
        EXPECT_EQ(ListLines(d), ListOf({kListed[0], "05/02/14 @ 00:00:00 Score = 5   first twin"}));
    });
    const auto& shown = framework::testing::MessageBoxesShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption + ": " + shown[0].text,
              "Delete Confirmation: Key = " + std::to_string(second.Key) +
                  "  Do you want really to delete this record\n05/02/14 @ 00:00:00 Score = 5   " +
                  second.Text);
    EXPECT_EQ(shown[0].flags, framework::kMbYesNo | framework::kMbIconQuestion);
    EXPECT_EQ(shown[1].caption + ": " + shown[1].text, ": Entry Deleted");
    EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{kDiary[0], first}));
}

// Delete deletes nothing, and the list stays, when no line or a line other
// than an entry's first is selected, when the user says No, when the diary
// cannot be read (nothing is asked) or the entry cannot be removed.
TEST_F(ReportDialogTest, DeleteThatDeletesNothingSaysWhy) {
    const std::string select =
        "Delete: Select the first line of the entry you want to delete (the line that begins "
        "with its date), then press Delete.";
    const std::string ask = "Delete Confirmation: Key = " + std::to_string(kDiary[2].Key) +
                            "  Do you want really to delete this record";
    const std::string failed = "Deletion Error: Unable to delete entry";
    // Rows of the list of a search for "beach": 0 the heading, 1 the blank
    // line, 2 the search line, 3 and 4 a folded entry, 5 an entry, 6 dashes.
    struct Case {
        int row, answer;
        unsigned op;
        int error;
        std::vector<std::string> boxes;
        int nth = 1;
    };
    std::vector<Case> cases = {
        {5, framework::kIdNo, 0, 0, {ask}},
        // The version kept before the deletion is renamed into place first.
        {5, framework::kIdYes, FaultEnv::kRename, EACCES, {ask, failed}, 2},
        {5, 0, FaultEnv::kRead, EIO, {failed}},
    };
    for (int row : {-1, 0, 1, 2, 4, 6}) cases.push_back({row, 0, 0, 0, {select}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        framework::testing::ResetSeams();
        faults_.FailNth(0, FaultEnv::kAll, 0);
        if (c.answer) framework::testing::AnswerNextMessageBox(c.answer);
        Run([&](TDialog& d) {
            Type(d, 111, "beach");
            Click(d, 1);
            if (c.row >= 0) SelectLine(d, c.row);
            faults_.FailNth(c.error ? c.nth : 0, c.op, c.error);
            Click(d, 109);
            EXPECT_EQ(ListLines(d), ListOf({kListed[1], kListed[2], kListed[3]}, "beach"));
        });
        std::vector<std::string> boxes;
        for (const auto& box : framework::testing::MessageBoxesShown()) {
            boxes.push_back(box.caption + ": " + box.text.substr(0, box.text.find('\n')));
        }
        EXPECT_EQ(boxes, c.boxes);
        if (c.error) {
            EXPECT_NE(LastMessageBox().text.find(std::strerror(c.error)), std::string::npos);
        }
        EXPECT_EQ(DiaryRecords(), kDiary);
    }
}

// Every deletion keeps a version of the diary as it stood, on any day. One
// that cannot be kept stops no deletion and is told once in a run, after
// the deletion's own message.
TEST_F(ReportDialogTest, EveryDeletionKeepsAVersionAndAFailedOneIsToldOnce) {
    PutDiary({kDiary[0], kDiary[1], kDiary[2], TextEntry(At("04/02/14"), "fourth")});
    std::vector<std::string> diaries;  // as each deletion found it
    Run([&](TDialog& d) {
        Click(d, 1);
        for (bool versionFails : {false, false, true, true}) {
            diaries.push_back(ReadFileBytes(store::DiaryPath(TestDir())));
            SelectLine(d, 2);
            framework::testing::AnswerNextMessageBox(framework::kIdYes);
            faults_.FailNth(versionFails ? 1 : 0, FaultEnv::kRename, ENOSPC);
            Click(d, 109);
        }
    });
    EXPECT_TRUE(DiaryRecords().empty());
    std::vector<std::string> boxes;  // the question shown as "?"
    for (const auto& box : framework::testing::MessageBoxesShown()) {
        boxes.push_back(box.caption == "Delete Confirmation"
                            ? "?"
                            : box.caption + ": " + box.text.substr(0, box.text.find('\n')));
    }
    const std::string deleted = ": Entry Deleted";
    const std::string warned =
        "Jotwel: The diary could not be copied to Jotwel.versions before this change.";
    EXPECT_EQ(boxes, (std::vector<std::string>{"?", deleted, "?", deleted, "?", deleted, warned,
                                               "?", deleted}));
    const auto& warning = framework::testing::MessageBoxesShown().at(6);
    EXPECT_NE(warning.text.find(std::strerror(ENOSPC)), std::string::npos) << warning.text;
    EXPECT_EQ(warning.flags, framework::kMbOk | framework::kMbIconWarning);
    std::vector<store::DiaryVersion> versions;
    ASSERT_TRUE(store::ListVersions(TestDir(), &versions).ok());
    ASSERT_EQ(versions.size(), 2u);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        EXPECT_EQ(ReadFileBytes(store::VersionsPath(TestDir()) + "/" + versions[i].name),
                  diaries[i]);
    }
}

// The list is filled whatever happens to the files and a message says what
// failed and why; a listing not written whole is removed and not counted,
// so Print List prints nothing stale.
TEST_F(ReportDialogTest, FileFailuresStillFillTheListAndSayWhy) {
    const struct {
        unsigned op;
        int error;
        const char* says;
        std::vector<std::string> lines;
    } cases[] = {
        {FaultEnv::kOpenWrite, EACCES, "The listing could not be saved", kListed},
        {FaultEnv::kClose, ENOSPC, "The listing could not be saved", kListed},
        {FaultEnv::kRead, EIO, "The diary could not be read", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        WriteFileBytes(InTestDir("listd.tmp"), "stale\r\n");
        app::Values().listingLineCount = 99;
        Run([&](TDialog& d) {
            faults_.FailNth(1, c.op, c.error);
            Click(d, 1);
            EXPECT_EQ(ListLines(d), ListOf(c.lines));
            EXPECT_TRUE(PrintListShown(d));
        });
        const auto shown = LastMessageBox();
        EXPECT_EQ(shown.text.rfind(c.says, 0), 0u) << shown.text;
        EXPECT_NE(shown.text.find(std::strerror(c.error)), std::string::npos) << shown.text;
        EXPECT_EQ(shown.flags, framework::kMbOk | framework::kMbIconStop);
        EXPECT_EQ(app::Values().listingLineCount, 0);
        EXPECT_EQ(ListingBytes(), c.lines.empty() ? ListingOf({}) : "");
    }
}

}  // namespace
}  // namespace jtest
