// The 534-byte record, how the two kinds of entry become records, and
// opening a record file.

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "store/Diary.h"
#include "store/RecordFile.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

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
    } cases[] = {
        {.summary = "To the coast", .note = "Saw seals", .text = "To the coast  = Saw seals)"},
        {.summary = "Rain\r\nthen sun", .note = "", .text = "Rain\r\nthen sun  = )"},
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

// A failed open leaves no reader behind, even in a pointer that held one, so
// a caller that reads on cannot read an earlier file's records.
TEST(OpenRecordReader, AFailedOpenLeavesTheReaderNull) {
    const std::string path = jtest::InTestDir("Jotwel.dat");
    jtest::WriteFileBytes(path, Raw(EncodeRecord({"a", "01/01/05", 1104537600, 5})));
    std::unique_ptr<RecordReader> reader;
    ASSERT_TRUE(OpenRecordReader(path, &reader).ok());
    ASSERT_NE(reader, nullptr);
    platform::FaultEnv faults(platform::PosixEnv());
    platform::ScopedEnv scoped(&faults);
    faults.FailNth(1, platform::FaultEnv::kOpenRead, EIO);
    EXPECT_EQ(OpenRecordReader(path, &reader).code(), EIO);
    EXPECT_EQ(reader, nullptr);
}

}  // namespace
}  // namespace store
