// The report as Show Results forms it from a diary: which entries, in which
// lines, and what the listing file holds.
#include "ReportsTest.h"
#include "listing/Report.h"

namespace jtest {
namespace {

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

}  // namespace
}  // namespace jtest
