#pragma once
// Line formats: how one printed line is laid out. A format is seven fields
// separated by commas, e.g. "5, 2, 0, 1, n, 000, A":
//   1 size: index into SizeTable; a "b" right after a one-digit size
//     ("5b, ...") makes the line bold
//   2 left margin in quarter inches from the left of the printable area
//   3 vertical step in dots before the line; -1 puts the line at the top of
//     the line drawn before it
//   4 face: index into FaceTable
//   5 style: a "u" anywhere in fields 3 to 6 underlines; "n" is plain
//   6 colour: its last three characters are the red, green and blue digits
//   7 alignment: the last character of the format: "L" left, "R" right,
//     "C" centred on 4 inches, "X" centred on 4 inches no higher than
//     8.5 inches down; anything else keeps the alignment in force
// Numbers are read like the C library's atoi: leading spaces, a sign,
// digits, whatever follows ignored.

#include <array>
#include <optional>
#include <string_view>

#include "platform/TDC.h"

namespace listing {

// Divisors of the printer's vertical dots per inch giving a line's height.
inline constexpr std::array<double, 7> SizeTable = {2.0, 2.5, 3.5, 4.25, 4.75, 7.0, 9.0};
// Faces asked for; a face that is not installed is substituted.
inline constexpr std::array<std::string_view, 6> FaceTable = {
    "Digital SF", "Times New Roman", "CloisterBlack BT", "Arial", "Arial Narrow", "Arial Black"};

struct LineFormat {
    int size = 0;  // always a valid index into SizeTable
    int leftMargin = 0;
    int verticalStep = 0;
    int face = 0;  // always a valid index into FaceTable
    bool bold = false;
    bool underline = false;
    std::array<int, 3> colorDigits{};  // red, green, blue; 0 to 9 each
    char alignment = 'A';

    std::string_view FaceName() const { return FaceTable[static_cast<std::size_t>(face)]; }
};

// The fields of format. Size and face indices outside their tables are
// clamped to the nearest entry, and a colour character that is not a digit
// counts as 0. Nothing for a format of fewer than seven fields or with a
// colour field shorter than three characters.
std::optional<LineFormat> ParseLineFormat(std::string_view format);

// The height in dots of a line of size on a device of dpiY dots per inch:
// dpiY / SizeTable[size], truncated. REQUIRES: size indexes SizeTable.
int LineFontHeight(int dpiY, int size);

// The font of a printed line: height dots for the character cell, the face's
// own width, bold (700) or normal (400) weight, upright, underlined as asked,
// variable pitch with a preference for a serif face.
platform::TFontRequest MakeLineFont(int height, std::string_view faceName, bool bold,
                                    bool underline);

// A colour component of a digit: digit x 28.3, truncated (9 gives 254).
int ColourComponent(int digit);
platform::TColor LineColour(const LineFormat& format);

}  // namespace listing
