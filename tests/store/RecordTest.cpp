// The 534-byte record and how the two kinds of entry become records.

#include <gtest/gtest.h>

#include <string>

#include "store/Diary.h"

namespace store {
namespace {

std::string Raw(const RecordBytes& bytes) {
    return std::string(bytes.data(), bytes.size());
}

TEST(RecordCodec, LaysOutFieldsLittleEndianWithZerosAfterTheTerminators) {
    const TEntryRecord record{"abc", "02/01/05", 1104624000, -1};
    EXPECT_EQ(Raw(EncodeRecord(record)), "abc" + std::string(498, '\0') + "02/01/05" +
                                             std::string(17, '\0') +
                                             "\x80\x39\xD7\x41\xFF\xFF\xFF\xFF");
    EXPECT_EQ(Raw(EncodeRecord({"", "", -2, 7})).substr(526),
              std::string("\xFE\xFF\xFF\xFF\x07\0\0\0", 8));
    EXPECT_EQ(DecodeRecord(EncodeRecord(record).data()), record);
}

TEST(RecordCodec, CutsLongFieldsOnWritingAndTakesFieldsWithoutTerminatorWhole) {
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
        int score;
    } cases[] = {
        {.summary = "Went to the coast",
         .note = "Saw seals",
         .text = "Went to the coast  = Saw seals)",
         .score = 7},
        {.summary = "Rain\r\nthen sun",
         .note = "Kite",
         .text = "Rain\r\nthen sun  = Kite)",
         .score = -1},
        {.summary = "Quiet day", .note = "", .text = "Quiet day  = )", .score = 0},
        {.summary = "100% %s", .note = "%n", .text = "100% %s  = %n)", .score = 10},
        {.summary = summary,
         .note = note,
         .text = (summary + "  = " + note).substr(0, 500),
         .score = 3},
    };
    for (const auto& c : cases) {
        const TEntryRecord record = MakeTextEntryRecord(c.summary, c.note, c.score, 1418000000);
        EXPECT_EQ(record, (TEntryRecord{c.text, "08/12/14 @ 00:53:20", 1418000000, c.score}));
        EXPECT_EQ(DecodeRecord(EncodeRecord(record).data()), record);
    }
}

TEST(MakeButtonEntryRecord, ComposesHeadingsAndScoresWithUnevenSeparators) {
    const struct {
        std::array<std::string, 6> headings;
        std::array<int, 6> scores;
        const char* text;
    } cases[] = {
        {.headings = {"Work", "Health", "Money", "Family", "Hobby", "Weather"},
         .scores = {7, -1, 5, 10, 0, 3},
         .text = "Work = 7 : Health = -1 :Money = 5 Family = 10 : Hobby = 0 : Weather = 3"},
        {.headings = {"50%s", "%d%n", "", "a", "b", "c"},
         .scores = {-1, -1, -1, -1, -1, -1},
         .text = "50%s = -1 : %d%n = -1 : = -1 a = -1 : b = -1 : c = -1"},
    };
    for (const auto& c : cases) {
        const TEntryRecord record = MakeButtonEntryRecord(c.headings, c.scores, 1418000000);
        EXPECT_EQ(record, (TEntryRecord{c.text, "08/12/14", 1418000000, -1}));
    }
}

}  // namespace
}  // namespace store
