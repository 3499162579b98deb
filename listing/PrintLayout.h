#pragma once
// Laying out a page of the listing: each line of the print line table drawn
// by its line format, one below the other from the top of the printable
// area. A plain function over a device context, so it runs on a recording
// device in tests as on the printer.

#include <cstdint>
#include <string>
#include <string_view>

#include "listing/PrintLineTable.h"
#include "platform/TDC.h"

namespace listing {

// The top of the last line drawn, in dots. Starts at 0 when the program
// starts and carries over from line to line, page to page and job to job.
std::int32_t& PreviousLineTop();

// Draws entries 1 to table.PrintLineCount (at most the whole table) on dc,
// starting at the top of the printable area. Each line:
// - gets the font of its format, dc.DpiY() / SizeTable[size] dots high, and
//   the colour of its format;
// - "X": moves down to 8.5 inches unless already below, and is centred on
//   4 inches; "C": is centred on 4 inches; the vertical step is not used;
// - any other letter: "L" and "R" set the alignment for this and the
//   following lines, other letters keep it; the vertical step is added, or
//   -1 moves to previousLineTop; the aligned end is at the left margin;
// - sets previousLineTop to its top; the next line starts one cell below.
// A line whose format cannot be read is drawn with kListingLineFormat.
// Texts are drawn as PrintableText makes them.
void DrawPrintLines(platform::TDC& dc, const PrintLineTable& table, std::int32_t& previousLineTop);

// text as it is put on paper: the line end kept at its end (LF or CR LF)
// is dropped, and every other control character (tabs included) is drawn
// as a space, so none leaves a mark; nothing else changes.
std::string PrintableText(std::string_view text);

}  // namespace listing
