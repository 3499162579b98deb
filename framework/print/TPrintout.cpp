#include "framework/print/TPrintout.h"

namespace framework {

void TPrintout::SetPrintParams(platform::TDC* dc, QSize pageSize) {
    dc_ = dc;
    pageSize_ = pageSize;
}

void TPrintout::GetDialogInfo(TPageRange& range) {
    range = TPageRange{};
}

bool TPrintout::HasPage(int page) {
    return page == 1;
}

}  // namespace framework
