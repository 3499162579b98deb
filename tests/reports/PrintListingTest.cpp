// The print run from the listing file to paper: each job's print dialog is
// answered through the test seam with a PDF file of its own, whose text is
// read back with poppler's pdftotext. And the page layout, drawn on a
// recording device with simple metrics: 600 dots per inch, a character cell
// exactly as tall as the font asked for, every character 7 dots wide.

#include <gtest/gtest.h>

#include <QProcess>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ReportsTest.h"
#include "framework/print/TPrinter.h"
#include "listing/PrintLayout.h"
#include "listing/PrintLineReader.h"
#include "platform/TDC.h"
#include "reports/PrintListing.h"
#include "reports/TBlindPrintout.h"

namespace jtest {
namespace {

using framework::testing::PrintDialogAnswer;
using Pages = std::vector<std::vector<std::string>>;

// A line and its end fit in 255 characters (CR LF counting as one); a
// longer line continues in the next print line.
TEST(PrintLineReader, SplitsTheFileIntoPrintLines) {
    using Read = std::pair<std::string, bool>;  // text, whether it ends a line of the file
    const std::string a254(254, 'a'), b255(255, 'b');
    const std::pair<std::string, std::vector<Read>> cases[] = {
        {"one\r\ntwo\n\r\na\rlast",  // a lone CR is text
         {{"one\r\n", true}, {"two\n", true}, {"\r\n", true}, {"a\rlast", true}}},
        {a254 + "\r\nx\r\n", {{a254 + "\r\n", true}, {"x\r\n", true}}},
        {b255 + "\r\n", {{b255, false}, {"\r\n", true}}},
        {b255, {{b255, true}}},
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        WriteFileBytes(InTestDir("listd.tmp"), bytes);
        listing::TPrintLineReader reader;
        ASSERT_TRUE(reader.Open(InTestDir("listd.tmp")).ok());
        std::vector<Read> reads;
        std::string text;
        bool endsLine = false;
        while (reader.ReadPrintLine(&text, &endsLine).ok()) reads.emplace_back(text, endsLine);
        EXPECT_EQ(reads, expected) << bytes.substr(0, 20);
    }
}

// Listing lines 1 to count; and the lines first..last of them a job prints,
// 0 being the heading, whose tabs print as spaces.
std::vector<std::string> NumberedLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("listed line " + std::to_string(i));
    return lines;
}
std::vector<std::string> PrintedLines(int first, int last) {
    std::vector<std::string> lines = NumberedLines(last);
    lines.insert(lines.begin(), "Date Events Score Date/time entered");
    return {lines.begin() + first, lines.end()};
}
std::string JobPdf(int job) {
    return InTestDir("job" + std::to_string(job) + ".pdf");
}
// The non-empty text lines of each page of a job's PDF file (none without).
Pages JobPages(int job) {
    if (!std::filesystem::exists(JobPdf(job))) return {};
    QProcess process;
    process.start("pdftotext",
                  {"-layout", "-enc", "UTF-8", QString::fromStdString(JobPdf(job)), "-"});
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << JobPdf(job);
        return {};
    }
    Pages pages(1);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith('\f')) pages.emplace_back();
        if (!line.trimmed().isEmpty()) pages.back().push_back(line.simplified().toStdString());
    }
    if (pages.back().empty()) pages.pop_back();
    return pages;
}

class PrintListingTest : public ReportsTest {
protected:
    // Prints a listing of count lines (no file without bytes), the print
    // dialogs answered with job1.pdf, ... in as many copies (0: Cancel).
    void Print(int count, const std::optional<std::string>& bytes, const std::vector<int>& copies) {
        session::Values().listingLineCount = count;
        std::remove(InTestDir("listd.tmp").c_str());
        if (bytes) WriteFileBytes(InTestDir("listd.tmp"), *bytes);
        for (int job = 1; job <= 3; ++job) std::remove(JobPdf(job).c_str());
        for (int job = 1; job <= static_cast<int>(copies.size()); ++job) {
            const int n = copies[job - 1];
            framework::testing::AnswerNextPrintDialog(n ? PrintDialogAnswer::PdfFile(JobPdf(job), n)
                                                        : PrintDialogAnswer::Cancel());
        }
        reports::PrintListing(printer_, nullptr);
    }

    framework::TPrinter printer_;
};

