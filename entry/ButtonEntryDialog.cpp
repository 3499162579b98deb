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
#include "store/Diary.h"

namespace entry {
namespace {

constexpr int kFirstScore = 101;
constexpr int kScoresPerRow = 11;
constexpr int kFirstHeading = 169;
constexpr int kHelpButton = 9;
constexpr int kTodayBox = 178;
constexpr int kSwitchButton = 179;

}  // namespace

ButtonEntryDialog::ButtonEntryDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kButtonEntryDialog),
      heading_(this, 176),
      todayLabel_(this, 177),
      todayBox_(this, kTodayBox),
      headingTexts_{{{this, kFirstHeading},
                     {this, kFirstHeading + 1},
                     {this, kFirstHeading + 2},
                     {this, kFirstHeading + 3},
                     {this, kFirstHeading + 4},
                     {this, kFirstHeading + 5}}} {
    rows_.reserve(session::kHeadingCount);
    for (std::size_t r = 0; r < session::kHeadingCount; ++r) {
        rows_.emplace_back(this, kFirstScore + kScoresPerRow * static_cast<int>(r), kScoresPerRow);
    }
}

void ButtonEntryDialog::SetupWindow() {
    TDialog::SetupWindow();
    const session::AppValues& values = session::Values();
    const DayTexts texts =
        ButtonEntryOpening(values.todayPreference, values.todayInstant, values.yesterdayInstant);
    heading_.SetText(texts.heading);
    todayLabel_.SetText(texts.label);
    todayBox_.SetCheck(values.todayPreference);
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
        {kHelpButton, &ButtonEntryDialog::HelpButtonClicked},
        {kTodayBox, &ButtonEntryDialog::TodayBoxClicked},
        {kSwitchButton, &ButtonEntryDialog::SwitchToTextEntry},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void ButtonEntryDialog::TodayBoxClicked() {
    const DayTexts texts = TodayBoxTexts(todayBox_.IsChecked(), session::Values().todayInstant);
    heading_.SetText(texts.heading);
    todayLabel_.SetText(texts.label);
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
        EntryInstant(todayBox_.IsChecked(), std::nullopt, dates::CurrentInstant());
    std::array<int, session::kHeadingCount> scores{};
    for (std::size_t r = 0; r < rows_.size(); ++r) scores[r] = rows_[r].Score();
    const store::TEntryRecord record =
        store::MakeButtonEntryRecord(values.headings, scores, instant);
    const EntrySaveResult result =
        SaveEntry(record, Placement::kAtEnd, values.dataDirectory, values.todayCompactDate);
    if (ReportEntrySave(this, result)) CloseWindow(framework::kIdCancel);
}

}  // namespace entry
