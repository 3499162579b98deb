#pragma once
// Control ids of the headings help screen's template (kHeadingsHelpDialog).

#include "framework/MessageBox.h"

namespace resources::headings_help_ids {

inline constexpr int kCloseButton = framework::kIdOk;
inline constexpr int kPicture = 101;
inline constexpr int kIntroText = 102;
inline constexpr int kHowToText = 103;

}  // namespace resources::headings_help_ids
