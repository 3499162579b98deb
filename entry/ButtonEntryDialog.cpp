#include "entry/ButtonEntryDialog.h"

#include "dates/DiaryDates.h"
#include "entry/EntryRules.h"
#include "entry/EntrySave.h"
#include "entry/EntryTexts.h"
#include "entry/SaveReport.h"
#include "entry/TextEntryDialog.h"
#include "framework/MessageBox.h"
#include "help/HelpScreen.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"
#include "store/Diary.h"

namespace entry {

namespace ids = resources::button_entry_ids;

ButtonEntryDialog::ButtonEntryDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kButtonEntryDialog),
      day_(this, ids::kDayHeading, ids::kTodayLabel, ids::kTodayBox),
      headingTexts_{{{this, ids::SubjectLabel(0)},
                     {this, ids::SubjectLabel(1)},
                     {this, ids::SubjectLabel(2)},
                     {this, ids::SubjectLabel(3)},
                     {this, ids::SubjectLabel(4)},
                     {this, ids::SubjectLabel(5)}}} {
    rows_.reserve(session::kHeadingCount);
    for (std::size_t r = 0; r < session::kHeadingCount; ++r) {
        rows_.emplace_back(this, ids::ScoreButton(static_cast<int>(r), 0), ids::kScoresPerRow);
    }
}

void ButtonEntryDialog::SetupWindow() {
    TDialog::SetupWindow();
    const session::AppValues& values = session::Values();
    day_.Open(
        ButtonEntryOpening(values.todayPreference, values.todayInstant, values.yesterdayInstant),
        values.todayPreference);
    for (std::size_t r = 0; r < headingTexts_.size(); ++r) {
        headingTexts_[r].SetText(values.headings[r]);
    }
    NameScoreButtons();
}

void ButtonEntryDialog::NameScoreButtons() {
    const auto& headings = session::Values().headings;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (int c = 0; c < rows_[r].Count(); ++c) {
            rows_[r].Button(c).SetAccessibleName(ScoreButtonName(headings[r], r, c));
        }
    }
}

bool ButtonEntryDialog::HandleCommand(int id) {
    static const framework::TCommandTable<ButtonEntryDialog> table{
        {framework::kIdOk, &ButtonEntryDialog::SaveButtonEntry},
        {ids::kHelpButton, &ButtonEntryDialog::HelpButtonClicked},
        {ids::kTodayBox, &ButtonEntryDialog::TodayBoxClicked},
        {ids::kSwitchButton, &ButtonEntryDialog::SwitchToTextEntry},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void ButtonEntryDialog::TodayBoxClicked() {
    day_.TodayBoxClicked(session::Values().todayInstant);
}

void ButtonEntryDialog::HelpButtonClicked() {
    help::HelpScreen(this, resources::kButtonEntryHelpDialog).Execute();
}

void ButtonEntryDialog::SwitchToTextEntry() {
    CloseWindow(framework::kIdCancel);
    TextEntryDialog(this).Execute();
}

void ButtonEntryDialog::SaveButtonEntry() {
    const session::AppValues& values = session::Values();
    const dates::Instant instant =
        EntryInstant(day_.ForToday(), std::nullopt, dates::CurrentInstant());
    std::array<int, session::kHeadingCount> scores{};
    for (std::size_t r = 0; r < rows_.size(); ++r) scores[r] = rows_[r].Score();
    const store::TEntryRecord record =
        store::MakeButtonEntryRecord(values.headings, scores, instant);
    const EntrySaveResult result =
        SaveEntry(record, Placement::kAtEnd, values.dataDirectory, values.todayCompactDate);
    if (ReportEntrySave(this, result)) CloseWindow(framework::kIdCancel);
}

}  // namespace entry
