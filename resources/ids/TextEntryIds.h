#pragma once
// Control ids of the text entry dialog's template (kTextEntryDialog).

#include "framework/MessageBox.h"

namespace resources::text_entry_ids {

inline constexpr int kOkButton = framework::kIdOk;
inline constexpr int kCancelButton = framework::kIdCancel;
inline constexpr int kHelpButton = 9;
inline constexpr int kDayHeading = 101;  // the day the entry is for
inline constexpr int kSummaryBox = 102;
inline constexpr int kNoteBox = 103;
inline constexpr int kNoteTitleLabel = 104;
// The overall score's radio buttons, score 0 to score 10.
inline constexpr int kFirstScoreButton = 105;
inline constexpr int kScoreCount = 11;
constexpr int ScoreButton(int score) {
    return kFirstScoreButton + score;
}
inline constexpr int kScoreCaption = 116;
inline constexpr int kTodayBox = 117;
inline constexpr int kTodayLabel = 118;
inline constexpr int kSwitchButton = 119;  // "Button Entry"
inline constexpr int kSummaryCaption = 120;
inline constexpr int kOtherDateBox = 121;
inline constexpr int kOtherDateLabel = 122;

}  // namespace resources::text_entry_ids
