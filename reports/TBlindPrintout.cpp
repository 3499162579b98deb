#include "reports/TBlindPrintout.h"

#include "listing/PrintLayout.h"

namespace reports {

void TBlindPrintout::GetDialogInfo(framework::TPageRange& range) {
    range = framework::TPageRange{0, 0, 0, 0};
}

void TBlindPrintout::PrintPage(int /*page*/, const QRect& /*band*/, unsigned /*flags*/) {
    if (DC()) listing::DrawPrintLines(*DC(), table_, listing::PreviousLineTop());
}

}  // namespace reports
