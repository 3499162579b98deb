// Where output goes: "-o -" to the standard output, a pipe or device
// written to as it is (never replaced by a plain file), a link's target
// replaced whole; restore takes only a plain file from the versions
// folder; --version; --csv-safe.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "ToolTest.h"
#include "store/Versions.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;

class OutputTest : public ToolTest {
protected:
    void SetUp() override { PutDiaryBytes(Bytes(SampleDiary())); }
};

TEST_F(OutputTest, DashIsTheStandardOutput) {
    const ToolRun csv = RunTool({"export", "--format", "csv", "-o", "-"});
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out, RunTool({"export", "--format", "csv"}).out);
    EXPECT_FALSE(fs::exists(InTestDir("-")));
    const ToolRun svg = RunTool({"chart", "--format", "svg", "-o", "-"});
    EXPECT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(svg.out.find("<svg"), std::string::npos);
    EXPECT_EQ(RunTool({"chart", "-o", "-"}).status, tool::kExitUserError);
    const ToolRun pdf = RunTool({"pdf", "-o", "-"});
    EXPECT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(pdf.out.substr(0, 5), "%PDF-");
}

TEST_F(OutputTest, APipeIsWrittenToAndStaysAPipe) {
    const std::string fifo = InTestDir("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::future<std::string> read = std::async(std::launch::async, [&] {
        std::ifstream in(fifo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    });
    const ToolRun run = RunTool({"export", "--format", "json", "-o", fifo});
    EXPECT_EQ(run.status, 0) << run.err;
    if (run.status != 0) close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // frees the reader
    EXPECT_EQ(read.get(), RunTool({"export", "--format", "json"}).out);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(OutputTest, ADeviceIsWrittenToAndNeverReplaced) {
    const ToolRun run = RunTool({"export", "--format", "markdown", "-o", "/dev/null"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(RunTool({"export", "--format", "csv", "-o", "/dev/full"}).status,
              tool::kExitFileError);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(OutputTest, ALinkStaysALinkAndItsTargetIsReplacedWhole) {
    WriteFileBytes(InTestDir("target.csv"), "old");
    fs::create_symlink("target.csv", InTestDir("link.csv"));
    ASSERT_EQ(RunTool({"export", "--format", "csv", "-o", "link.csv"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(InTestDir("link.csv")));
    EXPECT_EQ(ReadFileBytes(InTestDir("target.csv")), RunTool({"export", "--format", "csv"}).out);
}

TEST_F(OutputTest, CsvSafeKeepsSpreadsheetsFromRunningCells) {
    PutDiaryBytes(Bytes({store::MakeTextEntryRecord("=HYPERLINK(\"x\")", "+1", 3, On("01/02/14")),
                         store::MakeTextEntryRecord("-2", "@SUM(A1)", 3, On("02/02/14")),
                         store::MakeButtonEntryRecord({"=A1", "+", "-", "@", "a=b", "b"},
                                                      {1, 2, 3, 4, 5, -1}, On("03/02/14"))}));
    const ToolRun run = RunTool({"export", "--format", "csv", "--csv-safe"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* cell : {",\"'=HYPERLINK(\"\"x\"\")\",'+1,", ",'-2,'@SUM(A1),",
                             ",'=A1,1,'+,2,'-,3,'@,4,a=b,5,b,\r\n"}) {
        EXPECT_NE(run.out.find(cell), std::string::npos) << cell << "\n" << run.out;
    }
    EXPECT_EQ(RunTool({"export", "--format", "json", "--csv-safe"}).status, tool::kExitUserError);
}

TEST_F(OutputTest, RestoreTakesOnlyAPlainFileOfTheVersionsFolder) {
    const std::string folder = store::VersionsPath(TestDir());
    fs::create_directories(folder);
    WriteFileBytes(InTestDir("elsewhere.dat"), Bytes({SampleDiary()[0]}));
    fs::create_symlink(InTestDir("elsewhere.dat"), folder + "/Jotwel-2020-06-01-120000.dat");
    fs::create_directory(folder + "/Jotwel-2020-06-02-120000.dat");
    const std::string before = ReadFileBytes(store::DiaryPath(TestDir()));
    for (const char* name : {"Jotwel-2020-06-01-120000.dat", "Jotwel-2020-06-02-120000.dat"}) {
        const ToolRun run = RunTool({"restore", name, "--yes"});
        EXPECT_EQ(run.status, tool::kExitUserError) << name;
        EXPECT_NE(run.err.find("nothing restored"), std::string::npos) << run.err;
        EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())), before);
    }
}

TEST_F(OutputTest, VersionIsTold) {
    const ToolRun run = RunTool({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("jotwel-tool ", 0), 0u) << run.out;
    EXPECT_GT(run.out.size(), std::string("jotwel-tool \n").size());
}

}  // namespace
}  // namespace jtest
