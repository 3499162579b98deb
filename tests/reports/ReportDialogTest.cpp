// The report as Show Results forms it from a diary (which entries, in which
// lines, what the listing file holds), and the reports dialog driven through
// its controls: that it shows the report, counts it and acts on the line
// selected.

#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "ReportsTest.h"
#include "framework/TextCodec.h"
#include "listing/Report.h"
#include "reports/ReportsDialog.h"
#include "resources/ids/ReportsIds.h"
#include "store/Versions.h"

namespace jtest {
namespace {

using framework::TDialog;
using platform::FaultEnv;
using namespace resources::reports_ids;

// Checks the list, the listing file and the count against these lines.
void ExpectReport(std::string start, std::string end, std::string search,
                  const std::vector<std::string>& lines, const std::string& searchLine = "") {
    const listing::ReportResult report =
        listing::MakeReport(TestDir(), {start, end, search, "15/06/20"});
    EXPECT_EQ(report.listLines, ListOf(lines, searchLine));
    EXPECT_EQ(ListingBytes(), ListingOf(lines));
    EXPECT_EQ(report.listingLineCount, static_cast<int>(lines.size()));
    EXPECT_TRUE(report.diaryStatus.ok() && report.listingStatus.ok());
}

// Blank fields list from 01/01/05 through today; typed ends hold whole days
// to the second. Entries are listed in file order, never sorted.
TEST(Report, ListsTheRangeOfWholeDaysInFileOrder) {
    const dates::Instant first = dates::ParseDiaryDate("01/01/05") - dates::SecondsPerDay;
    const dates::Instant todayEnd = dates::ParseDiaryDate("15/06/20");
    const dates::Instant marchEnd = dates::ParseDiaryDate("12/03/14");
    PutDiary({TextEntry(At("10/03/14", 0), "Caf\xE9 \x80", 7), ButtonEntry(first, "Work = 3"),
              TextEntry(first - 1, "too early"), TextEntry(todayEnd - 1, "late", 0),
              TextEntry(todayEnd + 1, "tomorrow"), TextEntry(marchEnd, "march end", -1),
              TextEntry(marchEnd + 1, "after"), TextEntry(At("10/03/14", 0) - 1, "before")});
    const std::string caf = "10/03/14 @ 00:00:00 Score = 7   Caf\xE9 \x80";
    const std::string end = "13/03/14 @ 00:00:00  march end";
    ExpectReport(
        "", " / ", "",
        {caf, "01/01/05  Work = 3", "15/06/20 @ 23:59:59 Score = 0   late", end,
         "13/03/14 @ 00:00:01 Score = 5   after", "09/03/14 @ 23:59:59 Score = 5   before"});
    ExpectReport("10/03/14", "12/03/14", "", {caf});
    ExpectReport("10/03/2014", "13/03/2014", "",
                 {caf, end, "13/03/14 @ 00:00:01 Score = 5   after"});
    ExpectReport("12/03/14", "10/03/14", "", {});  // a start after the end lists nothing
}

// The report's days are the user's local days: an entry is listed under the
// day its stamp shows, also an old special-date entry keyed at midnight UTC.
TEST(Report, ListsEachEntryUnderTheLocalDayOfItsStamp) {
    const struct {
        const char *zone, *stamp;
        dates::Instant key;
    } entries[] = {
        {.zone = "Australia/Sydney", .stamp = "10/03/14 @ 09:00:00", .key = 1394402400},
        {.zone = "Etc/GMT+1", .stamp = "04/06/10 @ 23:00:00", .key = 1275696000},
    };
    for (const auto& entry : entries) {
        SetTimeZone(entry.zone);
        PutDiary({TextEntry(entry.key, "x")});
        const std::string day = std::string(entry.stamp).substr(0, 8);
        ExpectReport(day, day, "", {entry.stamp + std::string(" Score = 5   x")});
        for (const dates::Instant other :
             {entry.key - dates::SecondsPerDay, entry.key + dates::SecondsPerDay}) {
            const std::string otherDay = dates::FormatShortDate(other);
            ExpectReport(otherDay, otherDay, "", {});
        }
    }
}

TEST(Report, SearchesTheTextOnlyWithoutRegardToCase) {
    PutDiary({TextEntry(At("01/02/14"), "Went to the beach"), TextEntry(At("02/02/14"), "seaside"),
              TextEntry(At("03/02/14"), "by the sea")});
    const std::vector<std::string> all = {"01/02/14 @ 12:00:00 Score = 5   Went to the beach",
                                          "02/02/14 @ 12:00:00 Score = 5   seaside",
                                          "03/02/14 @ 12:00:00 Score = 5   by the sea"};
    ExpectReport("", "", "BEACH", {all[0]}, "BEACH");
    ExpectReport("", "", " sea", {all[2]}, " sea");  // the leading space must match too
    ExpectReport("", "", "12:00", {}, "12:00");      // the stamp is not searched
    ExpectReport("", "", "?!.-", all);               // nothing to search for
    PutDiary({});
    ExpectReport("", "", "word", {}, "word");  // an absent diary lists nothing
}

// A folded line lists only its pieces with a letter or digit, five at most.
TEST(Report, ListsTheFoldedPiecesThatHoldALetterOrDigit) {
    const std::string x90 = std::string(90, 'x') + " ";
    const std::string y100 = std::string(100, 'y') + " ";
    PutDiary({ButtonEntry(At("01/02/14"), x90 + "... !!"),
              ButtonEntry(At("02/02/14"), x90 + y100 + y100 + y100 + y100 + "zzzzz")});
    const std::string more = "      -> " + y100;
    ExpectReport("", "", "", {"01/02/14  " + x90, "02/02/14  " + x90, more, more, more, more});
}

// Handed to a sink in batches, a long report's lines come in order and
// whole, with the same counts and listing as when gathered; a search line
// and folded pieces included, across batch boundaries.
TEST(Report, LinesHandedInBatchesAreTheGatheredLines) {
    std::string diary;  // 1,500 entries of one to five lines, written at once
    for (int n = 0; n < 1500; ++n) {
        std::string text = "sea";
        for (int word = 0; word < n % 90; ++word) text += " word" + std::to_string(word);
        const store::RecordBytes bytes =
            store::EncodeRecord(TextEntry(At("01/02/14") + n * 60, text));
        diary.append(bytes.data(), bytes.size());
    }
    WriteFileBytes(store::DiaryPath(TestDir()), diary);
    const listing::ReportRequest request{"", "", "sea", "15/06/20"};
    const listing::ReportResult gathered = listing::MakeReport(TestDir(), request);
    const std::string listing = ListingBytes();
    std::vector<std::string> handed;
    int batches = 0;
    const listing::ReportResult report =
        listing::MakeReport(TestDir(), request, [&](std::vector<std::string>& lines) {
            ++batches;
            handed.insert(handed.end(), lines.begin(), lines.end());
        });
    EXPECT_GT(batches, 1);
    EXPECT_EQ(handed, gathered.listLines);
    EXPECT_EQ(report.firstListed, gathered.firstListed);
    EXPECT_EQ(report.listedCount, gathered.listedCount);
    EXPECT_EQ(report.listingLineCount, gathered.listingLineCount);
    EXPECT_EQ(ListingBytes(), listing);
}

// The last two are twins: the same key and stamp.
const std::vector<store::TEntryRecord> kDiary = {
    TextEntry(At("01/02/14"), "quiet day", 3),
    TextEntry(At("02/02/14"), std::string(120, 'f') + " beach tail", -1),
    TextEntry(At("03/02/14"), "beach again", 8), TextEntry(At("03/02/14"), "beach twin", 8)};
const std::vector<std::string> kListed = {
    "01/02/14 @ 12:00:00 Score = 3   quiet day",
    "02/02/14 @ 12:00:00  " + std::string(120, 'f') + " ", "      -> beach tail",
    "03/02/14 @ 12:00:00 Score = 8   beach again", "03/02/14 @ 12:00:00 Score = 8   beach twin"};

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

// An unreadable diary is told and lists nothing stale; Print List appears
// with results; a date that is not one is refused, the start first, and the
// list stays; Enter shows results for what is typed, and only those.
TEST_F(ReportDialogTest, ShowResultsListsWritesTheListingAndRevealsPrintList) {
    WriteFileBytes(InTestDir("listd.tmp"), "stale\r\n");
    session::Values().listingLineCount = 99;
    EXPECT_EQ(Run([this](TDialog& d) {
                  EXPECT_TRUE(d.Control(kPrintListButton)->isHidden());
                  faults_.FailNth(1, FaultEnv::kRead, EIO);
                  Click(d, kShowResultsButton);
                  EXPECT_EQ(ListLines(d), ListOf({}));
                  EXPECT_EQ(ListingBytes(), ListingOf({}));
                  EXPECT_EQ(session::Values().listingLineCount, 0);
                  EXPECT_FALSE(d.Control(kPrintListButton)->isHidden());
                  Click(d, kShowResultsButton);
                  Type(d, kStartDateBox, "25.12.10");
                  Type(d, kEndDateBox, "31/02/14");
                  Click(d, kShowResultsButton);
                  EXPECT_EQ(ListLines(d), ListOf(kListed));
                  ControlOf<QLineEdit>(d, kStartDateBox)->clear();
                  ControlOf<QLineEdit>(d, kEndDateBox)->clear();
                  Type(d, kStartDateBox, "02/02/2014");
                  Type(d, kSearchBox, "AGAIN");
                  PressKey(d, Qt::Key_Return);
                  EXPECT_EQ(ListLines(d), ListOf({kListed[3]}, "AGAIN"));
                  Click(d, kPrintListButton);
              }),
              reports::ReportsDialog::kPrintListResult);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           ": The diary could not be read to the end, so entries may be missing "
                           "from the list.",
                           "Date Not Allowed: The start date \"25.12.10\" is not a date: the day, "
                           "the month and the year must be separated by /."}));
    const auto& unread = framework::testing::MessageBoxesShown().at(0);
    EXPECT_NE(unread.text.find(std::strerror(EIO)), std::string::npos) << unread.text;
    EXPECT_EQ(ListingBytes(), ListingOf({kListed[3]}));
    EXPECT_EQ(session::Values().listingLineCount, 1);
}

