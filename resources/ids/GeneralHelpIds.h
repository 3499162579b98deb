#pragma once
// Control ids of the general help screen's template (kGeneralHelpDialog).

#include "framework/MessageBox.h"

namespace resources::general_help_ids {

inline constexpr int kCloseButton = framework::kIdCancel;
inline constexpr int kEntryMethodsText = 101;
inline constexpr int kPreferenceText = 102;
inline constexpr int kSeeEntriesText = 103;
inline constexpr int kStartUpText = 104;
inline constexpr int kStartUpResultText = 105;
inline constexpr int kListingDatesText = 106;

}  // namespace resources::general_help_ids
