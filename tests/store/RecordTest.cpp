// The 534-byte record, how entries become records and listing lines, and
// finding the record a listing line shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreFixture.h"
#include "store/Diary.h"
#include "store/ListingLine.h"
#include "support/TestEnvironment.h"

namespace store {
namespace {

using namespace storetest;

std::string Raw(const RecordBytes& bytes) {
    return std::string(bytes.data(), bytes.size());
}

// Long fields are cut on writing; fields without a terminator, as another
// writer may leave them, are read whole.
TEST(RecordCodec, LaysOutFieldsLittleEndianWithZerosAfterTheTerminators) {
    const TEntryRecord record{"abc", "02/01/05", 1104624000, -1};
    EXPECT_EQ(Raw(EncodeRecord(record)), "abc" + std::string(498, '\0') + "02/01/05" +
                                             std::string(17, '\0') +
                                             "\x80\x39\xD7\x41\xFF\xFF\xFF\xFF");
    EXPECT_EQ(DecodeRecord(EncodeRecord(record).data()), record);
    const RecordBytes cut = EncodeRecord({std::string(600, 'x'), std::string(30, 'y'), 9, 1});
    EXPECT_EQ(Raw(cut), std::string(500, 'x') + '\0' + std::string(24, 'y') + '\0' +
                            std::string("\x09\0\0\0\x01\0\0\0", 8));
    RecordBytes foreign;
    foreign.fill('q');
    foreign[3] = '\0';  // Text "qqq" and junk after it; Stamp without terminator
    EXPECT_EQ(DecodeRecord(foreign.data()).Text, "qqq");
    EXPECT_EQ(DecodeRecord(foreign.data()).Stamp, std::string(25, 'q'));
}

TEST(MakeTextEntryRecord, ComposesSummaryAndNoteWithinFiveHundredBytes) {
    const std::string summary(499, 's'), note(79, 'n');
    const struct {
        std::string summary, note, text;
    } cases[] = {
        {.summary = "To the coast", .note = "Saw seals", .text = "To the coast  = Saw seals)"},
        {.summary = "100% %s", .note = "%n", .text = "100% %s  = %n)"},
        {.summary = summary, .note = note, .text = (summary + "  = " + note).substr(0, 500)},
    };
    for (const auto& c : cases) {
        const TEntryRecord record = MakeTextEntryRecord(c.summary, c.note, 7, 1418000000);
        EXPECT_EQ(record, (TEntryRecord{c.text, "08/12/14 @ 00:53:20", 1418000000, 7}));
    }
}

TEST(MakeButtonEntryRecord, ComposesHeadingsAndScoresWithUnevenSeparators) {
    const TEntryRecord record = MakeButtonEntryRecord(
        {"Work", "Health", "%d%n", "", "Hobby", "Weather"}, {7, -1, 5, 10, 0, 3}, 1418000000);
    EXPECT_EQ(record,
              (TEntryRecord{"Work = 7 : Health = -1 :%d%n = 5  = 10 : Hobby = 0 : Weather = 3",
                            "08/12/14", 1418000000, -1}));
}

TEST(FormatListingLine, ShowsScoreOnlyWhenThereIsOneAndBlanksLineBreaks) {
    const struct {
        TEntryRecord record;
        const char* line;
    } cases[] = {
        {.record = {"Sunny  = Beach)", "07/12/14 @ 21:05:09", 1, 7},
         .line = "07/12/14 @ 21:05:09 Score = 7   Sunny  = Beach)"},
        {.record = {"Work = 3", "07/12/14", 1, -1}, .line = "07/12/14  Work = 3"},
        {.record = {"a\r\nb\rc\nd", "s", 1, 0}, .line = "s Score = 0   a  b c d"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatListingLine(c.record), c.line);
}

// A line of 'a' with spaces at the given positions (counted from 1) is cut
// into pieces ending at the given positions; the pieces after the first
// start with the continuation prefix, and there are five at most.
TEST(FoldListingLine, CutsRightAfterTheSpaceThatPassesOneHundred) {
    const struct {
        std::size_t length;
        std::vector<std::size_t> spaces, ends;
    } cases[] = {
        {.length = 230, .spaces = {101, 216}, .ends = {101, 216, 230}},
        {.length = 150, .spaces = {50, 100, 120}, .ends = {120, 150}},
        {.length = 700,
         .spaces = {101, 202, 303, 404, 505, 606},
         .ends = {101, 202, 303, 404, 505}},
    };
    for (const auto& c : cases) {
        std::string line(c.length, 'a');
        for (std::size_t position : c.spaces) line[position - 1] = ' ';
        std::vector<std::string> pieces;
        for (std::size_t i = 0, start = 0; i < c.ends.size(); start = c.ends[i++]) {
            pieces.push_back((i ? std::string(ContinuationPrefix) : "") +
                             line.substr(start, c.ends[i] - start));
        }
        EXPECT_EQ(FoldListingLine(line), pieces) << c.length;
    }
}

TEST(FirstListedPiece, IsTheLineOrItsFirstPieceWhenFolded) {
    const TEntryRecord longOne{std::string(120, 'w') + " tail", "01/02/15 @ 10:00:00", 1, 3};
    EXPECT_EQ(FirstListedPiece(longOne), FoldListingLine(FormatListingLine(longOne)).front());
    EXPECT_EQ(FirstListedPiece({"short", "01/02/15", 1, -1}), "01/02/15  short");
    EXPECT_EQ(FirstListedPiece({std::string(120, '.') + " x", "", 1, -1}), "");
}

// The first record whose listed line (or its first piece) is the line: the
// button entry of the same day, earlier in the file, does not capture a text
// entry's line, nor its twin later on. Lines that show no record match none.
TEST(FindKeyForLine, MatchesTheFirstRecordWhoseListedLineIsTheLine) {
    const dates::Instant morning = 1417996800 + 9 * 3600;  // 08/12/14 09:00 UTC
    const Records records = {
        MakeButtonEntryRecord({"Work", "Health", "Money", "Family", "Hobby", "Weather"},
                              {1, 2, 3, 4, 5, 6}, morning),
        MakeTextEntryRecord("Walk", "Park", 7, morning),
        MakeTextEntryRecord(std::string(90, 'a') + " " + std::string(40, 'b') + " end", "n", 2,
                            morning + 60),
        MakeTextEntryRecord("Walk", "Park", 7, morning),
    };
    PutDiary(records);
    const std::vector<std::string> folded = FoldListingLine(FormatListingLine(records[2]));
    const struct {
        std::string line;
        std::optional<std::int64_t> index;
    } cases[] = {
        {.line = FormatListingLine(records[0]), .index = 0},
        {.line = "08/12/14 @ 09:00:00 Score = 7   Walk  = Park)", .index = 1},
        {.line = folded[0], .index = 2},
        {.line = folded[1], .index = std::nullopt},
        {.line = std::string(150, '-'), .index = std::nullopt},
        {.line = "Searching for: Walk", .index = std::nullopt},
        {.line = "08/12/14 @ 09:00:00 Score = 7   Walk  = Park) and more", .index = std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<RecordLocation> found = FindKeyForLine(DataDir(), c.line);
        ASSERT_EQ(found.has_value(), c.index.has_value()) << c.line;
        if (found) {
            EXPECT_EQ(found->index, *c.index);
            EXPECT_EQ(found->record, records[static_cast<std::size_t>(*c.index)]);
        }
    }
}

}  // namespace
}  // namespace store