// Yes deletes the entry selected (not its twin) after keeping a version;
// a line that shows no entry, No, or an unreadable diary delete nothing.
// Then the list is what Show Results would form, even if the fields or the
// diary (another copy) changed since.
TEST_F(ReportDialogTest, DeleteActsOnTheSelectedEntryAndListsWhatShowResultsWould) {
    const auto& [quiet, folded, again, twin] = std::tie(kDiary[0], kDiary[1], kDiary[2], kDiary[3]);
    const auto added = TextEntry(At("04/02/14"), "added");
    const std::string deleted = ": Entry Deleted";
    // Rows of the list: 0 the heading, 1 the blank line, 2 the quiet day,
    // 3 and 4 the folded entry, 5 and 6 the twins, 7 dashes.
    const struct {
        int row;
        bool yes = false, added = false, readFails = false;
        std::string typed = "";
        std::vector<std::string> boxes;
        std::vector<store::TEntryRecord> left = kDiary;
    } cases[] = {
        {.row = 6, .yes = true, .boxes = {Ask(twin), deleted}, .left = {quiet, folded, again}},
        {.row = 3, .yes = true, .boxes = {Ask(folded), deleted}, .left = {quiet, again, twin}},
        {.row = 2,
         .yes = true,
         .typed = "beach",
         .boxes = {Ask(quiet), deleted},
         .left = {folded, again, twin}},
        {.row = 5,
         .yes = true,
         .added = true,
         .boxes = {Ask(again), deleted},
         .left = {quiet, folded, twin, added}},
        {.row = 5, .boxes = {Ask(again)}},  // unanswered: No
        {.row = 4,
         .boxes = {"Delete: Select the first line of the entry you want to delete (the line "
                   "that begins with its date), then press Delete."}},
        {.row = 5, .readFails = true, .boxes = {"Deletion Error: Unable to delete entry"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        framework::testing::ResetSeams();
        PutDiary(kDiary);
        std::filesystem::remove_all(store::VersionsPath(TestDir()));
        std::string before;  // the diary as the deletion found it
        Run([&](TDialog& d) {
            Click(d, kShowResultsButton);
            SelectLine(d, c.row);
            if (!c.typed.empty()) Type(d, kSearchBox, QString::fromStdString(c.typed));
            ASSERT_TRUE(!c.added || store::AppendRecord(TestDir(), added).ok());
            if (c.yes) framework::testing::AnswerNextMessageBox(framework::kIdYes);
            before = ReadFileBytes(store::DiaryPath(TestDir()));
            faults_.FailNth(c.readFails ? 1 : 0, FaultEnv::kRead, EIO);
            Click(d, kDeleteButton);
            EXPECT_TRUE(!c.yes || framework::TListBox(&d, kResultsList).GetSelIndex() == -1);
            const std::vector<std::string> lines = ListLines(d);
            const std::string listing = ListingBytes();
            const int count = session::Values().listingLineCount;
            Click(d, kShowResultsButton);
            EXPECT_EQ(ListLines(d), lines);
            EXPECT_EQ(ListingBytes(), listing);
            EXPECT_EQ(session::Values().listingLineCount, count);
        });
        EXPECT_EQ(Boxes(), c.boxes);
        EXPECT_EQ(DiaryRecords(), c.left);
        EXPECT_EQ(LastMessageBox().text.find(std::strerror(EIO)) != std::string::npos, c.readFails);
        if (c.yes) {  // the confirmation shows the line selected
            const auto& asked = framework::testing::MessageBoxesShown().front();
            EXPECT_EQ(asked.text.substr(asked.text.find('\n') + 1), ListOf(kListed).at(c.row));
        }
        std::vector<store::DiaryVersion> versions;
        ASSERT_TRUE(store::ListVersions(TestDir(), &versions).ok());
        ASSERT_EQ(versions.size(), c.yes ? 1u : 0u);
        for (const auto& version : versions) {
            EXPECT_EQ(ReadFileBytes(store::VersionsPath(TestDir()) + "/" + version.name), before);
        }
    }
}

}  // namespace
}  // namespace jtest
