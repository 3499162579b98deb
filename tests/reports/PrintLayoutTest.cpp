// The page layout of the listing, drawn on a recording device with simple
// metrics: a character cell exactly as tall as the font asked for, and
// every character 7 dots wide. Each test reads where and how every text
// was put.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "framework/TDC.h"
#include "reports/LineFormat.h"
#include "reports/PrintLayout.h"
#include "reports/TBlindPrintout.h"

namespace {

using framework::TColor;
using framework::TFontRequest;
using framework::TTextAlign;
using reports::DrawPrintLines;
using reports::PrintLineTable;

constexpr int kCharWidth = 7;

struct Drawn {
    int x = 0;
    int y = 0;
    std::string text;
    TFontRequest font;
    TColor color;
    TTextAlign align = TTextAlign::kLeft;
};

class RecordingDC : public framework::TDC {
public:
    RecordingDC(int dpiX, int dpiY) : dpiX_(dpiX), dpiY_(dpiY) {}
    int DpiX() const override { return dpiX_; }
    int DpiY() const override { return dpiY_; }
    void SelectFont(const TFontRequest& request) override { font_ = request; }
    int TextHeight() const override { return font_.height; }
    int TextWidth(std::string_view text) const override {
        return kCharWidth * static_cast<int>(text.size());
    }
    void SetTextColor(TColor color) override { color_ = color; }
    void SetTextAlign(TTextAlign align) override { align_ = align; }
    void TextOut(int x, int y, std::string_view text) override {
        drawn.push_back(Drawn{x, y, std::string(text), font_, color_, align_});
    }
    std::vector<Drawn> drawn;

private:
    int dpiX_;
    int dpiY_;
    TFontRequest font_;
    TColor color_;
    TTextAlign align_ = TTextAlign::kLeft;
};

struct Line {
    std::string text;
    std::string format;
};

PrintLineTable TableOf(const std::vector<Line>& lines) {
    PrintLineTable table;
    for (const Line& line : lines) {
        table.entries[static_cast<std::size_t>(table.PrintLineCount++)] = {line.text, line.format};
    }
    return table;
}

std::vector<Drawn> Draw(const std::vector<Line>& lines, std::int32_t previousTop = 0,
                        int dpiX = 600, int dpiY = 600) {
    RecordingDC dc(dpiX, dpiY);
    DrawPrintLines(dc, TableOf(lines), previousTop);
    return dc.drawn;
}

const std::string kListing(reports::kListingLineFormat);

TEST(PrintLayout, ParsesEveryFieldOfAFormat) {
    const auto listing = reports::ParseLineFormat(reports::kListingLineFormat);
    ASSERT_TRUE(listing.has_value());
    EXPECT_EQ(listing->size, 5);
    EXPECT_EQ(listing->leftMargin, 2);
    EXPECT_EQ(listing->verticalStep, 0);
    EXPECT_EQ(listing->FaceName(), "Times New Roman");
    EXPECT_FALSE(listing->bold);
    EXPECT_FALSE(listing->underline);
    EXPECT_EQ(listing->colorDigits, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(listing->alignment, 'A');
    const auto other = reports::ParseLineFormat("2b,+7 ,  -12,3,bu,x123,R");
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->size, 2);
    EXPECT_EQ(other->leftMargin, 7);
    EXPECT_EQ(other->verticalStep, -12);
    EXPECT_EQ(other->FaceName(), "Arial");
    EXPECT_TRUE(other->bold);
    EXPECT_TRUE(other->underline);
    EXPECT_EQ(other->colorDigits, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(other->alignment, 'R');
}

TEST(PrintLayout, ListingLinesStackHalfAnInchInInSeventhInchTimes) {
    const auto drawn =
        Draw({{"Date\tEvents\r\n", kListing}, {"one\r\n", kListing}, {"two\r\n", kListing}});
    ASSERT_EQ(drawn.size(), 3u);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].x, 300);                       // 2 quarter inches at 600 dpi
        EXPECT_EQ(drawn[i].y, static_cast<int>(85 * i));  // 600 / 7 = 85.7, truncated
        EXPECT_EQ(drawn[i].font.height, 85);
        EXPECT_EQ(drawn[i].font.faceName, "Times New Roman");
        EXPECT_EQ(drawn[i].font.weight, 400);
        EXPECT_FALSE(drawn[i].font.underline);
        EXPECT_EQ(drawn[i].color, (TColor{0, 0, 0}));
        EXPECT_EQ(drawn[i].align, TTextAlign::kLeft);
    }
    EXPECT_EQ(drawn[0].text, "Date Events");
    EXPECT_EQ(drawn[1].text, "one");
}

