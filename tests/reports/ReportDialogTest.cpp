// The report as Show Results forms it from a diary (which entries, in which
// lines, what the listing file holds); the reports dialog driven through its
// controls (it shows the report, counts it and acts on the line selected);
// and the print run from the listing file to paper: each job's print dialog
// is answered through the test seam with a PDF file of its own, whose text
// is read back with poppler's pdftotext. The page layout is drawn on a
// recording device with simple metrics: 600 dots per inch, a character cell
// exactly as tall as the font asked for, every character 7 dots wide.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "framework/TextCodec.h"
#include "framework/print/TPrinter.h"
#include "listing/PrintLayout.h"
#include "listing/PrintLineReader.h"
#include "listing/Report.h"
#include "platform/TDC.h"
#include "reports/PrintListing.h"
#include "reports/ReportsDialog.h"
#include "reports/TBlindPrintout.h"
#include "resources/ids/ReportsIds.h"
#include "session/AppValues.h"
#include "store/Diary.h"
#include "store/Versions.h"
#include "support/DiaryFiles.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace jtest {
namespace {

using framework::TDialog;
using platform::FaultEnv;
using namespace resources::reports_ids;
using framework::testing::PrintDialogAnswer;

// Today is 15/06/20 (TZ=UTC), the data directory is the test's own folder,
// under a file layer a test may arm to fail.
class ReportsTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        session::ResetValues();
        framework::ResetVersionWarning();
        session::Values().dataDirectory = TestDir();
        session::Values().todayShortDate = "15/06/20";
    }

    platform::FaultEnv faults_{platform::Env::Default()};
    platform::ScopedEnv useFaults_{&faults_};
};

store::TEntryRecord ButtonEntry(dates::Instant key, std::string text) {
    return {std::move(text), dates::FormatShortDate(key), static_cast<std::int32_t>(key), -1};
}

std::string ListingBytes() {
    return ReadFileBytes(InTestDir("listd.tmp"));
}
std::string ListingOf(const std::vector<std::string>& lines) {
    std::string bytes = "Date\tEvents\tScore\tDate/time entered\r\n";
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}
// The list around these listed lines, with the search line's word if any.
std::vector<std::string> ListOf(const std::vector<std::string>& lines,
                                const std::string& search = "") {
    std::vector<std::string> list = {"Date\tNews\tScore\tDate/time entered", " "};
    if (!search.empty()) list.push_back("Searching for: " + search);
    list.insert(list.end(), lines.begin(), lines.end());
    list.push_back(std::string(150, '-'));
    return list;
}

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
    PutDiary({Rec(On("10/03/14", 0), "Caf\xE9 \x80", 7), ButtonEntry(first, "Work = 3"),
              Rec(first - 1, "too early", 5), Rec(todayEnd - 1, "late", 0),
              Rec(todayEnd + 1, "tomorrow", 5), Rec(marchEnd, "march end", -1),
              Rec(marchEnd + 1, "after", 5), Rec(On("10/03/14", 0) - 1, "before", 5)});
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
        PutDiary({Rec(entry.key, "x", 5)});
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
    PutDiary({Rec(On("01/02/14"), "Went to the beach", 5), Rec(On("02/02/14"), "seaside", 5),
              Rec(On("03/02/14"), "by the sea", 5)});
    const std::vector<std::string> all = {"01/02/14 @ 12:00:00 Score = 5   Went to the beach",
                                          "02/02/14 @ 12:00:00 Score = 5   seaside",
                                          "03/02/14 @ 12:00:00 Score = 5   by the sea"};
    ExpectReport("", "", "BEACH", {all[0]}, "BEACH");
    ExpectReport("", "", " sea", {all[2]}, " sea");  // the leading space must match too
    ExpectReport("", "", "12:00", {}, "12:00");      // the stamp is not searched
    ExpectReport("", "", "?!.-", all);               // nothing to search for
    std::remove(store::DiaryPath(TestDir()).c_str());
    ExpectReport("", "", "word", {}, "word");  // an absent diary lists nothing
}

// A folded line lists only its pieces with a letter or digit, five at most.
TEST(Report, ListsTheFoldedPiecesThatHoldALetterOrDigit) {
    const std::string x90 = std::string(90, 'x') + " ";
    const std::string y100 = std::string(100, 'y') + " ";
    PutDiary({ButtonEntry(On("01/02/14"), x90 + "... !!"),
              ButtonEntry(On("02/02/14"), x90 + y100 + y100 + y100 + y100 + "zzzzz")});
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
        const store::RecordBytes bytes = store::EncodeRecord(Rec(On("01/02/14") + n * 60, text, 5));
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
    Rec(On("01/02/14"), "quiet day", 3),
    Rec(On("02/02/14"), std::string(120, 'f') + " beach tail", -1),
    Rec(On("03/02/14"), "beach again", 8), Rec(On("03/02/14"), "beach twin", 8)};
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
    const auto added = Rec(On("04/02/14"), "added", 5);
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

