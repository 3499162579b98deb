// The reports dialog driven through its controls: that it shows the report,
// counts it and acts on the line selected.
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "ReportsTest.h"
#include "framework/TextCodec.h"
#include "reports/ReportsDialog.h"
#include "resources/ids/ReportsIds.h"
#include "store/Versions.h"

namespace jtest {
namespace {

using framework::TDialog;
using platform::FaultEnv;
using namespace resources::reports_ids;

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
        return reports::ReportsDialog(nullptr).Execute();
    }
};

std::vector<std::string> ListLines(const TDialog& d) {
    std::vector<std::string> lines;
    const QAbstractItemModel* model = ControlOf<QListView>(d, kResultsList)->model();
    for (int i = 0; i < model->rowCount(); ++i) {
        lines.push_back(framework::ToCp1252(model->index(i, 0).data().toString()).value_or("?"));
    }
    return lines;
}

// Clicks line row of the list, as the user selects it.
void SelectLine(const TDialog& d, int row) {
    QListView* list = ControlOf<QListView>(d, kResultsList);
    const QModelIndex line = list->model()->index(row, 0);
    list->scrollTo(line);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(line).center());
    ASSERT_EQ(list->currentIndex().row(), row);
}

bool PrintListShown(const TDialog& d) {
    return !d.Control(kPrintListButton)->isHidden();
}

// Each message box shown, as its caption and first line.
std::vector<std::string> Boxes() {
    std::vector<std::string> boxes;
    for (const auto& box : framework::testing::MessageBoxesShown()) {
        boxes.push_back(box.caption + ": " + box.text.substr(0, box.text.find('\n')));
    }
    return boxes;
}
std::string Ask(const store::TEntryRecord& record) {
    return "Delete Confirmation: Key = " + std::to_string(record.Key) +
           "  Do you want really to delete this record";
}

// Print List appears with results; a date that is not one is refused and
// the list stays; Enter shows results for what is typed, and only those.
TEST_F(ReportDialogTest, ShowResultsListsWritesTheListingAndRevealsPrintList) {
    EXPECT_EQ(Run([](TDialog& d) {
                  EXPECT_FALSE(PrintListShown(d));
                  Click(d, kShowResultsButton);
                  EXPECT_EQ(ListingBytes(), ListingOf(kListed));
                  EXPECT_EQ(session::Values().listingLineCount, 4);
                  EXPECT_TRUE(PrintListShown(d));
                  Type(d, kEndDateBox, "31/02/14");
                  Click(d, kShowResultsButton);
                  EXPECT_EQ(ListLines(d), ListOf(kListed));
                  ControlOf<QLineEdit>(d, kEndDateBox)->clear();
                  Type(d, kStartDateBox, "02/02/2014");
                  Type(d, kSearchBox, "AGAIN");
                  PressKey(d, Qt::Key_Return);
                  EXPECT_EQ(ListLines(d), ListOf({kListed[3]}, "AGAIN"));
                  Click(d, kPrintListButton);
              }),
              reports::ReportsDialog::kPrintListResult);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Date Not Allowed: The end date \"31/02/14\" is "
                                                "not a date: February 2014 has only 28 days."});
    EXPECT_EQ(ListingBytes(), ListingOf({kListed[3]}));
    EXPECT_EQ(session::Values().listingLineCount, 1);
}

// Delete deletes nothing, and the list stays, when no line or one that
// shows no entry (a folded entry's second piece) is selected, the user says
// No or the diary cannot be read (nothing is asked).
TEST_F(ReportDialogTest, DeleteThatDeletesNothingSaysWhy) {
    const std::string select =
        "Delete: Select the first line of the entry you want to delete (the line that begins "
        "with its date), then press Delete.";
    // Rows of the list of a search for "beach": 0 the heading, 1 the blank
    // line, 2 the search line, 3 and 4 a folded entry, 5 an entry, 6 dashes.
    const struct {
        int row, answer = 0;
        bool readFails = false;
        std::string box;
    } cases[] = {
        {.row = 5, .answer = framework::kIdNo, .box = Ask(kDiary[2])},
        {.row = 5, .readFails = true, .box = "Deletion Error: Unable to delete entry"},
        {.row = -1, .box = select},
        {.row = 4, .box = select},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        framework::testing::ResetSeams();
        if (c.answer) framework::testing::AnswerNextMessageBox(c.answer);
        Run([&](TDialog& d) {
            Type(d, kSearchBox, "beach");
            Click(d, kShowResultsButton);
            if (c.row >= 0) SelectLine(d, c.row);
            faults_.FailNth(c.readFails ? 1 : 0, FaultEnv::kRead, EIO);
            Click(d, kDeleteButton);
            EXPECT_EQ(ListLines(d), ListOf({kListed[1], kListed[2], kListed[3]}, "beach"));
        });
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(LastMessageBox().text.find(std::strerror(EIO)) != std::string::npos, c.readFails);
        EXPECT_EQ(DiaryRecords(), kDiary);
    }
}

