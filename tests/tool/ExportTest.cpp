// list and export: the report's lines, its entries in Markdown; the output
// file; the chart's means; and the diary cli_test.py reads, which is what
// the record code makes (run with JOTWEL_WRITE_CLI_DIARY=1 to write it
// afresh after a deliberate change).

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "ToolTest.h"
#include "session/Settings.h"
#include "tool/ChartData.h"

namespace jtest {
namespace {

using ExportTest = SampleTest;

const std::string kDashes(150, '-');

// The report's lines in UTF-8 between the heading and the closing dashes;
// dates may be yyyy-mm-dd too.
TEST_F(ExportTest, ListPrintsTheReportsLines) {
    const std::string cafe =
        "01/02/14 @ 09:30:00 Score = 7   Caf\xC3\xA9 on the quay, \"calm\"    "
        "second line  = saw \xE2\x82\xAC 5 seals)\n";
    const std::string beach =
        "02/02/14 @ 12:00:00  beach " + std::string(110, 'b') + " \n      -> tail  = )\n";
    const std::string quiet =
        "03/02/14 @ 12:00:00 Score = 0   quiet # day [link](x)  = - not a list)\n";
    const std::string button =
        "01/02/14  Sleep = 7 : Work = 3 :Food ? = 10 Mood = -1 : Walk = 5 : Read = 8\n";
    const struct {
        std::vector<std::string> args;
        std::string want;
    } cases[] = {
        {.args = {"list"}, .want = cafe + beach + quiet + button},
        {.args = {"list", "--from", "2/2/2014", "--to", "2014-02-10"}, .want = beach + quiet},
        {.args = {"list", "--to", "1/2/14", "--search", "caf\xC3\xA9"},
         .want = "Searching for: caf\xC3\xA9\n" + cafe},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Out(c.args),
                  "Date\tNews\tScore\tDate/time entered\n \n" + c.want + kDashes + "\n");
        EXPECT_FALSE(std::filesystem::exists(InTestDir("listd.tmp")));
    }
}

// An escape sequence cannot drive the terminal; a fragment is warned of.
TEST_F(ExportTest, ControlCharactersAreShownAsQuestionMarksAndAFragmentIsWarnedOf) {
    PutDiary(DiaryOf({store::MakeTextEntryRecord("\x1B]0;owned\x07\x1B[2J\x7F\x9D"
                                                 "0;x\x9C\x81",
                                                 "", 1, On("01/02/14"))}) +
             "xy");
    const ToolRun run = RunTool({"list"});
    EXPECT_THAT(run.out, EndsWith("\n01/02/14 @ 12:00:00 Score = 1   ?]0;owned??[2J??0;x\xC5\x93?  "
                                  "= )\n" +
                                  kDashes + "\n"));
    EXPECT_THAT(run.err, HasSubstr(": the last 2 bytes are not a whole record"));
}

// The note is titled as the user titled it.
TEST_F(ExportTest, MarkdownHasADaySectionPerDayInDateOrderWithTextsEscaped) {
    ASSERT_TRUE(session::WriteSetting("TextTit", "Best *bit*:").ok());
    const std::string run = Out({"export", "--format", "markdown"});
    EXPECT_EQ(
        run,
        "# Jotwel diary\n\nEntries from 01/01/05 to 15/06/20.\n"
        "\n## Saturday 01 February 2014\n"
        "\n### 09:30:00 \xC2\xB7 text entry \xC2\xB7 score 7\n"
        "\nCaf\xC3\xA9 on the quay, \"calm\"\\\nsecond line\n"
        "\n*Best \\*bit\\*:* saw \xE2\x82\xAC 5 seals\n"
        "\n### 21:00:00 \xC2\xB7 button entry\n"
        "\n- Sleep: 7\n- Work: 3\n- Food \xC2\x81: 10\n- Mood: not scored\n- Walk: 5\n- Read: 8\n"
        "\n## Sunday 02 February 2014\n"
        "\n### 12:00:00 \xC2\xB7 text entry\n"
        "\nbeach " +
            std::string(110, 'b') +
            " tail\n"
            "\n## Monday 03 February 2014\n"
            "\n### 12:00:00 \xC2\xB7 text entry \xC2\xB7 score 0\n"
            "\nquiet \\# day \\[link\\](x)\n"
            "\n*Best \\*bit\\*:* \\- not a list\n");
    EXPECT_EQ(RunTool({"export", "--format", "md", "--search", "none"}).out,
              "# Jotwel diary\n\nEntries from 01/01/05 to 15/06/20 holding \xE2\x80\x9Cnone"
              "\xE2\x80\x9D.\n\nNo entries.\n");
}

// A failure is named, with its file, and leaves no file; a device is written
// to, never replaced, and its failure is reported.
TEST_F(ExportTest, AFailedOutputIsReportedAndLeavesNoFile) {
    const std::string path = InTestDir("out.csv");
    faults_.FailNth(1, platform::FaultEnv::kRead, EIO);
    const ToolRun run = RunTool({"export", "--format", "csv", "--output", path});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.err, "jotwel-tool: " + store::DiaryPath(TestDir()) + ": Input/output error\n");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(TemporaryFilesIn(TestDir()).empty());
    EXPECT_EQ(RunTool({"export", "--format", "csv", "-o", "/dev/full"}).status,
              tool::kExitFileError);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// Each point as "day:mean/count", its day counted from Monday 29/12/25.
std::string Means(const std::vector<tool::ChartPoint>& points) {
    using namespace std::chrono;
    std::ostringstream out;
    for (const tool::ChartPoint& p : points) {
        out << p.day - sys_days{2025y / 12 / 29}.time_since_epoch().count() << ":" << p.value << "/"
            << p.count << " ";
    }
    return out.str();
}

// Sun 04/01/26 10 and 8, Mon 05/01 3, Wed 31/12/25 6 (its week is Mon
// 29/12/25 to Sun 04/01/26), Sat 31/01 5, Sun 01/02 7; no score, or a
// damaged one, is left out.
TEST(ChartData, MeansByDayWeekAndMonthAreOfTheScores) {
    const auto text = [](int score, dates::Instant key) {
        return store::MakeTextEntryRecord("summary", "note", score, key);
    };
    store::TEntryRecord damaged = text(0, On("02/03/26"));
    damaged.Score = 11;
    const tool::ChartData data = tool::MakeChartData(
        {text(10, On("04/01/26")), text(8, On("04/01/26", 23)), text(3, On("05/01/26", 0)),
         text(6, On("31/12/25")), text(5, On("31/01/26")), text(7, On("01/02/26")),
         text(-1, On("01/03/26")), damaged});
    ASSERT_EQ(data.series.size(), 1u);
    EXPECT_EQ(Means(data.series[0].daily), "2:6/1 6:9/2 7:3/1 33:5/1 34:7/1 ");
    EXPECT_EQ(Means(data.series[0].weekly), "0:8/3 7:3/1 28:6/2 ");
    EXPECT_EQ(Means(data.series[0].monthly), "-28:6/1 3:6.5/4 34:7/1 ");
    EXPECT_EQ(data.firstDay, data.series[0].daily.front().day);
    EXPECT_EQ(data.lastDay, data.series[0].daily.back().day);
}

TEST(CliDiary, TheCommittedCopyIsWhatTheRecordCodeMakes) {
    const std::string bytes = DiaryOf({
        store::MakeTextEntryRecord("Caf\xE9, \"quoted\"\r\nline two", "n\x80te, with comma", 7,
                                   On("01/02/14", 9, 30)),
        store::MakeTextEntryRecord("two\r\nlines", "", -1, On("02/02/14")),
        store::MakeButtonEntryRecord({"Sle,ep", "W\"ork", "Food\x81", "Mood", "Walk", "Read"},
                                     {7, 3, 10, 0, 5, 8}, On("01/02/14", 21)),
        store::MakeButtonEntryRecord({"Mood = 5 : ok", "50%", "", "Caf\xE9", "=x", "y"},
                                     {-1, 4, -1, -1, 10, -1}, On("02/02/14", 21)),
    });
    const std::string path = std::string(JOTWEL_TESTS_DIR) + "/tool/cli-diary.dat";
    if (std::getenv("JOTWEL_WRITE_CLI_DIARY") != nullptr) WriteFileBytes(path, bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes) << path;
}

}  // namespace
}  // namespace jtest
