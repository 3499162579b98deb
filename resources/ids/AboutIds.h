#pragma once
// Control ids of the About box's template (kAboutDialog).

#include "framework/MessageBox.h"

namespace resources::about_ids {

inline constexpr int kCloseButton = framework::kIdCancel;
inline constexpr int kVersionLabel = 101;
inline constexpr int kLeftIcon = 102;
inline constexpr int kTaglineLabel = 103;
inline constexpr int kMiddleIcon = 104;
inline constexpr int kRightIcon = 105;
inline constexpr int kIconsCaption = 106;
inline constexpr int kHomePageLabel = 107;

}  // namespace resources::about_ids
