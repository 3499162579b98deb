#pragma once
// Control ids of the subject headings dialog's template (kHeadingsDialog).

#include "framework/MessageBox.h"

namespace resources::headings_ids {

inline constexpr int kOkButton = framework::kIdOk;
inline constexpr int kCancelButton = framework::kIdCancel;
// One box per subject heading, headings 1 to 6 at index 0 to 5.
inline constexpr int kFirstHeadingBox = 101;
constexpr int HeadingBox(int index) {
    return kFirstHeadingBox + index;
}
inline constexpr int kPromptLabel = 107;
// "Button 1" to "Button 6", left of the boxes.
inline constexpr int kFirstBoxLabel = 108;
constexpr int BoxLabel(int index) {
    return kFirstBoxLabel + index;
}

}  // namespace resources::headings_ids
