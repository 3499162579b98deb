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
        {.args = {}, .says = "jotwel-tool: no command given (see jotwel-tool --help)\n"},
        {.args = {"frob"}, .says = "jotwel-tool: frob: unknown command (see jotwel-tool --help)\n"},
        {.args = {"--from", "01/01/14", "list"},
         .says = "jotwel-tool: --from: unknown option (see "},
        {.args = {"list", "--frm", "x"},
         .says = "jotwel-tool: --frm: unknown option (see jotwel-tool list --help)"},
        {.args = {"list", "--from"}, .says = "jotwel-tool: --from: needs a value"},
        {.args = {"list", "--to", "1/2/"},
         .says = "jotwel-tool: --to: \"1/2/\" is not a date: the year is missing"},
        {.args = {"list", "--from", "29/02/15"},
         .says = "jotwel-tool: --from: \"29/02/15\" is not a date: February 2015 has only 28 days "
                 "(write "
                 "dd/mm/yy or yyyy-mm-dd, for example 6/12/26 or 2026-12-06)\n"},
        {.args = {"list", "--to=31/04/15"},
         .says = "--to: \"31/04/15\" is not a date: April 2015 has only 30"},
        {.args = {"list", "--to", "2015-02-29"},
         .says = "\"2015-02-29\" is not a date: February 2015 has only"},
        {.args = {"list", "--to", "2015-13-01"},
         .says = "\"2015-13-01\" is not a date: there is no month 13"},
        {.args = {"list", "--to", "15-12-01"}, .says = "must be separated by /"},
        {.args = {"list", "--from", "1.2.14"}, .says = "must be separated by /"},
        {.args = {"list", "--from", "01/01/14", "--from", "02/01/14"},
         .says = "--from: given more than once"},
        {.args = {"restore", "--yes=no", "x"}, .says = "jotwel-tool: --yes: takes no value"},
        {.args = {"list", "--search", std::string(24, 'a')},
         .says = "longer than the 23 characters"},
        {.args = {"list", "--search", "\xE6\x97\xA5"},
         .says = "holds a character the diary cannot hold"},
        {.args = {"list", "extra"}, .says = "jotwel-tool: extra: unexpected argument"},
        {.args = {"export"}, .says = "jotwel-tool: export: needs --format csv, json or markdown"},
        {.args = {"export", "--format", "xml"},
         .says = "jotwel-tool: --format: \"xml\" is not a format"},
        {.args = {"chart", "-o", "x.pdf"},
         .says = "jotwel-tool: x.pdf: the chart's file must end in .svg"},
        {.args = {"chart"}, .says = "jotwel-tool: chart: needs -o FILE.svg or FILE.png"},
        {.args = {"restore"}, .says = "jotwel-tool: restore: needs the name of a version"},
        {.args = {"--dir", InTestDir("none"), "list"},
         .says = InTestDir("none") + ": No such file or directory"},
        {.args = {"export", "--format", "csv", "-o", "Jotwel.dat"},
         .says = "Jotwel.dat: is the diary itself"},
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
