// list, export and pdf: the report's lines, its entries in Markdown and CSV,
// its print layout in a PDF; files written whole.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "ToolTest.h"
#include "session/Settings.h"
#include "tool/ExportFormats.h"

namespace jtest {
namespace {

using ExportTest = SampleTest;

const std::string kDashes(150, '-');

// Dates may be yyyy-mm-dd too; a blank date is the default day.
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
        {.args = {"list", "--from", " / ", "--to", " "}, .want = cafe + beach + quiet + button},
        {.args = {"list", "--search", "BEACH"}, .want = "Searching for: BEACH\n" + beach},
        {.args = {"list", "--from", "02/02/14", "--to", "3/2/2014"}, .want = beach + quiet},
        {.args = {"list", "--from", "2014-02-02", "--to", "2014-2-3"}, .want = beach + quiet},
        {.args = {"list", "--to", "1/2/14", "--search", "caf\xC3\xA9"},
         .want = "Searching for: caf\xC3\xA9\n" + cafe},
        {.args = {"list", "--from", "05/02/14", "--to", "01/02/14"}, .want = ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Out(c.args),
                  "Date\tNews\tScore\tDate/time entered\n \n" + c.want + kDashes + "\n");
        EXPECT_FALSE(std::filesystem::exists(InTestDir("listd.tmp")));
    }
}

// An escape sequence cannot drive the terminal; a fragment is warned of.
TEST_F(ExportTest, ControlCharactersAreShownAsQuestionMarksAndAFragmentIsWarnedOf) {
    PutDiary(Bytes({store::MakeTextEntryRecord("\x1B]0;owned\x07\x1B[2J\x7F\x9D"
                                               "0;x\x9C\x81",
                                               "", 1, On("01/02/14"))}) +
             "xy");
    const ToolRun run = RunTool({"list"});
    EXPECT_THAT(run.out, EndsWith("\n01/02/14 @ 12:00:00 Score = 1   ?]0;owned??[2J??0;x\xC5\x93?  "
                                  "= )\n" +
                                  kDashes + "\n"));
    EXPECT_THAT(run.err, HasSubstr(": the last 2 bytes are not a whole record"));
}

TEST_F(ExportTest, CsvSafeKeepsSpreadsheetsFromRunningCells) {
    PutDiary(Bytes({store::MakeTextEntryRecord("=HYPERLINK(\"x\")", "+1", 3, On("01/02/14")),
                    store::MakeTextEntryRecord("-2", "@SUM(A1)", 3, On("02/02/14")),
                    store::MakeButtonEntryRecord({"=A1", "+", "-", "@", "a=b", "b"},
                                                 {1, 2, 3, 4, 5, -1}, On("03/02/14"))}));
    const std::string run = Out({"export", "--format", "csv", "--csv-safe"});
    for (const char* cell : {",\"'=HYPERLINK(\"\"x\"\")\",'+1,", ",'-2,'@SUM(A1),",
                             ",'=A1,1,'+,2,'-,3,'@,4,a=b,5,b,\r\n"}) {
        EXPECT_THAT(run, HasSubstr(cell));
    }
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

TEST(MarkdownEscape, NoTextBecomesMarkupAHeadingAListOrALink) {
    EXPECT_EQ(tool::EscapeMarkdownLine("    12) not code, not a list"),
              "12\\) not code, not a list");
    EXPECT_EQ(tool::EscapeMarkdownLine("+ 1. x"), "\\+ 1. x");
    EXPECT_EQ(tool::EscapeMarkdownLine("==="), "\\===");
    EXPECT_EQ(tool::EscapeMarkdownLine("> [a](http://x.org) <b> WWW.x.org a@b.c *_`~|&\\"),
              "\\> \\[a\\](http\\://x.org) \\<b\\> WWW\\.x.org a\\@b.c \\*\\_\\`\\~\\|\\&\\\\");
    EXPECT_EQ(tool::EscapeMarkdownLine("at 12:30 in 3.5 days - 1. ok +"),
              "at 12:30 in 3.5 days - 1. ok +");
}

// Whole or nothing, and never through a link planted at a temporary name.
TEST_F(ExportTest, OutputFileIsWrittenWholeOrNotAtAll) {
    const std::string path = InTestDir("out.csv");
    std::filesystem::create_symlink(store::DiaryPath(TestDir()), path + ".tmp");
    Out({"export", "--format", "csv", "-o", path});
    EXPECT_EQ(ReadFileBytes(path), RunTool({"export", "--format", "csv"}).out);
    EXPECT_EQ(Diary(), Bytes(SampleDiary()));
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".tmp");

    faults_.FailNth(1, platform::FaultEnv::kRename, EACCES);
    ToolRun run = RunTool({"export", "--format", "csv", "--output", path});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.err, "jotwel-tool: " + path + ": Permission denied\n");
    faults_.FailNth(1, platform::FaultEnv::kRead, EIO);
    run = RunTool({"export", "--format", "csv", "-o", path});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.err, "jotwel-tool: " + store::DiaryPath(TestDir()) + ": Input/output error\n");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(TemporaryFilesIn(TestDir()).empty());
    WriteFileBytes(InTestDir("old.pdf"), "old");
    faults_.FailNth(1, platform::FaultEnv::kRename, ENOSPC);
    EXPECT_EQ(RunTool({"pdf", "-o", "old.pdf"}).status, tool::kExitFileError);
    EXPECT_EQ(ReadFileBytes(InTestDir("old.pdf")), "old");
    EXPECT_EQ(RunTool({"pdf", "-o", "missing/x.pdf"}).status, tool::kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(InTestDir("missing")));
}

// 131 lines with the heading: pages of 60, 60 and 11, each with its number.
TEST_F(ToolTest, PdfHasSixtyLinesAPageWithPageNumbers) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "no pdftotext";
    std::vector<store::TEntryRecord> records;
    for (int i = 0; i < 130; ++i) {
        records.push_back(store::MakeTextEntryRecord("entry " + std::to_string(i + 1), "n", i % 11,
                                                     On("01/01/14") + i * 86400LL));
    }
    PutDiary(Bytes(records));
    Out({"pdf", "--to", "10/05/14", "-o", "list.pdf"});
    // Each page's lines (pdftotext ends each page with a form feed).
    FILE* text = popen(("pdftotext -layout '" + InTestDir("list.pdf") + "' -").c_str(), "r");
    ASSERT_NE(text, nullptr);
    std::vector<std::vector<std::string>> pages(1);
    std::string line;
    for (int c; (c = std::fgetc(text)) != EOF;) {
        if (c == '\f') pages.emplace_back();
        if (c == '\n' && line.find_first_not_of(' ') != std::string::npos)
            pages.back().push_back(line);
        line = c == '\n' ? "" : line + static_cast<char>(c);
    }
    pclose(text);
    ASSERT_EQ(pages.size(), 4u);
    for (std::size_t p = 0; p < 3; ++p) {
        ASSERT_EQ(pages[p].size(), p < 2 ? 61u : 12u) << p;  // and the page number
        EXPECT_THAT(pages[p].back(), HasSubstr("Page " + std::to_string(p + 1) + " of 3"));
    }
    EXPECT_THAT(pages[0][0], HasSubstr("Date"));
    EXPECT_THAT(pages[0][1], HasSubstr("01/01/14 @ 12:00:00"));
    EXPECT_THAT(pages[0][1], HasSubstr("entry 1"));
    EXPECT_THAT(pages[2][10], HasSubstr("entry 130"));
}

}  // namespace
}  // namespace jtest