using Pages = std::vector<std::vector<std::string>>;

// A line and its end fit in 255 characters (CR LF counting as one); a
// longer line continues in the next print line.
TEST(PrintLineReader, SplitsTheFileIntoPrintLines) {
    using Read = std::pair<std::string, bool>;  // text, whether it ends a line of the file
    const std::string a254(254, 'a'), b255(255, 'b');
    const std::pair<std::string, std::vector<Read>> cases[] = {
        {"one\r\ntwo\n\r\na\rlast",  // a lone CR is text
         {{"one\r\n", true}, {"two\n", true}, {"\r\n", true}, {"a\rlast", true}}},
        {a254 + "\r\nx\r\n", {{a254 + "\r\n", true}, {"x\r\n", true}}},
        {b255 + "\r\n", {{b255, false}, {"\r\n", true}}},
        {b255, {{b255, true}}},
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFileBytes(InTestDir("listd.tmp"), bytes);
        listing::TPrintLineReader reader;
        ASSERT_TRUE(reader.Open(InTestDir("listd.tmp")).ok());
        std::vector<Read> reads;
        std::string text;
        bool endsLine = false;
        platform::Status read;
        while ((read = reader.ReadPrintLine(&text, &endsLine)).ok())
            reads.emplace_back(text, endsLine);
        EXPECT_EQ(reads, expected) << bytes.substr(0, 20);
        EXPECT_EQ(read.message(), "The listing file " + InTestDir("listd.tmp") + " ended early");
    }
}

// Listing lines 1 to count; and the lines first..last of them a job prints,
// 0 being the heading, whose tabs print as spaces.
std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("listed line " + std::to_string(i));
    return lines;
}
std::vector<std::string> PrintedLines(int first, int last) {
    std::vector<std::string> lines = NumberedLines(last);
    lines.insert(lines.begin(), "Date Events Score Date/time entered");
    return {lines.begin() + first, lines.end()};
}
std::string JobPdf(int job) {
    return InTestDir("job" + std::to_string(job) + ".pdf");
}
// The non-empty text lines of each page of a job's PDF file (none without).
Pages JobPages(int job) {
    if (!std::filesystem::exists(JobPdf(job))) return {};
    QProcess process;
    process.start("pdftotext",
                  {"-layout", "-enc", "UTF-8", QString::fromStdString(JobPdf(job)), "-"});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << JobPdf(job);
        return {};
    }
    Pages pages(1);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith('\f')) pages.emplace_back();
        if (!line.trimmed().isEmpty()) pages.back().push_back(line.simplified().toStdString());
    }
    if (pages.back().empty()) pages.pop_back();
    return pages;
}

class PrintListingTest : public ReportsTest {
protected:
    // Prints a listing of count lines (no file without bytes), the print
    // dialogs answered with job1.pdf, ... in as many copies (0: Cancel).
    void Print(int count, const std::optional<std::string>& bytes, const std::vector<int>& copies) {
        session::Values().listingLineCount = count;
        std::remove(InTestDir("listd.tmp").c_str());
        if (bytes) WriteFileBytes(InTestDir("listd.tmp"), *bytes);
        for (int job = 1; job <= 3; ++job) std::remove(JobPdf(job).c_str());
        for (int job = 1; job <= static_cast<int>(copies.size()); ++job) {
            const int n = copies[job - 1];
            framework::testing::AnswerNextPrintDialog(n ? PrintDialogAnswer::PdfFile(JobPdf(job), n)
                                                        : PrintDialogAnswer::Cancel());
        }
        reports::PrintListing(printer_, nullptr);
    }

    framework::TPrinter printer_;
};

