// The report as Show Results forms it: which entries, in which lines, and
// what the listing file holds, for a diary in the test's folder.
#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "reports/Report.h"
#include "support/TestEnvironment.h"

namespace {

using rtest::At;
using rtest::ButtonEntry;
using rtest::TextEntry;

reports::ReportResult Report(std::string start, std::string end, std::string search = "") {
    return reports::MakeReport(jtest::TestDir(), {start, end, search, "15/06/20"});
}

std::vector<std::string> Listed(const reports::ReportResult& report) {
    return {report.ListingLines().begin(), report.ListingLines().end()};
}

// Checks the list, the listing file and the count against these entry lines.
void ExpectListed(const reports::ReportResult& report, const std::vector<std::string>& lines,
                  const std::string& search = "") {
    EXPECT_EQ(report.listLines, rtest::ListOf(lines, search));
    EXPECT_EQ(Listed(report), lines);
    EXPECT_EQ(rtest::ListingBytes(), rtest::ListingOf(lines));
    EXPECT_EQ(report.listingLineCount, static_cast<int>(lines.size()));
    EXPECT_TRUE(report.diaryStatus.ok() && report.listingStatus.ok());
}

TEST(Report, BlankDatesListFrom2005ThroughTodayInFileOrder) {
    const dates::Instant first = dates::ParseDiaryDate("01/01/05") - dates::SecondsPerDay;
    const dates::Instant todayEnd = dates::ParseDiaryDate("15/06/20");
    rtest::PutDiary({TextEntry(At("10/03/14"), "Caf\xE9 \x80", 7), ButtonEntry(first, "Work = 3"),
                     TextEntry(first - 1, "too early"), TextEntry(todayEnd - 1, "late", 0),
                     TextEntry(todayEnd + 1, "tomorrow")});
    ExpectListed(Report("", " / "), {"10/03/14 @ 12:00:00 Score = 7   Caf\xE9 \x80",
                                     "01/01/05  Work = 3", "15/06/20 @ 23:59:59 Score = 0   late"});
}

TEST(Report, TypedRangeHoldsBothEndsToTheSecond) {
    const dates::Instant start = dates::ParseDiaryDate("10/03/14") - dates::SecondsPerDay;
    const dates::Instant end = dates::ParseDiaryDate("12/03/14");
    rtest::PutDiary({TextEntry(start - 1, "out"), TextEntry(start, "first", -1),
                     TextEntry(end, "last", -1), TextEntry(end + 1, "out")});
    ExpectListed(Report("10/03/14", "12/03/14"),
                 {"10/03/14 @ 00:00:00  first", "13/03/14 @ 00:00:00  last"});
    ExpectListed(Report("12/03/14", "10/03/14"), {});  // a start after the end lists nothing
}

TEST(Report, SearchesTextOnlyWithoutRegardToCaseAndShowsTheWordAsTyped) {
    const std::vector<store::TEntryRecord> diary = {
        TextEntry(At("01/02/14"), "Went to the beach  = Sun)"),
        TextEntry(At("02/02/14"), "seaside"), TextEntry(At("03/02/14"), "by the sea"),
        TextEntry(At("04/02/14"), "12 o'clock")};
    rtest::PutDiary(diary);
    std::vector<std::string> all;
    for (const auto& record : diary) all.push_back(record.Stamp + " Score = 5   " + record.Text);
    const struct {
        std::string typed;
        std::vector<std::string> lines;
        std::string searchLine;
    } cases[] = {
        {"BEACH", {all[0]}, "BEACH"},
        {"   ", all, ""},            // blank: no search
        {"?!.-", all, ""},           // punctuation only: no search
        {" sea", {all[2]}, " sea"},  // the leading space must match too
        {"12:00", {}, "12:00"},      // the stamp is not searched
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("search \"" + c.typed + "\"");
        ExpectListed(Report("", "", c.typed), c.lines, c.searchLine);
    }
}

TEST(Report, FoldsLongLinesAndListsOnlyPiecesWithALetterOrDigit) {
    const std::string p = "      -> ";
    const std::string x90 = std::string(90, 'x') + " ";
    const std::string y100 = std::string(100, 'y') + " ";
    const struct {
        const char* name;
        store::TEntryRecord record;
        std::vector<std::string> lines;
    } cases[] = {
        {"letterless last piece",
         ButtonEntry(At("01/02/14"), x90 + "... !!"),
         {"01/02/14  " + x90}},
        {"sixth piece dropped",
         ButtonEntry(At("01/02/14"), x90 + y100 + y100 + y100 + y100 + "zzzzz"),
         {"01/02/14  " + x90, p + y100, p + y100, p + y100, p + y100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rtest::PutDiary({c.record});
        ExpectListed(Report("", ""), c.lines);
    }
}

TEST(Report, AbsentDiaryListsNothingAndLeavesTheHeadingOnly) {
    ExpectListed(Report("", ""), {});
    ExpectListed(Report("", "", "word"), {}, "word");
}

}  // namespace
