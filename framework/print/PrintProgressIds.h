#pragma once
// The number and control ids of the "Printing" dialog's template, which the
// windowing layer's print run shows and the program's resources supply.

#include "framework/MessageBox.h"

namespace framework {

// The number of the progress dialog's template.
inline constexpr int kPrintProgressTemplate = 32599;

namespace print_progress_ids {

inline constexpr int kCancelButton = kIdCancel;
inline constexpr int kNowPrintingLabel = -1;  // centred, until there are page numbers
inline constexpr int kTitleLabel = 101;       // the document's title
inline constexpr int kDeviceLabel = 102;      // the printer and where its output goes
inline constexpr int kSpareLabel = 103;       // hidden, never shown
inline constexpr int kPageLabel = 104;
inline constexpr int kLastPageLabel = 105;

}  // namespace print_progress_ids
}  // namespace framework