// Each job prints at most 60 lines (the heading counts) on one page, after a
// print dialog that offers no page range and no selection; a cancelled print
// dialog skips its job only. A listing that cannot be read (or a printer
// gone) stops the run before the chunk the failure belongs to, and says so.
TEST_F(PrintListingTest, PrintsOneOnePageJobPerSixtyLinesAndReportsFailures) {
    const std::string none = "The listing could not be read, so it was not printed.\n\n";
    const struct {
        int count;
        std::optional<std::string> listing = "";        // "": count numbered lines
        std::vector<int> copies = {};                   // of each job; 0: Cancel
        std::vector<std::pair<int, int>> printed = {};  // the first and last line of each job
        int failingRead = 0;
        bool deviceFails = false;
        std::string says = "";
    } cases[] = {
        {.count = 0},
        {.count = 59, .copies = {1}, .printed = {{0, 59}}},
        {.count = 60, .copies = {1, 1}, .printed = {{0, 59}, {60, 60}}},
        {.count = 61, .copies = {0, 2}, .printed = {{0, 59}, {60, 61}}},
        {.count = 5, .listing = std::nullopt, .says = none},
        {.count = 5, .failingRead = 1, .says = none},
        {.count = 3, .listing = std::string(1 << 20, 'x'), .says = none},
        {.count = 70,
         .listing = ListingOf(NumberedLines(64)),
         .copies = {1},
         .printed = {{0, 59}},
         .says = "The listing could not be read after its first 60 lines, so the rest was not "
                 "printed."},
        {.count = 3,
         .copies = {1},
         .deviceFails = true,
         .says = "'List' not printed. Error encountered during print."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        framework::testing::ResetSeams();
        faults_.FailNth(c.failingRead, platform::FaultEnv::kRead, EIO);
        if (c.deviceFails) framework::testing::FailNextPrintDevice();
        Print(c.count, c.listing == "" ? ListingOf(NumberedLines(c.count)) : c.listing, c.copies);
        const auto& dialogs = framework::testing::PrintDialogsShown();
        ASSERT_EQ(dialogs.size(), c.copies.size());
        for (std::size_t job = 0; job < dialogs.size(); ++job) {
            EXPECT_FALSE(dialogs[job].pageRangeOffered || dialogs[job].selectionOffered);
            const auto [first, last] = job < c.printed.size() ? c.printed[job] : std::pair{0, -1};
            EXPECT_EQ(JobPages(static_cast<int>(job) + 1),
                      last < 0 ? Pages{} : Pages(c.copies[job], PrintedLines(first, last)));
        }
        if (c.says.empty()) {
            EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
        } else {
            EXPECT_TRUE(LastMessageBox().text.starts_with(c.says)) << LastMessageBox().text;
            EXPECT_EQ(LastMessageBox().text.find(std::strerror(EIO)) != std::string::npos,
                      c.failingRead > 0);
        }
    }
    // A line too long for one print line continues in the next.
    Print(3, ListingOf({"listed line 1", "long " + std::string(300, 'x'), "listed line 3"}), {1});
    const Pages pages = JobPages(1);  // the first 255 characters run off the paper
    ASSERT_TRUE(pages.size() == 1 && pages[0].size() == 5);
    EXPECT_EQ(pages[0][3], std::string(50, 'x'));
    EXPECT_EQ(pages[0][4], "listed line 3");
}

// The program's own files are refused, by any path or link that leads to
// them; the dialog then comes back, and the diary stays as it was.
TEST_F(PrintListingTest, PrintingOntoTheProgramsOwnFilesIsRefused) {
    namespace fs = std::filesystem;
    const std::string dir = TestDir();
    fs::create_directories(dir + "/Jotwel.versions");
    WriteFileBytes(dir + "/Jotwel.dat", "diary");
    fs::create_symlink(dir + "/Jotwel.dat", dir + "/alias.pdf");
    const auto says = [&dir](const std::string& path) {
        return reports::OwnFileRefusal(dir + path, dir, dir + "/settings.ini");
    };
    for (const char* path : {"/Jotwel.dat", "/alias.pdf", "/Jotwel.hld", "/listd.tmp",
                             "/settings.ini", "/Jotwel.versions", "/Jotwel.versions/new.pdf"}) {
        EXPECT_NE(says(path), "") << path;
    }
    EXPECT_EQ(says("/sub/Jotwel.dat"), "");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(dir + "/Jotwel.dat"));
    Print(3, ListingOf(NumberedLines(3)), {1});
    EXPECT_EQ(framework::testing::PrintDialogsShown().size(), 2u);
    EXPECT_EQ(ReadFileBytes(dir + "/Jotwel.dat"), "diary");
    EXPECT_EQ(JobPages(1), Pages{PrintedLines(0, 3)});
    EXPECT_EQ(LastMessageBox().text,
              "\"Jotwel.dat\" is one of Jotwel's own files; printing to it would replace it. "
              "Choose another file for the printout.");
}

// Records each text drawn as "x,y L|R text" and its look as "height [bold]
// [underlined] face r,g,b".
class RecordingDC : public platform::TDC {
public:
    int DpiX() const override { return 600; }
    int DpiY() const override { return 600; }
    void SelectFont(const platform::TFontRequest& request) override { font = request; }
    int TextHeight() const override { return font.height; }
    int TextWidth(std::string_view text) const override {
        return 7 * static_cast<int>(text.size());
    }
    void SetTextColor(platform::TColor c) override { color = c; }
    void SetTextAlign(platform::TTextAlign a) override { align = a; }
    void TextOut(int x, int y, std::string_view text) override {
        placed.push_back(std::to_string(x) + "," + std::to_string(y) +
                         (align == platform::TTextAlign::kRight ? " R " : " L ") +
                         std::string(text));
        looks.push_back(std::to_string(font.height) + (font.weight == 700 ? " bold " : " ") +
                        (font.underline ? "underlined " : "") + font.faceName + " " +
                        std::to_string(color.red) + "," + std::to_string(color.green) + "," +
                        std::to_string(color.blue));
    }

