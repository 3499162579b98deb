#pragma once
// Control ids of the entry preference dialog's template
// (kEntryPreferenceDialog).

#include "framework/MessageBox.h"

namespace resources::entry_preference_ids {

inline constexpr int kOkButton = framework::kIdOk;
inline constexpr int kCancelButton = framework::kIdCancel;
inline constexpr int kHelpButton = 9;
inline constexpr int kTextEntriesRadio = 101;
inline constexpr int kButtonEntriesRadio = 102;
inline constexpr int kTodayBox = 103;

}  // namespace resources::entry_preference_ids
