#pragma once
// Control ids of the note title dialog's template (kTextTitleDialog).

#include "framework/MessageBox.h"

namespace resources::note_title_ids {

inline constexpr int kOkButton = framework::kIdOk;
inline constexpr int kPromptLabel = 101;
inline constexpr int kChangeLabel = 102;
inline constexpr int kDefaultTitleLabel = 103;
inline constexpr int kTitleBox = 104;

}  // namespace resources::note_title_ids