// Yes removes the entry selected, not its twin of the same key and stamp;
// each deletion keeps a version, and one that cannot be kept is told once.
TEST_F(ReportDialogTest, DeleteRemovesTheSelectedEntryAfterYesAndKeepsAVersion) {
    const auto first = TextEntry(At("05/02/14", 0), "first twin");
    const auto second = TextEntry(At("05/02/14", 0), "second" + std::string(300, 'x'));
    PutDiary({kDiary[0], first, second, kDiary[2]});
    std::vector<std::string> diaries;  // as each deletion found it
    const auto deleteRow = [&](TDialog& d, int row) {
        diaries.push_back(ReadFileBytes(store::DiaryPath(TestDir())));
        SelectLine(d, row);
        framework::testing::AnswerNextMessageBox(framework::kIdYes);
        // Reading the versions folder fails: no version can be kept.
        faults_.FailNth(diaries.size() > 2 ? 1 : 0, FaultEnv::kGetChildren, EIO);
        Click(d, kDeleteButton);
    };
    Run([&](TDialog& d) {
        Click(d, kShowResultsButton);
        deleteRow(d, 4);  // the second twin
        EXPECT_EQ(ListLines(d),
                  ListOf({kListed[0], "05/02/14 @ 00:00:00 Score = 5   first twin", kListed[3]}));
        EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{kDiary[0], first, kDiary[2]}));
        for (int i = 0; i < 3; ++i) deleteRow(d, 2);
    });
    EXPECT_TRUE(DiaryRecords().empty());
    const std::string deleted = ": Entry Deleted";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           Ask(second), deleted, Ask(kDiary[0]), deleted, Ask(first), deleted,
                           "Jotwel: No version of the diary could be kept in Jotwel.versions for "
                           "this change.",
                           Ask(kDiary[2]), deleted}));
    const auto& shown = framework::testing::MessageBoxesShown().at(0);
    EXPECT_EQ(shown.text.substr(shown.text.find('\n')),
              "\n05/02/14 @ 00:00:00 Score = 5   " + second.Text);
    EXPECT_EQ(shown.flags, framework::kMbYesNo | framework::kMbIconQuestion);
    std::vector<store::DiaryVersion> versions;
    ASSERT_TRUE(store::ListVersions(TestDir(), &versions).ok());
    ASSERT_EQ(versions.size(), 2u);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        EXPECT_EQ(ReadFileBytes(store::VersionsPath(TestDir()) + "/" + versions[i].name),
                  diaries[i]);
    }
}

// After a deletion the list, listing and count are what Show Results would
// form, also when the fields or (another copy) the diary changed since.
TEST_F(ReportDialogTest, AfterADeletionTheListIsWhatShowResultsWouldShow) {
    const struct {
        int row;
        std::string typed = "";
        bool added = false;
    } cases[] = {{.row = 2},
                 {.row = 3},
                 {.row = 5},
                 {.row = 2, .typed = "beach"},
                 {.row = 3, .added = true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        PutDiary(kDiary);
        Run([&](TDialog& d) {
            Click(d, kShowResultsButton);
            SelectLine(d, c.row);
            if (!c.typed.empty()) Type(d, kSearchBox, QString::fromStdString(c.typed));
            if (c.added) {
                ASSERT_TRUE(
                    store::AppendRecord(TestDir(), TextEntry(At("04/02/14"), "added")).ok());
            }
            framework::testing::AnswerNextMessageBox(framework::kIdYes);
            Click(d, kDeleteButton);
            EXPECT_EQ(DiaryRecords().size(), c.added ? 3u : 2u);
            EXPECT_EQ(framework::TListBox(&d, kResultsList).GetSelIndex(), -1);
            const std::vector<std::string> lines = ListLines(d);
            const std::string listing = ListingBytes();
            const int count = session::Values().listingLineCount;
            Click(d, kShowResultsButton);
            EXPECT_EQ(ListLines(d), lines);
            EXPECT_EQ(ListingBytes(), listing);
            EXPECT_EQ(session::Values().listingLineCount, count);
        });
        EXPECT_EQ(LastMessageBox().text, "Entry Deleted");
    }
}

// An unreadable diary is told, and nothing stale stays listed.
TEST_F(ReportDialogTest, UnreadableDiaryIsToldAndListsNothingStale) {
    WriteFileBytes(InTestDir("listd.tmp"), "stale\r\n");
    session::Values().listingLineCount = 99;
    Run([&](TDialog& d) {
        faults_.FailNth(1, FaultEnv::kRead, EIO);
        Click(d, kShowResultsButton);
        EXPECT_EQ(ListLines(d), ListOf({}));
        EXPECT_TRUE(PrintListShown(d));
    });
    const auto shown = LastMessageBox();
    EXPECT_TRUE(shown.text.starts_with("The diary could not be read")) << shown.text;
    EXPECT_NE(shown.text.find(std::strerror(EIO)), std::string::npos) << shown.text;
    EXPECT_EQ(shown.flags, framework::kMbOk | framework::kMbIconStop);
    EXPECT_EQ(session::Values().listingLineCount, 0);
    EXPECT_EQ(ListingBytes(), ListingOf({}));
}

}  // namespace
}  // namespace jtest