// Each case draws a first line at the top by its format, then "abc" (21
// dots wide: half of it, truncated, is 10) by the format under test.
struct AlignCase {
    const char* name;
    const char* first;
    const char* format;
    int x;
    int y;
    TTextAlign align;
};

class PrintAlignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(PrintAlignment, PlacesTheLine) {
    const AlignCase& c = GetParam();
    const auto drawn = Draw({{"first", c.first}, {"abc", c.format}}, 1000);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].x, c.x);
    EXPECT_EQ(drawn[1].y, c.y);
    EXPECT_EQ(drawn[1].align, c.align);
}

constexpr char kL[] = "5, 2, 0, 1, n, 000, L";
constexpr char kR[] = "5, 2, 0, 1, n, 000, R";
constexpr auto kLeft = TTextAlign::kLeft;
constexpr auto kRight = TTextAlign::kRight;
INSTANTIATE_TEST_SUITE_P(
    PrintLetters, PrintAlignment,
    ::testing::Values(
        AlignCase{"LeftAtTheMarginAfterTheStep", kL, "5, 3, 40, 1, n, 000, L", 450, 125, kLeft},
        AlignCase{"RightEndAtTheMargin", kL, "5, 30, 0, 1, n, 000, R", 4500, 85, kRight},
        AlignCase{"CentredOnFourInchesStepIgnored", kL, "5, 2, 40, 1, n, 000, C", 2390, 85, kLeft},
        AlignCase{"XDropsToEightAndAHalfInches", kL, "5, 2, 40, 1, n, 000, X", 2390, 5100, kLeft},
        AlignCase{"XBelowEightAndAHalfInchesStays", "5, 2, 6000, 1, n, 000, L",
                  "5, 2, 0, 1, n, 000, X", 2390, 6085, kLeft},
        AlignCase{"OtherLetterKeepsRightAlignment", kR, "5, 1, 0, 1, n, 000, Q", 150, 85, kRight},
        AlignCase{"CentredTextKeepsRightAlignment", kR, "5, 1, 0, 1, n, 000, C", 2390, 85, kRight},
        AlignCase{"StepMinusOneGoesToThePreviousTop", kL, "5, 20, -1, 1, n, 000, A", 3000, 0,
                  kLeft},
        AlignCase{"OtherNegativeStepsMoveUp", kL, "5, 2, -5, 1, n, 000, A", 300, 80, kLeft},
        AlignCase{"NegativeMarginIsLeftOfTheArea", kL, "5, -1, 0, 1, n, 000, L", -150, 85, kLeft}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintLayout, XRoundsEightAndAHalfInchesUpToAWholeDot) {
    const auto drawn = Draw({{"abc", "5, 2, 0, 1, n, 000, X"}}, 0, 600, 601);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].y, 5109);  // 8.5 x 601 = 5108.5
}

// The top of the last line drawn is carried into the next page, and a page
// whose first line has step -1 starts there.
TEST(PrintLayout, StepMinusOneCarriesAcrossPages) {
    std::int32_t previousTop = 0;
    RecordingDC dc(600, 600);
    DrawPrintLines(dc, TableOf({{"a", kListing}, {"b", kListing}, {"c", kListing}}), previousTop);
    EXPECT_EQ(previousTop, 170);
    DrawPrintLines(dc, TableOf({{"d", "5, 2, -1, 1, n, 000, A"}, {"e", kListing}}), previousTop);
    ASSERT_EQ(dc.drawn.size(), 5u);
    EXPECT_EQ(dc.drawn[3].y, 170);
    EXPECT_EQ(dc.drawn[4].y, 255);
    EXPECT_EQ(previousTop, 255);
}

// Two print jobs share the program's one PreviousLineTop.
TEST(PrintLayout, PreviousLineTopOutlivesPrintouts) {
    reports::PreviousLineTop() = 0;
    RecordingDC dc(600, 600);
    const PrintLineTable first = TableOf({{"a", kListing}, {"b", kListing}});
    const PrintLineTable second = TableOf({{"c", "5, 2, -1, 1, n, 000, A"}});
    for (const PrintLineTable* table : {&first, &second}) {
        reports::TBlindPrintout printout("List", *table);
        printout.SetPrintParams(&dc, QSize(4800, 6600));
        printout.PrintPage(1, QRect(0, 0, 4800, 6600), 0);
    }
    ASSERT_EQ(dc.drawn.size(), 3u);
    EXPECT_EQ(dc.drawn[2].y, 85);
    EXPECT_EQ(reports::PreviousLineTop(), 85);
    reports::PreviousLineTop() = 0;
}

TEST(PrintLayout, FontHeightIsDotsPerInchOverTheSizeDivisor) {
    const int expected[] = {300, 240, 171, 141, 126, 85, 66};
    for (int size = 0; size < 7; ++size) {
        const auto drawn = Draw({{"x", std::to_string(size) + ", 2, 0, 1, n, 000, A"}});
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].font.height, expected[size]) << "size " << size;
    }
}

