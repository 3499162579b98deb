// pdf: the listing laid out for print in one PDF, read back with pdftotext
// (poppler-utils): the lines on each page, the page numbers, the count.
#include <cstdio>
#include <filesystem>

#include "ToolTest.h"
#include "listing/ListingFile.h"
#include "tool/PdfListing.h"

namespace jtest {
namespace {

// The text of a PDF, page by page (pdftotext separates pages by form
// feeds), each page's non-empty lines.
std::vector<std::vector<std::string>> PdfPages(const std::string& path) {
    std::vector<std::vector<std::string>> pages(1);
    FILE* text = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r");
    if (text == nullptr) return {};
    std::string line;
    for (int c; (c = std::fgetc(text)) != EOF;) {
        if (c == '\f') {
            if (!line.empty()) pages.back().push_back(line);
            line.clear();
            pages.emplace_back();
        } else if (c == '\n') {
            if (line.find_first_not_of(' ') != std::string::npos) pages.back().push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    pclose(text);
    if (pages.back().empty()) pages.pop_back();
    return pages;
}

bool HavePdfToText() {
    return std::system("command -v pdftotext >/dev/null 2>&1") == 0;
}

TEST(PdfListing, PrintLinesAreTheHeadingAndEachLineCutAsThePrintRunCutsIt) {
    const std::string long300(300, 'l');
    const auto lines = tool::ListingPrintLines({"short", long300, std::string(254, 'm')});
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], listing::kListingHeading);
    EXPECT_EQ(lines[1], "short");
    EXPECT_EQ(lines[2], long300.substr(0, 255));
    EXPECT_EQ(lines[3], long300.substr(255));
    EXPECT_EQ(lines[4], std::string(254, 'm'));
    EXPECT_EQ(tool::PagesOf(std::vector<std::string>(121, "x")).size(), 3u);
    EXPECT_EQ(tool::PagesOf({}).size(), 1u);
}

class PdfTest : public ToolTest {
protected:
    // count text entries, one a day from 01/01/14.
    void WriteEntries(int count) {
        std::vector<store::TEntryRecord> records;
        for (int i = 0; i < count; ++i) {
            records.push_back(store::MakeTextEntryRecord("entry " + std::to_string(i + 1), "n",
                                                         i % 11, On("01/01/14") + i * 86400LL));
        }
        PutDiaryBytes(Bytes(records));
    }
};

TEST_F(PdfTest, SixtyLinesAPageWithPageNumbers) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    WriteEntries(130);  // 131 lines with the heading: pages of 60, 60 and 11
    const ToolRun run = RunTool({"pdf", "-o", "list.pdf"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto pages = PdfPages(InTestDir("list.pdf"));
    ASSERT_EQ(pages.size(), 3u);
    const std::size_t lines[] = {60, 60, 11};
    for (std::size_t p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        ASSERT_EQ(pages[p].size(), lines[p] + 1);  // and the page number
        EXPECT_NE(pages[p].back().find("Page " + std::to_string(p + 1) + " of 3"),
                  std::string::npos)
            << pages[p].back();
    }
    EXPECT_NE(pages[0][0].find("Date"), std::string::npos) << pages[0][0];
    EXPECT_NE(pages[0][1].find("01/01/14 @ 12:00:00"), std::string::npos) << pages[0][1];
    EXPECT_NE(pages[0][1].find("entry 1"), std::string::npos) << pages[0][1];
    EXPECT_NE(pages[2][10].find("entry 130"), std::string::npos) << pages[2][10];
}

TEST_F(PdfTest, TheRangeAndSearchOfTheReportAreThePdfs) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    WriteEntries(40);
    const ToolRun run = RunTool(
        {"pdf", "--from", "05/01/14", "--to", "20/01/14", "--search", "entry 1", "-o", "r.pdf"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto pages = PdfPages(InTestDir("r.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    // Entries 10 to 19 hold "entry 1" in the range 5 to 20 January.
    EXPECT_EQ(pages[0].size(), 1u + 10u + 1u);
}

// Whole or not at all: an unwritable place leaves no file, an old one stays.
TEST_F(PdfTest, AFailedWriteLeavesTheOldFile) {
    WriteEntries(3);
    WriteFileBytes(InTestDir("old.pdf"), "old");
    faults_.FailNth(1, platform::FaultEnv::kRename, ENOSPC);
    const ToolRun run = RunTool({"pdf", "-o", "old.pdf"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(ReadFileBytes(InTestDir("old.pdf")), "old");
    EXPECT_EQ(RunTool({"pdf", "-o", "missing/x.pdf"}).status, tool::kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(InTestDir("missing")));
}

}  // namespace
}  // namespace jtest