// Each job prints at most 60 lines (the heading counts) on one page, after a
// print dialog that offers no page range and no selection; a cancelled print
// dialog skips its job only. A listing that cannot be read (or a printer
// gone) stops the run before the chunk the failure belongs to, and says so.
TEST_F(PrintListingTest, PrintsOneOnePageJobPerSixtyLinesAndReportsFailures) {
    const std::string none = "The listing could not be read, so it was not printed.\n\n";
    const struct {
        int count;
        std::optional<std::string> listing = "";        // "": count numbered lines
        std::vector<int> copies = {};                   // of each job; 0: Cancel
        std::vector<std::pair<int, int>> printed = {};  // the first and last line of each job
        int failingRead = 0;
        bool deviceFails = false;
        std::string says = "";
    } cases[] = {
        {.count = 0},
        {.count = 59, .copies = {1}, .printed = {{0, 59}}},
        {.count = 60, .copies = {1, 1}, .printed = {{0, 59}, {60, 60}}},
        {.count = 61, .copies = {0, 2}, .printed = {{0, 59}, {60, 61}}},
        {.count = 5, .listing = std::nullopt, .says = none},
        {.count = 5, .failingRead = 1, .says = none},
        {.count = 3, .listing = std::string(1 << 20, 'x'), .says = none},
        {.count = 70,
         .listing = ListingOf(NumberedLines(64)),
         .copies = {1},
         .printed = {{0, 59}},
         .says = "The listing could not be read after its first 60 lines, so the rest was not "
                 "printed."},
        {.count = 3,
         .copies = {1},
         .deviceFails = true,
         .says = "'List' not printed. Error encountered during print."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        framework::testing::ResetSeams();
        faults_.FailNth(c.failingRead, platform::FaultEnv::kRead, EIO);
        if (c.deviceFails) framework::testing::FailNextPrintDevice();
        Print(c.count, c.listing == "" ? ListingOf(NumberedLines(c.count)) : c.listing, c.copies);
        const auto& dialogs = framework::testing::PrintDialogsShown();
        ASSERT_EQ(dialogs.size(), c.copies.size());
        for (std::size_t job = 0; job < dialogs.size(); ++job) {
            EXPECT_FALSE(dialogs[job].pageRangeOffered || dialogs[job].selectionOffered);
            const auto [first, last] = job < c.printed.size() ? c.printed[job] : std::pair{0, -1};
            EXPECT_EQ(JobPages(static_cast<int>(job) + 1),
                      last < 0 ? Pages{} : Pages(c.copies[job], PrintedLines(first, last)));
        }
        if (c.says.empty()) {
            EXPECT_TRUE(framework::testing::MessageBoxesShown().empty());
        } else {
            EXPECT_TRUE(LastMessageBox().text.starts_with(c.says)) << LastMessageBox().text;
            EXPECT_EQ(LastMessageBox().text.find(std::strerror(EIO)) != std::string::npos,
                      c.failingRead > 0);
        }
    }
    // A line too long for one print line continues in the next.
    Print(3, ListingOf({"listed line 1", "long " + std::string(300, 'x'), "listed line 3"}), {1});
    const Pages pages = JobPages(1);  // the first 255 characters run off the paper
    ASSERT_TRUE(pages.size() == 1 && pages[0].size() == 5);
    EXPECT_EQ(pages[0][3], std::string(50, 'x'));
    EXPECT_EQ(pages[0][4], "listed line 3");
}

// The program's own files are refused, by any path or link that leads to
// them; the dialog then comes back, and the diary stays as it was.
TEST_F(PrintListingTest, PrintingOntoTheProgramsOwnFilesIsRefused) {
    namespace fs = std::filesystem;
    const std::string dir = TestDir();
    fs::create_directories(dir + "/Jotwel.versions");
    WriteFileBytes(dir + "/Jotwel.dat", "diary");
    fs::create_symlink(dir + "/Jotwel.dat", dir + "/alias.pdf");
    const auto says = [&dir](const std::string& path) {
        return reports::OwnFileRefusal(dir + path, dir, dir + "/settings.ini");
    };
    for (const char* path : {"/Jotwel.dat", "/alias.pdf", "/Jotwel.hld", "/listd.tmp",
                             "/settings.ini", "/Jotwel.versions", "/Jotwel.versions/new.pdf"}) {
        EXPECT_NE(says(path), "") << path;
    }
    EXPECT_EQ(says("/sub/Jotwel.dat"), "");
    framework::testing::AnswerNextPrintDialog(PrintDialogAnswer::PdfFile(dir + "/Jotwel.dat"));
    Print(3, ListingOf(NumberedLines(3)), {1});
    EXPECT_EQ(framework::testing::PrintDialogsShown().size(), 2u);
    EXPECT_EQ(ReadFileBytes(dir + "/Jotwel.dat"), "diary");
    EXPECT_EQ(JobPages(1), Pages{PrintedLines(0, 3)});
    EXPECT_EQ(LastMessageBox().text,
              "\"Jotwel.dat\" is one of Jotwel's own files; printing to it would replace it. "
              "Choose another file for the printout.");
}

// Records each text drawn as "x,y L|R text" and its look as "height [bold]
// [underlined] face r,g,b".
class RecordingDC : public platform::TDC {
public:
    int DpiX() const override { return 600; }
    int DpiY() const override { return 600; }
    void SelectFont(const platform::TFontRequest& request) override { font = request; }
    int TextHeight() const override { return font.height; }
    int TextWidth(std::string_view text) const override {
        return 7 * static_cast<int>(text.size());
    }
    void SetTextColor(platform::TColor c) override { color = c; }
    void SetTextAlign(platform::TTextAlign a) override { align = a; }
    void TextOut(int x, int y, std::string_view text) override {
        placed.push_back(std::to_string(x) + "," + std::to_string(y) +
                         (align == platform::TTextAlign::kRight ? " R " : " L ") +
                         std::string(text));
        looks.push_back(std::to_string(font.height) + (font.weight == 700 ? " bold " : " ") +
                        (font.underline ? "underlined " : "") + font.faceName + " " +
                        std::to_string(color.red) + "," + std::to_string(color.green) + "," +
                        std::to_string(color.blue));
    }

    platform::TFontRequest font;
    platform::TColor color;
    platform::TTextAlign align = platform::TTextAlign::kLeft;
    std::vector<std::string> placed, looks;
};

constexpr char kListing[] = "5, 2, 0, 1, n, 000, A";

// Draws the lines (text, format) as one page after a line at previousTop.
RecordingDC Draw(const std::vector<listing::PrintLine>& lines, std::int32_t previousTop = 0) {
    listing::PrintLineTable table;
    for (const auto& line : lines) table.entries[table.PrintLineCount++] = line;
    RecordingDC dc;
    listing::DrawPrintLines(dc, table, previousTop);
    return dc;
}

// Listing lines stack one cell apart (1/7 inch: 600 / 7 = 85.7, truncated),
// half an inch in; the line end kept with a line is not drawn, and no
// control character reaches paper.
TEST(PrintLayout, ListingLinesStackHalfAnInchIn) {
    const RecordingDC dc =
        Draw({{"Date\tEvents\r\n", kListing}, {"one\x01\r", kListing}, {"two\n", kListing}});
    EXPECT_EQ(dc.placed,
              (std::vector<std::string>{"300,0 L Date Events", "300,85 L one  ", "300,170 L two"}));
}

// Each case draws "first" by its own format, then "abc" (21 dots wide) by
// the format under test: C and X keep the alignment.
TEST(PrintLayout, AlignmentLettersAndStepsPlaceTheLine) {
    const char* kL = "5, 2, 0, 1, n, 000, L";
    const char* kR = "5, 2, 0, 1, n, 000, R";
    const struct {
        const char *first, *format, *placed;
    } cases[] = {
        {.first = kL, .format = "5, 3, 40, 1, n, 000, L", .placed = "450,125 L abc"},
        {.first = kL, .format = "5, 30, 0, 1, n, 000, R", .placed = "4500,85 R abc"},
        {.first = kL, .format = "5, 2, 40, 1, n, 000, X", .placed = "2390,5100 L abc"},
        {.first = "5, 2, 6000, 1, n, 000, L",
         .format = "5, 2, 0, 1, n, 000, X",
         .placed = "2390,6085 L abc"},
        {.first = kR, .format = "5, 1, 0, 1, n, 000, C", .placed = "2390,85 R abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Draw({{"first", c.first}, {"abc", c.format}}, 1000).placed.at(1), c.placed)
            << c.format;
    }
}

// The top of the last line drawn outlives the page and the print job: a
// job whose first line has step -1 starts there.
TEST(PrintLayout, StepMinusOneCarriesAcrossJobs) {
    listing::PreviousLineTop() = 0;
    RecordingDC dc;
    for (const std::vector<listing::PrintLine>& lines :
         {std::vector<listing::PrintLine>{{"a", kListing}, {"b", kListing}, {"c", kListing}},
          {{"d", "5, 2, -1, 1, n, 000, A"}, {"e", kListing}}}) {
        listing::PrintLineTable table;
        for (const auto& line : lines) table.entries[table.PrintLineCount++] = line;
        reports::TBlindPrintout printout("List", table);
        printout.SetPrintParams(&dc, QSize(4800, 6600));
        printout.PrintPage(1, QRect(0, 0, 4800, 6600), 0);
    }
    EXPECT_EQ(dc.placed, (std::vector<std::string>{"300,0 L a", "300,85 L b", "300,170 L c",
                                                   "300,170 L d", "300,255 L e"}));
    EXPECT_EQ(listing::PreviousLineTop(), 255);
    listing::PreviousLineTop() = 0;
}

// Size, boldness, underline, face and colour; indices outside the tables
// are clamped, and an unreadable format draws a listing line.
TEST(PrintLayout, FormatsMakeTheFontAndColour) {
    const std::pair<const char*, const char*> cases[] = {
        {"-3, 2, 0, 1, n, 000, A", "300 Times New Roman 0,0,0"},
        {"5b, 2, 0u, 3, n, 357, A", "85 bold underlined Arial 84,141,198"},
        {"5, 2, 0, 17, n, x9z, A", "85 Arial Black 0,254,0"},
        {"", "85 Times New Roman 0,0,0"},
    };
    for (const auto& [format, looks] : cases) {
        EXPECT_EQ(Draw({{"x", format}}).looks, std::vector<std::string>{looks}) << format;
    }
}

}  // namespace
}  // namespace jtest
