// chart from the command line: the file of the extension given, or nothing
// when no entry in the range has a score. How the chart looks is
// ChartTest's.
#include <filesystem>

#include "ToolTest.h"

namespace jtest {
namespace {

class ChartCommandTest : public ToolTest {
protected:
    void SetUp() override { PutDiaryBytes(Bytes(SampleDiary())); }
};

TEST_F(ChartCommandTest, WritesTheFormatOfTheExtension) {
    EXPECT_EQ(RunTool({"chart", "-o", "scores.SVG"}).status, 0);
    EXPECT_NE(ReadFileBytes(InTestDir("scores.SVG")).find("<svg"), std::string::npos);
    EXPECT_EQ(RunTool({"chart", "--from", "03/02/14", "-o", "scores.png"}).status, 0);
    EXPECT_EQ(ReadFileBytes(InTestDir("scores.png")).substr(0, 4), "\x89PNG");
}

// The only entry of 02/02/14 has no score.
TEST_F(ChartCommandTest, NoScoreInTheRangeDrawsNothing) {
    const ToolRun run = RunTool({"chart", "--from", "02/02/14", "--to", "02/02/14", "-o", "c.svg"});
    EXPECT_EQ(run.status, tool::kExitUserError);
    EXPECT_EQ(run.err,
              "jotwel-tool: chart: no entry in the range has a score; nothing was drawn\n");
    EXPECT_FALSE(std::filesystem::exists(InTestDir("c.svg")));
}

}  // namespace
}  // namespace jtest
