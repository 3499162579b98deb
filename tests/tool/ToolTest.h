#pragma once
// jotwel-tool run in-process on the test's folder; today is 15/06/20 12:00
// UTC; a file layer a test may arm to fail one operation.

#include <gmock/gmock.h>

#include <sstream>

#include "store/Diary.h"
#include "store/Versions.h"
#include "support/DiaryFiles.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"
#include "tool/RunTool.h"

namespace jtest {

using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// Runs the tool with args, answering its question with input.
inline ToolRun RunTool(const std::vector<std::string>& args, const std::string& input = "") {
    std::ostringstream out, err;
    std::istringstream in(input);
    const int status = tool::RunTool(args, out, err, in);
    return {status, out.str(), err.str()};
}

// What the tool wrote to the standard output, expecting it to succeed.
inline std::string Out(const std::vector<std::string>& args, const std::string& input = "") {
    const ToolRun run = RunTool(args, input);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

// Both kinds of entry, as the program leaves them: a folded text, two lines,
// bytes above 127, a row left unscored.
inline std::vector<store::TEntryRecord> SampleDiary() {
    return {
        store::MakeTextEntryRecord("Caf\xE9 on the quay, \"calm\"\r\n  second line",
                                   "saw \x80 5 seals", 7, On("01/02/14", 9, 30)),
        store::MakeTextEntryRecord("beach " + std::string(110, 'b') + " tail", "", -1,
                                   On("02/02/14")),
        store::MakeTextEntryRecord("quiet # day [link](x)", "- not a list", 0, On("03/02/14")),
        store::MakeButtonEntryRecord({"Sleep", "Work", "Food \x81", "Mood", "Walk", "Read"},
                                     {7, 3, 10, -1, 5, 8}, On("01/02/14", 21)),
    };
}

// ToolTest, and SampleTest with the sample diary in place.
class ToolTest : public ::testing::Test {
protected:
    platform::FaultEnv faults_{platform::Env::Default()};
    platform::ClockEnv clock_{&faults_, On("15/06/20")};
    platform::ScopedEnv useEnv_{&clock_};
};

class SampleTest : public ToolTest {
protected:
    void SetUp() override { PutDiary(DiaryOf(SampleDiary())); }
};

}  // namespace jtest