struct StyleCase {
    const char* format;
    int weight;
    bool underline;
    TColor color;
    const char* face;
};

class PrintStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(PrintStyle, MakesTheFontAndColour) {
    const StyleCase& c = GetParam();
    const auto drawn = Draw({{"x", c.format}});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].font.weight, c.weight);
    EXPECT_EQ(drawn[0].font.underline, c.underline);
    EXPECT_EQ(drawn[0].color, c.color);
    EXPECT_EQ(drawn[0].font.faceName, c.face);
    EXPECT_TRUE(drawn[0].font.serifFamily);
    EXPECT_TRUE(drawn[0].font.variablePitch);
    EXPECT_FALSE(drawn[0].font.italic);
}

INSTANTIATE_TEST_SUITE_P(
    PrintFormats, PrintStyle,
    ::testing::Values(
        StyleCase{"5, 2, 0, 1, n, 900, A", 400, false, {254, 0, 0}, "Times New Roman"},
        StyleCase{"5, 2, 0, 3, n, 357, A", 400, false, {84, 141, 198}, "Arial"},
        StyleCase{"5b, 2, 0, 1, n, 000, A", 700, false, {0, 0, 0}, "Times New Roman"},
        StyleCase{"5, b, 0, 1, n, 000, A", 400, false, {0, 0, 0}, "Times New Roman"},
        StyleCase{"5, 2, 0, 1, u, 000, A", 400, true, {0, 0, 0}, "Times New Roman"},
        StyleCase{"5, 2, 0u, 1, n, 000, A", 400, true, {0, 0, 0}, "Times New Roman"},
        StyleCase{"5, 2u, 0, 1, n, 000, u", 400, false, {0, 0, 0}, "Times New Roman"},
        StyleCase{"5, 2, 0, 0, n, x9z, A", 400, false, {0, 254, 0}, "Digital SF"},
        StyleCase{"5, 2, 0, 17, n, 000, A", 400, false, {0, 0, 0}, "Arial Black"},
        StyleCase{"5, 2, 0, -4, n, 000, A", 400, false, {0, 0, 0}, "Digital SF"}));

TEST(PrintLayout, SizeIndicesOutsideTheTableAreClamped) {
    EXPECT_EQ(Draw({{"x", "9, 2, 0, 1, n, 000, A"}})[0].font.height, 66);
    EXPECT_EQ(Draw({{"x", "-3, 2, 0, 1, n, 000, A"}})[0].font.height, 300);
    EXPECT_EQ(Draw({{"x", "99999999999, 2, 0, 1, n, 000, A"}})[0].font.height, 66);
}

// A format that cannot be read does not lose its line: it is drawn as a
// listing line.
TEST(PrintLayout, UnreadableFormatsDrawAsListingLines) {
    for (const char* format : {"", "5, 2, 0", "5, 2, 0, 1, n, 9, A", "A"}) {
        const auto drawn = Draw({{"kept", format}});
        ASSERT_EQ(drawn.size(), 1u) << format;
        EXPECT_EQ(drawn[0].x, 300) << format;
        EXPECT_EQ(drawn[0].font.height, 85) << format;
        EXPECT_EQ(drawn[0].text, "kept") << format;
    }
}

TEST(PrintLayout, NoControlCharacterReachesThePaper) {
    EXPECT_EQ(reports::PrintableText("line\r\n"), "line");
    EXPECT_EQ(reports::PrintableText("line\n"), "line");
    EXPECT_EQ(reports::PrintableText("a\tb\x01\x7f\x81\x9d"
                                     "c"),
              "a b    c");
    EXPECT_EQ(reports::PrintableText("cut\r"), "cut ");
    EXPECT_EQ(reports::PrintableText("caf\xe9 \x80"), "caf\xe9 \x80");
    // The width used for centring is that of what is drawn.
    const auto drawn = Draw({{"abc\r\n", "5, 2, 0, 1, n, 000, C"}});
    EXPECT_EQ(drawn[0].x, 2400 - 10);
}

TEST(PrintLayout, DrawsOnlyTheJobsLines) {
    PrintLineTable table = TableOf({{"a", kListing}, {"b", kListing}});
    table.entries[2] = {"stale", kListing};
    std::int32_t top = 0;
    RecordingDC dc(600, 600);
    DrawPrintLines(dc, table, top);
    EXPECT_EQ(dc.drawn.size(), 2u);
    table.PrintLineCount = 1000;
    dc.drawn.clear();
    DrawPrintLines(dc, table, top);
    EXPECT_EQ(dc.drawn.size(), reports::kPrintLineTableSize);
}

}  // namespace
