#pragma once
// Control ids of the event reports dialog's template (kReportsDialog).

#include "framework/MessageBox.h"

namespace resources::reports_ids {

inline constexpr int kShowResultsButton = framework::kIdOk;
inline constexpr int kCloseButton = framework::kIdCancel;
inline constexpr int kResultsList = 101;
inline constexpr int kStartDateLabel = 102;
inline constexpr int kEndDateLabel = 103;
inline constexpr int kDatesCaption = 104;
inline constexpr int kDatesFrame = 105;
inline constexpr int kStartDateBox = 106;
inline constexpr int kEndDateBox = 107;
inline constexpr int kPrintListButton = 108;
inline constexpr int kDeleteButton = 109;
inline constexpr int kSpareLabel = 110;  // "Text4", never changed
inline constexpr int kSearchBox = 111;
inline constexpr int kSearchCaption = 112;

}  // namespace resources::reports_ids
