#pragma once
// Control ids of the button entry dialog's template (kButtonEntryDialog).

#include "framework/MessageBox.h"

namespace resources::button_entry_ids {

inline constexpr int kOkButton = framework::kIdOk;
inline constexpr int kCancelButton = framework::kIdCancel;
inline constexpr int kHelpButton = 9;
// Six rows of radio buttons, one row per subject heading, score 0 to score
// 10 in each row.
inline constexpr int kFirstScoreButton = 101;
inline constexpr int kScoresPerRow = 11;
constexpr int ScoreButton(int row, int score) {
    return kFirstScoreButton + kScoresPerRow * row + score;
}
inline constexpr int kScaleLabel = 167;  // the numbers over the columns
inline constexpr int kScoreCaption = 168;
// The subject headings, one label left of each row.
inline constexpr int kFirstSubjectLabel = 169;
constexpr int SubjectLabel(int row) {
    return kFirstSubjectLabel + row;
}
inline constexpr int kExpectationsCaption = 175;
inline constexpr int kDayHeading = 176;  // the day the entry is for
inline constexpr int kTodayLabel = 177;
inline constexpr int kTodayBox = 178;
inline constexpr int kSwitchButton = 179;  // "Text Entry"

}  // namespace resources::button_entry_ids
