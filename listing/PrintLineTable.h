#pragma once
// The print line table: the lines of one print job of the listing, each
// with the line format it is drawn by. The print run fills it, a
// TBlindPrintout draws it.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace listing {

inline constexpr std::size_t kPrintLineTableSize = 100;
// Lines of the listing file per print job (one page each).
inline constexpr int kLinesPerPrintJob = 60;
// The most characters one print line takes from the listing file; the line
// end counts as one.
inline constexpr std::size_t kLongestPrintLine = 255;
inline constexpr std::string_view kPrintJobTitle = "List";
// Every listing line: 1/7 inch Times New Roman, plain, black, half an inch
// from the left, directly below the line before.
inline constexpr std::string_view kListingLineFormat = "5, 2, 0, 1, n, 000, A";

struct PrintLine {
    // As read from the listing file (Windows-1252 bytes), with its line end
    // when the whole line fitted.
    std::string text;
    // How the line is drawn (see listing/LineFormat.h).
    std::string format;
};

struct PrintLineTable {
    std::array<PrintLine, kPrintLineTableSize> entries;
    // How many entries, from the first, belong to the current print job.
    int PrintLineCount = 0;
};

}  // namespace listing
