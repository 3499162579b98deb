#pragma once
// Control ids of the button entry help screen's template
// (kButtonEntryHelpDialog).

#include "framework/MessageBox.h"

namespace resources::button_entry_help_ids {

inline constexpr int kCloseButton = framework::kIdOk;
inline constexpr int kPicture = 101;
inline constexpr int kIntroText = 102;
inline constexpr int kHowToText = 103;

}  // namespace resources::button_entry_help_ids
