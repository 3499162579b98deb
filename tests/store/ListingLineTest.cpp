// Records shown as listing lines, and long lines folded into pieces.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/ListingLine.h"

namespace store {
namespace {

TEST(FormatListingLine, ShowsScoreOnlyWhenThereIsOneAndBlanksLineBreaks) {
    const struct {
        TEntryRecord record;
        const char* line;
    } cases[] = {
        {.record = {"Sunny  = Beach)", "07/12/14 @ 21:05:09", 1, 7},
         .line = "07/12/14 @ 21:05:09 Score = 7   Sunny  = Beach)"},
        {.record = {"x", "s", 1, 0}, .line = "s Score = 0   x"},
        {.record = {"Work = 3", "07/12/14", 1, -1}, .line = "07/12/14  Work = 3"},
        {.record = {"x", "s", 1, -40}, .line = "s  x"},
        {.record = {"a\r\nb\rc\nd", "s", 1, 10}, .line = "s Score = 10   a  b c d"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatListingLine(c.record), c.line);
}

// A line of the given length made of 'a' with spaces at the given
// positions, counted from 1.
std::string LineWithSpaces(std::size_t length, std::vector<std::size_t> spaces) {
    std::string line(length, 'a');
    for (std::size_t position : spaces) line[position - 1] = ' ';
    return line;
}

TEST(FoldListingLine, CutsRightAfterTheSpaceThatPassesOneHundred) {
    const std::string p(ContinuationPrefix);
    const std::string example = LineWithSpaces(230, {101, 216});
    const std::string early = LineWithSpaces(150, {50, 100, 120});
    const std::string ofSix = LineWithSpaces(700, {101, 202, 303, 404, 505, 606});
    const struct {
        const char* name;
        std::string line;
        std::vector<std::string> pieces;
    } cases[] = {
        {.name = "100 stays whole",
         .line = std::string(100, 'b'),
         .pieces = {std::string(100, 'b')}},
        {.name = "no space after 100",
         .line = LineWithSpaces(180, {30}),
         .pieces = {LineWithSpaces(180, {30})}},
        {.name = "two cuts",
         .line = example,
         .pieces = {example.substr(0, 101), p + example.substr(101, 115), p + example.substr(216)}},
        {.name = "spaces before 101 do not cut",
         .line = early,
         .pieces = {early.substr(0, 120), p + early.substr(120)}},
        {.name = "trailing space ends the last piece",
         .line = LineWithSpaces(101, {101}),
         .pieces = {LineWithSpaces(101, {101})}},
        {.name = "five at most",
         .line = ofSix,
         .pieces = {ofSix.substr(0, 101), p + ofSix.substr(101, 101), p + ofSix.substr(202, 101),
                    p + ofSix.substr(303, 101), p + ofSix.substr(404, 101)}},
    };
    for (const auto& c : cases) EXPECT_EQ(FoldListingLine(c.line), c.pieces) << c.name;
}

TEST(FirstListedPiece, IsTheLineOrItsFirstPieceWhenFolded) {
    const TEntryRecord longOne{std::string(120, 'w') + " tail", "01/02/15 @ 10:00:00", 1, 3};
    EXPECT_EQ(FirstListedPiece(longOne), FoldListingLine(FormatListingLine(longOne)).front());
    EXPECT_EQ(FirstListedPiece({"short", "01/02/15", 1, -1}), "01/02/15  short");
    EXPECT_EQ(FirstListedPiece({std::string(120, '.') + " x", "", 1, -1}), "");
}

}  // namespace
}  // namespace store
