#pragma once
// Control ids of the text entry help screen's template
// (kTextEntryHelpDialog).

#include "framework/MessageBox.h"

namespace resources::text_entry_help_ids {

inline constexpr int kCloseButton = framework::kIdOk;
inline constexpr int kIntroText = 102;
inline constexpr int kPictureCaption = 103;
inline constexpr int kPicture = 105;

}  // namespace resources::text_entry_help_ids
