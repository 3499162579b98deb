#pragma once
// The printout of one print job of the listing: a single page holding the
// lines of a print line table, drawn by DrawPrintLines.

#include <string>

#include "framework/print/TPrintout.h"
#include "listing/PrintLineTable.h"

namespace reports {

class TBlindPrintout : public framework::TPrintout {
public:
    // REQUIRES: table outlives the printout and is not changed while it prints.
    TBlindPrintout(std::string title, const listing::PrintLineTable& table)
        : TPrintout(std::move(title)), table_(table) {}

    // Offers neither a page range nor a selection (all four 0).
    void GetDialogInfo(framework::TPageRange& range) override;
    // Draws the table's lines on page 1; the band and flags are not used.
    void PrintPage(int page, const QRect& band, unsigned flags) override;

private:
    const listing::PrintLineTable& table_;
};

}  // namespace reports
