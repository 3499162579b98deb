#pragma once
// The button entry dialog (template 4): each of the six subject headings
// gets a score from 0 to 10 by a click in its row of eleven radio buttons,
// for today or yesterday. OK appends the entry at the end of the diary and
// notes today as the day of the last entry, then closes; when the entry
// cannot be stored it says so and stays open with every choice kept. "Text
// Entry" closes it without saving and opens the text entry dialog; Help
// shows the button entry help over it. The run always ends with result 2.
//
// REQUIRES (of the opener): the first subject heading holds a letter or digit.

#include <array>
#include <vector>

#include "entry/DayHeading.h"
#include "entry/ScoreRow.h"
#include "framework/Controls.h"
#include "framework/TDialog.h"
#include "session/AppValues.h"

namespace entry {

class ButtonEntryDialog : public framework::TDialog {
public:
    explicit ButtonEntryDialog(framework::TWindow* parent);

protected:
    void SetupWindow() override;
    bool HandleCommand(int id) override;

private:
    void SaveButtonEntry();
    void HelpButtonClicked();
    void TodayBoxClicked();
    void SwitchToTextEntry();
    // Each score button named from its row's heading and its score.
    void NameScoreButtons();

    DayHeading day_;
    // Subject heading r is shown by label SubjectLabel(r); its scores are
    // the buttons ScoreButton(r, 0) to ScoreButton(r, 10).
    std::array<framework::TStatic, session::kHeadingCount> headingTexts_;
    std::vector<ScoreRow> rows_;
};

}  // namespace entry
