// pdf: the listing laid out for print in one PDF, read back with pdftotext
// (poppler-utils): the lines on each page, the page numbers, the count.
#include <cstdio>
#include <filesystem>

#include "ToolTest.h"
#include "listing/ListingFile.h"
#include "tool/PdfListing.h"

namespace jtest {
namespace {

TEST(PdfListing, PrintLinesAreTheHeadingAndEachLineCutAsThePrintRunCutsIt) {
    const std::string long300(300, 'l');
    EXPECT_EQ(tool::ListingPrintLines({"short", long300}),
              (std::vector<std::string>{std::string(listing::kListingHeading), "short",
                                        long300.substr(0, 255), long300.substr(255)}));
    EXPECT_EQ(tool::PagesOf({}).size(), 1u);
}

// 130 entries, one a day from 01/01/14: 131 lines with the heading, on
// pages of 60, 60 and 11, each page with its number.
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

// Whole or not at all: an unwritable place leaves no file, an old one stays.
TEST_F(SampleTest, PdfAFailedWriteLeavesTheOldFile) {
    WriteFileBytes(InTestDir("old.pdf"), "old");
    faults_.FailNth(1, platform::FaultEnv::kRename, ENOSPC);
    EXPECT_EQ(RunTool({"pdf", "-o", "old.pdf"}).status, tool::kExitFileError);
    EXPECT_EQ(ReadFileBytes(InTestDir("old.pdf")), "old");
    EXPECT_EQ(RunTool({"pdf", "-o", "missing/x.pdf"}).status, tool::kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(InTestDir("missing")));
}

}  // namespace
}  // namespace jtest
