#pragma once
// The listing of a report as one PDF, laid out as the program prints it:
// each page a print job's worth of lines drawn by listing/PrintLayout, with
// a page number under them.

#include <string>
#include <vector>

#include "platform/Status.h"

namespace tool {

// The print lines of a listing (Windows-1252): its heading line, then each
// listed line, a line longer than listing::kLongestPrintLine characters
// going on in the next print line, as the print run reads the listing file.
std::vector<std::string> ListingPrintLines(const std::vector<std::string>& listed);

// The pages of lines: listing::kLinesPerPrintJob lines each, the last page
// holding the rest; one empty page for no lines.
std::vector<std::vector<std::string>> PagesOf(const std::vector<std::string>& lines);

// Draws the pages to *pdf (the whole file): A4 with 15 mm margins, each
// page's lines in the listing's line format, and "Page N of M" centred at
// the foot of each page. REQUIRES: a QGuiApplication exists (offscreen
// will do).
platform::Status DrawListingPdf(const std::vector<std::vector<std::string>>& pages,
                                std::string* pdf);

}  // namespace tool
