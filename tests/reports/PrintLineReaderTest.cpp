// Reading the listing file back as print lines: a line and its end fit in
// 255 characters (CR LF counting as one), a longer line continues in the
// next print line, and the end of the file or a failed read is an error.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/FaultEnv.h"
#include "reports/PrintLineReader.h"
#include "support/TestEnvironment.h"

namespace {

using Read = std::pair<std::string, bool>;  // text, ends a line of the file

// Every print line of bytes, up to the end of the file.
std::vector<Read> ReadAll(const std::string& bytes) {
    const std::string path = jtest::InTestDir("listd.tmp");
    jtest::WriteFileBytes(path, bytes);
    reports::TPrintLineReader reader;
    EXPECT_TRUE(reader.Open(path).ok());
    std::vector<Read> reads;
    std::string text;
    bool endsLine = false;
    while (reader.ReadPrintLine(&text, &endsLine).ok()) reads.emplace_back(text, endsLine);
    EXPECT_TRUE(text.empty());
    return reads;
}

const std::string k254(254, 'a');
const std::string k255(255, 'b');

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<Read> reads;
};

class PrintLineReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PrintLineReads, SplitsTheFileIntoPrintLines) {
    EXPECT_EQ(ReadAll(GetParam().bytes), GetParam().reads);
}

INSTANTIATE_TEST_SUITE_P(
    PrintFiles, PrintLineReads,
    ::testing::Values(
        ReadCase{"LinesKeepTheirEnds",
                 "one\r\ntwo\r\n\r\n",
                 {{"one\r\n", true}, {"two\r\n", true}, {"\r\n", true}}},
        ReadCase{"LineFeedAloneEndsALine", "one\ntwo\r\n", {{"one\n", true}, {"two\r\n", true}}},
        ReadCase{"LastLineWithoutAnEnd", "one\r\ntwo", {{"one\r\n", true}, {"two", true}}},
        ReadCase{"LoneCarriageReturnIsText", "a\rb\r\n", {{"a\rb\r\n", true}}},
        ReadCase{"TwoHundredFiftyFourAndTheEndFit",
                 k254 + "\r\n" + "x\r\n",
                 {{k254 + "\r\n", true}, {"x\r\n", true}}},
        ReadCase{"TwoHundredFiftyFiveLeaveTheEndForTheNextRead",
                 k255 + "\r\n",
                 {{k255, false}, {"\r\n", true}}},
        ReadCase{"LongLineContinues",
                 k255 + k255 + "tail\r\nnext\r\n",
                 {{k255, false}, {k255, false}, {"tail\r\n", true}, {"next\r\n", true}}},
        ReadCase{"LongLastLineWithoutAnEnd", k255 + "z", {{k255, false}, {"z", true}}},
        ReadCase{"ExactlyTwoHundredFiftyFiveAtTheEnd", k255, {{k255, true}}},
        ReadCase{"EmptyFile", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintLineReader, MissingFileFailsToOpen) {
    reports::TPrintLineReader reader;
    EXPECT_EQ(reader.Open(jtest::InTestDir("listd.tmp")).code(), ENOENT);
}

TEST(PrintLineReader, AFailedReadIsReportedAndGivesNoText) {
    const std::string path = jtest::InTestDir("listd.tmp");
    jtest::WriteFileBytes(path, "one\r\ntwo\r\n");
    platform::FaultEnv faults(platform::Env::Default());
    platform::ScopedEnv installed(&faults);
    faults.FailNth(1, platform::FaultEnv::kRead, EIO);
    reports::TPrintLineReader reader;
    ASSERT_TRUE(reader.Open(path).ok());
    std::string text = "old";
    bool endsLine = true;
    EXPECT_EQ(reader.ReadPrintLine(&text, &endsLine).code(), EIO);
    EXPECT_TRUE(text.empty());
}

}  // namespace
