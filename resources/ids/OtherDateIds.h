#pragma once
// Control ids of the special date dialog's template (kOtherDateDialog).

#include "framework/MessageBox.h"

namespace resources::other_date_ids {

inline constexpr int kOkButton = framework::kIdOk;
inline constexpr int kCancelButton = framework::kIdCancel;
inline constexpr int kPromptLabel = 101;
inline constexpr int kFormatLabel = 102;  // "dd/mm/yy"
inline constexpr int kDateBox = 103;

}  // namespace resources::other_date_ids
