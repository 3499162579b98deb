#pragma once
// The text entry dialog (template 1): a summary of the day, a one-line note
// under the note title and an overall score, for today, yesterday or an
// accepted special date. OK stores the entry in key order and notes today as
// the day of the last entry, then closes; when the entry does not fit or
// cannot be stored it says so and stays open with everything as it was.
// "Button Entry" closes it without saving and opens the button entry
// dialog; Cancel, Escape and the close box close it without saving. The run
// always ends with result 2.

#include <optional>

#include "dates/DiaryDates.h"
#include "entry/DayHeading.h"
#include "entry/ScoreRow.h"
#include "framework/Controls.h"
#include "framework/TDialog.h"

namespace entry {

class TextEntryDialog : public framework::TDialog {
public:
    explicit TextEntryDialog(framework::TWindow* parent);

protected:
    void SetupWindow() override;
    bool HandleCommand(int id) override;

private:
    void SaveTextEntry();
    void SwitchToButtonEntry();
    // Names the other day in the label, and in the heading the day of the
    // today box unless a special date is in force.
    void TodayBoxClicked();
    // Runs the special date dialog; the box ends up checked exactly when it
    // accepted a date, which is then the day of the entry.
    void OtherDateBoxClicked();
    void HelpButtonClicked();

    DayHeading day_;
    framework::TStatic noteTitle_;
    framework::TEdit summary_;
    framework::TEdit note_;
    framework::TCheckBox otherDate_;
    ScoreRow scores_;
    // The day-end value of the special date accepted last; set only while
    // the other-date box is checked.
    std::optional<dates::Instant> specialDate_;
};

}  // namespace entry
