// check: each problem of a damaged diary named with its record, the sum,
// and the command's exit statuses.
#include <algorithm>
#include <cerrno>

#include "ToolTest.h"

namespace jtest {
namespace {

store::TEntryRecord TextAt(dates::Instant key) {
    return store::MakeTextEntryRecord("entry", "", 5, key);
}

// A record whose text field and stamp field hold no NUL; the stamp starts
// with a control character.
std::string Unterminated() {
    store::RecordBytes bytes = store::EncodeRecord(TextAt(On("02/02/14")));
    std::fill(bytes.begin(), bytes.begin() + store::KeyOffset, '1');
    bytes[store::TextFieldSize] = '\x01';
    return std::string(bytes.data(), bytes.size());
}

std::string At(int index, int offset, const std::string& stamp) {
    return "record " + std::to_string(index) + " (byte offset " + std::to_string(offset) +
           ", stamp \"" + stamp + "\"): ";
}

TEST_F(ToolTest, CheckNamesEachProblemWithItsRecordAndSumsUp) {
    const std::string diary = store::DiaryPath(TestDir());
    const std::string sample = Bytes(SampleDiary());
    const std::string early = Bytes({TextAt(On("31/12/04"))});
    const std::string stamp = "\\x01" + std::string(24, '1');
    const struct {
        std::string bytes;
        std::string out;
    } cases[] = {
        {.bytes = "", .out = ": 0 entries (0 text, 0 button), 0 bytes: no problems found\n"},
        {.bytes = sample + "xy",
         .out = ": the last 2 bytes, from byte offset 2136, are not a whole record of 534 bytes; "
                "readers skip them and the next change drops them\n" +
                diary + ": 4 entries (3 text, 1 button), 2138 bytes: 1 problem found\n"},
        {.bytes = sample.substr(0, 534) + Unterminated(),
         .out = At(2, 534, stamp) + "the text field (501 bytes) has no terminating NUL\n" +
                At(2, 534, stamp) + "the stamp field (25 bytes) has no terminating NUL\n" + diary +
                ": 2 entries (2 text, 0 button), 1068 bytes: 2 problems found\n"},
        // A button entry earlier than the text entries before it is in place.
        {.bytes = Bytes({TextAt(On("03/02/14")), TextAt(On("01/02/14")), TextAt(On("02/02/14")),
                         store::MakeButtonEntryRecord({}, {}, On("01/01/14"))}),
         .out = At(2, 534, "01/02/14 @ 12:00:00") + "text entry out of date order: its key " +
                std::to_string(On("01/02/14")) + " is below " + std::to_string(On("03/02/14")) +
                ", the key of record 1, the text entry before it\n" + diary +
                ": 4 entries (3 text, 1 button), 2136 bytes: 1 problem found\n"},
        // The first 20 of a kind, then a count of the rest.
        {.bytes =
             [&] {
                 std::string bytes;
                 for (int i = 0; i < 25; ++i) bytes += early;
                 return bytes;
             }(),
         .out = At(20, 19 * 534, "31/12/04 @ 12:00:00") + "its key " +
                std::to_string(On("31/12/04")) +
                " falls on 2004-12-31, outside the years 2005-2038\n... and 5 more like the "
                "last\n" +
                diary + ": 25 entries (25 text, 0 button), 13350 bytes: 25 problems found\n"},
    };
    for (const auto& c : cases) {
        PutDiary(c.bytes);
        const ToolRun run = RunTool({"check"});
        EXPECT_EQ(run.status, c.bytes.empty() ? 0 : tool::kExitFileError) << c.out;
        EXPECT_THAT(run.out, EndsWith(c.out));
    }
    PutDiary(sample);
    EXPECT_EQ(RunTool({"check"}).out,
              diary + ": 4 entries (3 text, 1 button), 2136 bytes: no problems found\n");
    WriteFileBytes(store::HoldPath(TestDir()), "abc");
    EXPECT_EQ(RunTool({"check"}).out,
              store::HoldPath(TestDir()) +
                  ": a hold file of 3 bytes is left over from a change that did not finish; the "
                  "diary is as it was before that change, and the next change discards the hold "
                  "file\n" +
                  diary + ": 4 entries (3 text, 1 button), 2136 bytes: 1 problem found\n");
    faults_.FailNth(1, platform::FaultEnv::kRead, EIO);
    const ToolRun unreadable = RunTool({"check"});
    EXPECT_EQ(unreadable.status, tool::kExitFileError);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(unreadable.err, "jotwel-tool: " + diary + ": Input/output error\n");
}

}  // namespace
}  // namespace jtest
