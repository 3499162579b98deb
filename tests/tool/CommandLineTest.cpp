// Help, mistakes, charts; remind and autostart with a stand-in for the
// user's systemd.

#include <filesystem>

#include "ToolTest.h"
#include "tool/UserSession.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;

using CommandLineTest = SampleTest;

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
    EXPECT_EQ(Diary(), DiaryOf(SampleDiary()));
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

}  // namespace
}  // namespace jtest
