// Help, mistakes, list and export (the report's lines, its entries in
// Markdown, the output file), charts; remind and autostart with a stand-in
// for the user's systemd.

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "ToolTest.h"
#include "listing/ListingFile.h"
#include "session/Settings.h"
#include "tool/ChartData.h"
#include "tool/PdfListing.h"
#include "tool/UserSession.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;
using CommandLineTest = SampleTest;
using ExportTest = SampleTest;

// Help wins over any mistake beside it, and ends with an example.
TEST_F(CommandLineTest, HelpGoesToTheStandardOutputForTheProgramAndEachCommand) {
    for (const std::string command : {"frob", "list", "export", "chart", "check", "versions",
                                      "restore", "edit", "pdf", "merge", "remind", "autostart"}) {
        const ToolRun run = RunTool({command, "--frm", "x", "-h"});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_THAT(run.out, AllOf(StartsWith("Usage: jotwel-tool "),
                                   HasSubstr(command == "frob" ? "COMMAND" : command),
                                   HasSubstr("\nExample:\n  jotwel-tool ")));
    }
}

// Named with the reason on the error stream; the diary is left alone.
TEST_F(CommandLineTest, MistakesSayWhatIsWrongAndExitWithOne) {
    ASSERT_TRUE(fs::create_directory(InTestDir("empty")));
    const std::string none = "empty/Jotwel.dat: no diary here (give the diary's folder with --dir";
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {.args = {}, .says = "jotwel-tool: no command given (see jotwel-tool --help)\n"},
        {.args = {"frob"}, .says = "jotwel-tool: frob: unknown command (see jotwel-tool --help)\n"},
        {.args = {"list", "--frm", "x"}, .says = "--frm: unknown option (see jotwel-tool list"},
        {.args = {"list", "--from"}, .says = "jotwel-tool: --from: needs a value"},
        {.args = {"list", "--from", "29/02/15"},
         .says = "jotwel-tool: --from: \"29/02/15\" is not a date: February 2015 has only 28 days "
                 "(write dd/mm/yy or yyyy-mm-dd, for example 6/12/26 or 2026-12-06)\n"},
        {.args = {"list", "--to", "1/1/14", "--to", "2/1/14"}, .says = "--to: given more than"},
        {.args = {"restore", "--yes=no", "x"}, .says = "jotwel-tool: --yes: takes no value"},
        {.args = {"list", "--search", std::string(24, 'a')}, .says = "longer than the 23 char"},
        {.args = {"list", "--search", "\xE6\x97\xA5"}, .says = "a character the diary cannot"},
        {.args = {"list", "extra"}, .says = "jotwel-tool: extra: unexpected argument"},
        {.args = {"check", "extra"}, .says = "jotwel-tool: extra: unexpected argument"},
        {.args = {"export"}, .says = "jotwel-tool: export: needs --format csv, json or markdown"},
        {.args = {"export", "--format", "xml"}, .says = "--format: \"xml\" is not a format"},
        {.args = {"export", "--format", "json", "--csv-safe"}, .says = "--csv-safe"},
        {.args = {"chart", "-o", "x.pdf"}, .says = "x.pdf: the chart's file must end in .svg"},
        {.args = {"chart", "-o", "-"}, .says = "--format"},
        {.args = {"restore"}, .says = "jotwel-tool: restore: needs the name of a version"},
        {.args = {"restore", "Jotwel-2001-01-01-000000.dat"}, .says = ".dat: no such version in "},
        {.args = {"--dir", InTestDir("none"), "list"}, .says = "none: No such file or directory"},
        {.args = {"export", "--format", "csv", "-o", "Jotwel.dat"},
         .says = ": is the diary itself"},
        {.args = {"list", "--dir=empty"}, .says = none},
        {.args = {"merge", "missing.dat"}, .says = "missing.dat"},
        {.args = {"merge", "Jotwel.dat"}, .says = ": is this diary itself"},
        {.args = {"remind", "soon"}, .says = "jotwel-tool: remind: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, tool::kExitUserError);
        EXPECT_THAT(run.err, HasSubstr(c.says));
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(DiaryBytes(), DiaryOf(SampleDiary()));
}

// A day too short for a line still shows its dot.
TEST_F(CommandLineTest, ChartWritesTheFormatAskedForOrNothingWithoutScores) {
    Out({"chart", "-o", "scores.png"});
    EXPECT_THAT(ReadFileBytes(InTestDir("scores.png")), StartsWith("\x89PNG"));
    EXPECT_THAT(Out({"chart", "--from", "03/02/14", "--format", "svg", "-o", "-"}),
                HasSubstr("<circle"));
    // The only entry of 02/02/14 has no score.
    const ToolRun run = RunTool({"chart", "--from", "02/02/14", "--to", "02/02/14", "-o", "c.svg"});
    EXPECT_EQ(run.status, tool::kExitUserError);
    EXPECT_EQ(run.err,
              "jotwel-tool: chart: no entry in the range has a score; nothing was drawn\n");
    EXPECT_FALSE(fs::exists(InTestDir("c.svg")));
}

class FakeSession : public tool::UserSession {
public:
    bool SystemdRuns() override { return true; }
    int Systemctl(const std::vector<std::string>& args, std::string* output) override {
        std::string call = args.at(0);
        for (std::size_t i = 1; i < args.size(); ++i) call += " " + args[i];
        calls.push_back(call);
        *output = call == failing ? "Failed to enable unit\n" : "";
        return call == failing ? 1 : 0;
    }
    std::string LauncherPath() override { return launcher; }

    std::string launcher = "/opt/jot wel/bin/jotwel-launch";
    std::string failing;  // the call that fails
    std::vector<std::string> calls;
};

class RemindTest : public ToolTest {
protected:
    FakeSession session_;
    tool::ScopedUserSession useSession_{&session_};
    const std::string service_ = ConfigDir() + "/systemd/user/jotwel-remind.service";
    const std::string timer_ = ConfigDir() + "/systemd/user/jotwel-remind.timer";
};

TEST_F(RemindTest, AtWritesTheUnitsAndEnablesTheTimerAndOffTakesThemAway) {
    EXPECT_THAT(Out({"remind", "at", "7:05"}), HasSubstr("every day at 07:05"));
    EXPECT_THAT(ReadFileBytes(service_),
                HasSubstr("\nExecStart=\"/opt/jot wel/bin/jotwel-launch\" auto\n"));
    EXPECT_THAT(ReadFileBytes(timer_), HasSubstr("\nOnCalendar=*-*-* 07:05:00\n"));
    EXPECT_THAT(Out({"remind", "status"}), HasSubstr("A daily reminder is set for 07:05"));
    Out({"remind", "off"});
    EXPECT_FALSE(fs::exists(service_));
    EXPECT_FALSE(fs::exists(timer_));
    EXPECT_EQ(session_.calls, (std::vector<std::string>{
                                  "daemon-reload", "enable jotwel-remind.timer",
                                  "restart jotwel-remind.timer", "is-active jotwel-remind.timer",
                                  "disable --now jotwel-remind.timer", "daemon-reload"}));
}

// Only times of the day on the 24-hour clock are taken; nothing is tried
// without the program to start; a failed systemctl takes the units away again.
TEST_F(RemindTest, MistakesAndFailuresLeaveNoUnits) {
    for (const char* time : {"24:00", "12:60", "12", "12:5", "012:00", "a1:00", ":30", "9:3pm"}) {
        EXPECT_EQ(RunTool({"remind", "at", time}).status, tool::kExitUserError) << time;
    }
    session_.launcher.clear();
    EXPECT_THAT(RunTool({"remind", "at", "08:00"}).err, HasSubstr("jotwel-launch was found"));
    EXPECT_TRUE(session_.calls.empty());
    session_.launcher = "/bin/jotwel-launch";
    session_.failing = "enable jotwel-remind.timer";
    const ToolRun run = RunTool({"remind", "at", "08:00"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.err, HasSubstr("Failed to enable unit"));
    EXPECT_FALSE(fs::exists(timer_));
    EXPECT_FALSE(fs::exists(service_));
}

TEST_F(RemindTest, AutostartPutsTheLogOnEntryInPlaceAndTakesItAway) {
    const std::string entry = ConfigDir() + "/autostart/jotwel-autostart.desktop";
    Out({"autostart", "on"});
    EXPECT_EQ(ReadFileBytes(entry),
              ReadFileBytes(JOTWEL_TEST_DATA "/../../packaging/jotwel-autostart.desktop"));
    Out({"autostart", "off"});
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(Out({"autostart", "off"}), "Jotwel does not start at log-on; nothing to remove.\n");
}

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

// As on paper: a line of 255 characters or more goes on in the next print
// line, and a page holds 60 print lines, the heading among them.
TEST(PdfListing, LongLinesGoOnAndPagesHoldSixtyLines) {
    const std::string a255(255, 'a');
    EXPECT_EQ(
        tool::ListingPrintLines({"short", a255 + "b"}),
        (std::vector<std::string>{std::string(listing::kListingHeading), "short", a255, "b"}));
    const auto pages = tool::PagesOf(std::vector<std::string>(121, "x"));
    EXPECT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2].size(), 1u);
}

}  // namespace
}  // namespace jtest
