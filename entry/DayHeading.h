#pragma once
// The day heading of the two entry dialogs: the heading that names the day
// the entry is for, the today box, and the label beside the box that says
// what a click on it does. Each dialog opens it with its own texts; a click
// on the box turns the texts to the day the box now says.

#include <string>

#include "dates/DiaryDates.h"
#include "entry/EntryTexts.h"
#include "framework/Controls.h"

namespace framework {
class TDialog;
}

namespace entry {

class DayHeading {
public:
    // REQUIRES: dialog has the statics headingId and labelId and the check
    // box todayBoxId.
    DayHeading(framework::TDialog* dialog, int headingId, int labelId, int todayBoxId);

    // Shows the opening texts and checks the box when the entry is for today.
    void Open(const DayTexts& texts, bool forToday);
    // After a click on the today box: the texts of the day it now says; the
    // label only when keepHeading (the heading names a day the box does not
    // decide, such as a special date).
    void TodayBoxClicked(dates::Instant today, bool keepHeading = false);
    // Shows heading in place of the day's, leaving the label and the box.
    void SetHeading(const std::string& heading);
    // Whether the today box is checked.
    bool ForToday() const;

private:
    void Show(const DayTexts& texts);

    framework::TStatic heading_;
    framework::TStatic label_;
    framework::TCheckBox todayBox_;
};

}  // namespace entry
