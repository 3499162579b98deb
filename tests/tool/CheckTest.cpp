// check: what CheckDiary finds in damaged diaries, how DescribeCheck names
// each record, and the command's exit statuses.
#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "ToolTest.h"
#include "tool/Check.h"

namespace jtest {
namespace {

class CheckTest : public ToolTest {};

store::TEntryRecord TextAt(dates::Instant key) {
    return store::MakeTextEntryRecord("entry", "", 5, key);
}

// A record whose text field and stamp field hold no NUL; the stamp starts
// with a control character.
std::string Unterminated() {
    store::RecordBytes bytes = store::EncodeRecord(TextAt(On("02/02/14")));
    std::fill(bytes.begin(), bytes.begin() + store::TextFieldSize, 'a');
    std::fill(bytes.begin() + store::TextFieldSize, bytes.begin() + store::KeyOffset, '1');
    bytes[store::TextFieldSize] = '\x01';
    return std::string(bytes.data(), bytes.size());
}

std::string At(int index, int offset, const std::string& stamp) {
    return "record " + std::to_string(index) + " (byte offset " + std::to_string(offset) +
           ", stamp \"" + stamp + "\"): ";
}

TEST_F(CheckTest, NamesEachProblemWithItsRecordAndSumsUp) {
    const std::string diary = store::DiaryPath(TestDir());
    const std::string sample = Bytes(SampleDiary());
    const std::string early = Bytes({TextAt(On("31/12/04"))});
    std::string wrecked;
    for (int i = 0; i < 25; ++i) wrecked += early;
    const struct {
        std::string bytes;
        bool hold;
        std::vector<std::string> lines;
    } cases[] = {
        {.bytes = sample,
         .hold = false,
         .lines = {diary + ": 4 entries (3 text, 1 button), 2136 bytes: no problems found"}},
        {.bytes = "",
         .hold = false,
         .lines = {diary + ": 0 entries (0 text, 0 button), 0 bytes: no problems found"}},
        {.bytes = sample + "xy",
         .hold = true,
         .lines = {store::HoldPath(TestDir()) +
                       ": a hold file of 3 bytes is left over from a change that "
                       "did not finish; the diary is as it was before that "
                       "change, and the next change discards the hold file",
                   diary +
                       ": the last 2 bytes, from byte offset 2136, are not a whole record of 534 "
                       "bytes; readers skip them and the next change drops them",
                   diary + ": 4 entries (3 text, 1 button), 2138 bytes: 2 problems found"}},
        {.bytes = sample.substr(0, 534) + Unterminated(),
         .hold = false,
         .lines = {At(2, 534, "\\x01" + std::string(24, '1')) +
                       "the text field (501 bytes) has no terminating NUL",
                   At(2, 534, "\\x01" + std::string(24, '1')) +
                       "the stamp field (25 bytes) has no terminating NUL",
                   diary + ": 2 entries (2 text, 0 button), 1068 bytes: 2 problems found"}},
        // A button entry earlier than the text entries before it is in place.
        {.bytes = Bytes({TextAt(On("03/02/14")), TextAt(On("01/02/14")), TextAt(On("02/02/14")),
                         store::MakeButtonEntryRecord({}, {}, On("01/01/14"))}),
         .hold = false,
         .lines = {At(2, 534, "01/02/14 @ 12:00:00") + "text entry out of date order: its key " +
                       std::to_string(On("01/02/14")) + " is below " +
                       std::to_string(On("03/02/14")) +
                       ", the key of record 1, the text entry before it",
                   diary + ": 4 entries (3 text, 1 button), 2136 bytes: 1 problem found"}},
        {.bytes = wrecked,
         .hold = false,
         .lines = {At(1, 0, "31/12/04 @ 12:00:00") + "its key " + std::to_string(On("31/12/04")) +
                   " falls on 2004-12-31, outside the years 2005-2038"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.back());
        PutDiaryBytes(c.bytes);
        if (c.hold) WriteFileBytes(store::HoldPath(TestDir()), "abc");
        const tool::DiaryCheck check = tool::CheckDiary(TestDir());
        const std::vector<std::string> lines = tool::DescribeCheck(check, TestDir());
        if (c.bytes == wrecked) {
            // The first 20 of a kind, then a count of the rest.
            ASSERT_EQ(lines.size(), 22u);
            EXPECT_EQ(lines[0], c.lines[0]);
            EXPECT_EQ(lines[19].rfind(At(20, 19 * 534, "31/12/04 @ 12:00:00"), 0), 0u);
            EXPECT_EQ(lines[20], "... and 5 more like the last");
            EXPECT_EQ(lines[21],
                      diary + ": 25 entries (25 text, 0 button), 13350 bytes: 25 problems found");
        } else {
            EXPECT_EQ(lines, c.lines);
        }
        const ToolRun run = RunTool({"check"});
        EXPECT_EQ(run.status,
                  c.lines.back().ends_with("no problems found") ? 0 : tool::kExitFileError);
        EXPECT_EQ(run.out, [&] {
            std::string out;
            for (const std::string& line : lines) out += line + "\n";
            return out;
        }());
        std::remove(store::HoldPath(TestDir()).c_str());
    }
}

TEST_F(CheckTest, AnUnreadableDiaryFailsWithTheReason) {
    PutDiaryBytes(Bytes(SampleDiary()));
    faults_.FailNth(1, platform::FaultEnv::kRead, EIO);
    const ToolRun run = RunTool({"check"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "jotwel-tool: " + store::DiaryPath(TestDir()) + ": Input/output error\n");
}

}  // namespace
}  // namespace jtest