    platform::TFontRequest font;
    platform::TColor color;
    platform::TTextAlign align = platform::TTextAlign::kLeft;
    std::vector<std::string> placed, looks;
};

constexpr char kListing[] = "5, 2, 0, 1, n, 000, A";

// Draws the lines (text, format) as one page after a line at previousTop.
RecordingDC Draw(const std::vector<listing::PrintLine>& lines, std::int32_t previousTop = 0) {
    listing::PrintLineTable table;
    for (const auto& line : lines) table.entries[table.PrintLineCount++] = line;
    RecordingDC dc;
    listing::DrawPrintLines(dc, table, previousTop);
    return dc;
}

// Listing lines stack one cell apart (1/7 inch: 600 / 7 = 85.7, truncated),
// half an inch in; the line end kept with a line is not drawn, and no
// control character reaches paper.
TEST(PrintLayout, ListingLinesStackHalfAnInchIn) {
    const RecordingDC dc =
        Draw({{"Date\tEvents\r\n", kListing}, {"one\x01\r", kListing}, {"two\n", kListing}});
    EXPECT_EQ(dc.placed,
              (std::vector<std::string>{"300,0 L Date Events", "300,85 L one  ", "300,170 L two"}));
}

// Each case draws "first" by its own format, then "abc" (21 dots wide) by
// the format under test: C and X keep the alignment.
TEST(PrintLayout, AlignmentLettersAndStepsPlaceTheLine) {
    const char* kL = "5, 2, 0, 1, n, 000, L";
    const char* kR = "5, 2, 0, 1, n, 000, R";
    const struct {
        const char *first, *format, *placed;
    } cases[] = {
        {.first = kL, .format = "5, 3, 40, 1, n, 000, L", .placed = "450,125 L abc"},
        {.first = kL, .format = "5, 30, 0, 1, n, 000, R", .placed = "4500,85 R abc"},
        {.first = kL, .format = "5, 2, 40, 1, n, 000, X", .placed = "2390,5100 L abc"},
        {.first = "5, 2, 6000, 1, n, 000, L",
         .format = "5, 2, 0, 1, n, 000, X",
         .placed = "2390,6085 L abc"},
        {.first = kR, .format = "5, 1, 0, 1, n, 000, C", .placed = "2390,85 R abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Draw({{"first", c.first}, {"abc", c.format}}, 1000).placed.at(1), c.placed)
            << c.format;
    }
}

// The top of the last line drawn outlives the page and the print job: a
// job whose first line has step -1 starts there.
TEST(PrintLayout, StepMinusOneCarriesAcrossJobs) {
    listing::PreviousLineTop() = 0;
    RecordingDC dc;
    for (const std::vector<listing::PrintLine>& lines :
         {std::vector<listing::PrintLine>{{"a", kListing}, {"b", kListing}, {"c", kListing}},
          {{"d", "5, 2, -1, 1, n, 000, A"}, {"e", kListing}}}) {
        listing::PrintLineTable table;
        for (const auto& line : lines) table.entries[table.PrintLineCount++] = line;
        reports::TBlindPrintout printout("List", table);
        printout.SetPrintParams(&dc, QSize(4800, 6600));
        printout.PrintPage(1, QRect(0, 0, 4800, 6600), 0);
    }
    EXPECT_EQ(dc.placed, (std::vector<std::string>{"300,0 L a", "300,85 L b", "300,170 L c",
                                                   "300,170 L d", "300,255 L e"}));
    EXPECT_EQ(listing::PreviousLineTop(), 255);
    listing::PreviousLineTop() = 0;
}

// Size, boldness, underline, face and colour; indices outside the tables
// are clamped, and an unreadable format draws a listing line.
TEST(PrintLayout, FormatsMakeTheFontAndColour) {
    const std::pair<const char*, const char*> cases[] = {
        {"-3, 2, 0, 1, n, 000, A", "300 Times New Roman 0,0,0"},
        {"5b, 2, 0u, 3, n, 357, A", "85 bold underlined Arial 84,141,198"},
        {"5, 2, 0, 17, n, x9z, A", "85 Arial Black 0,254,0"},
        {"", "85 Times New Roman 0,0,0"},
    };
    for (const auto& [format, looks] : cases) {
        EXPECT_EQ(Draw({{"x", format}}).looks, std::vector<std::string>{looks}) << format;
    }
}

}  // namespace
}  // namespace jtest
