// The command line as a whole: help, mistakes and their exit statuses, the
// folder worked on, and what each command says when there is no diary.
#include <filesystem>

#include "ToolTest.h"

namespace jtest {
namespace {

class CommandLineTest : public ToolTest {};

// Help wins over any mistake beside it.
TEST_F(CommandLineTest, HelpGoesToTheStandardOutputForTheProgramAndEachCommand) {
    const std::pair<std::vector<std::string>, std::string> asks[] = {
        {{"--help"}, "COMMAND"},          {{"frob", "-h"}, "COMMAND"},
        {{"list", "--help"}, "list"},     {{"export", "--frm", "x", "--help"}, "export"},
        {{"chart", "-h"}, "chart"},       {{"--dir", "/nowhere", "check", "--help"}, "check"},
        {{"versions", "-h"}, "versions"}, {{"restore", "--help"}, "restore"}};
    for (const auto& [args, usage] : asks) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << usage;
        EXPECT_EQ(run.out.rfind("Usage: jotwel-tool [--dir DIR] " + usage, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
}

// Every command's help ends with an example of its use.
TEST_F(CommandLineTest, EachCommandsHelpShowsAnExample) {
    for (const char* command : {"list", "export", "chart", "check", "versions", "restore", "edit",
                                "pdf", "merge", "remind", "autostart"}) {
        const ToolRun run = RunTool({command, "--help"});
        EXPECT_EQ(run.status, 0) << command;
        const std::size_t example = run.out.find("\nExample:\n  jotwel-tool ");
        ASSERT_NE(example, std::string::npos) << run.out;
        EXPECT_NE(run.out.find(command, example), std::string::npos) << run.out;
    }
    EXPECT_NE(RunTool({"--help"}).out.find("\nExample:\n"), std::string::npos);
}

// Each mistake is named, with the reason, on the error stream; nothing is
// written to the standard output.
TEST_F(CommandLineTest, MistakesSayWhatIsWrongAndExitWithOne) {
    PutDiaryBytes(Bytes(SampleDiary()));
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{}, "jotwel-tool: no command given (see jotwel-tool --help)\n"},
        {{"frob"}, "jotwel-tool: frob: unknown command (see jotwel-tool --help)\n"},
        {{"--from", "01/01/14", "list"}, "jotwel-tool: --from: unknown option (see "},
        {{"list", "--frm", "x"},
         "jotwel-tool: --frm: unknown option (see jotwel-tool list --help)"},
        {{"list", "--from"}, "jotwel-tool: --from: needs a value"},
        {{"list", "--to", "1/2/2014"}, "jotwel-tool: --to: \"1/2/2014\" is not a real day"},
        {{"list", "--to", "1/2/"}, "jotwel-tool: --to: \"1/2/\" is not a real day"},
        {{"list", "--from", "29/02/15"}, "jotwel-tool: --from: \"29/02/15\" is not a real day"},
        {{"list", "--to=31/04/15"}, "jotwel-tool: --to: \"31/04/15\" is not a real day"},
        {{"list", "--from", "01/01/14", "--from", "02/01/14"}, "--from: given more than once"},
        {{"restore", "--yes=no", "x"}, "jotwel-tool: --yes: takes no value"},
        {{"list", "--search", std::string(24, 'a')}, "longer than the 23 characters"},
        {{"list", "--search", "\xE6\x97\xA5"}, "holds a character the diary cannot hold"},
        {{"list", "extra"}, "jotwel-tool: extra: unexpected argument"},
        {{"export"}, "jotwel-tool: export: needs --format csv, json or markdown"},
        {{"export", "--format", "xml"}, "jotwel-tool: --format: \"xml\" is not a format"},
        {{"chart", "-o", "x.pdf"}, "jotwel-tool: x.pdf: the chart's file must end in .svg"},
        {{"chart"}, "jotwel-tool: chart: needs -o FILE.svg or FILE.png"},
        {{"restore"}, "jotwel-tool: restore: needs the name of a version"},
        {{"--dir", InTestDir("none"), "list"}, InTestDir("none") + ": No such file or directory"},
        {{"export", "--format", "csv", "-o", "Jotwel.dat"}, "Jotwel.dat: is the diary itself"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.status, tool::kExitUserError);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())), Bytes(SampleDiary()));
}

TEST_F(CommandLineTest, WithoutADiaryTheReadersSaySoAndVersionsStillWork) {
    const std::string says = "jotwel-tool: " + store::DiaryPath(TestDir()) +
                             ": no diary here (give the diary's folder "
                             "with --dir DIR)\n";
    for (const std::string command : {"list", "export", "chart", "check"}) {
        const std::vector<std::string> args =
            command == "export"  ? std::vector<std::string>{command, "--format", "json"}
            : command == "chart" ? std::vector<std::string>{command, "-o", "c.svg"}
                                 : std::vector<std::string>{command};
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, tool::kExitUserError) << command;
        EXPECT_EQ(run.err, says) << command;
    }
    EXPECT_EQ(RunTool({"versions"}).status, 0);
}

// --dir before or after the command, a relative folder, or the current one.
TEST_F(CommandLineTest, WorksOnTheFolderGivenOrTheCurrentOne) {
    ASSERT_TRUE(std::filesystem::create_directory(InTestDir("other")));
    WriteFileBytes(InTestDir("other/Jotwel.dat"), "");
    PutDiaryBytes(Bytes(SampleDiary()));
    const std::string empty = "other/Jotwel.dat: 0 entries (0 text, 0 button), 0 bytes";
    EXPECT_NE(RunTool({"--dir", "other", "check"}).out.find(empty), std::string::npos);
    EXPECT_NE(RunTool({"check", "--dir=" + InTestDir("other")}).out.find(empty), std::string::npos);
    EXPECT_NE(RunTool({"check"}).out.find("4 entries (3 text, 1 button)"), std::string::npos);
}

}  // namespace
}  // namespace jtest
