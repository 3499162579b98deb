// The page layout of the listing, drawn on a recording device with simple
// metrics: 600 dots per inch, a character cell exactly as tall as the font
// asked for, every character 7 dots wide.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing/PrintLayout.h"
#include "platform/TDC.h"
#include "reports/TBlindPrintout.h"

namespace {

using platform::TTextAlign;

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
