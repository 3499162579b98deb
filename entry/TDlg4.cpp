#include "entry/TDlg4.h"

#include "dates/DiaryDates.h"
#include "entry/EntryRules.h"
#include "entry/EntrySave.h"
#include "entry/EntryTexts.h"
#include "entry/SaveReport.h"
#include "entry/TDlg1.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "setup/TDlg3.h"
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

TDlg4::TDlg4(framework::TWindow* parent)
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
    rows_.reserve(app::kHeadingCount);
    for (std::size_t r = 0; r < app::kHeadingCount; ++r) {
        rows_.emplace_back(this, kFirstScore + kScoresPerRow * static_cast<int>(r), kScoresPerRow);
    }
}

void TDlg4::SetupWindow() {
    TDialog::SetupWindow();
    const app::TAppValues& values = app::Values();
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

void TDlg4::NameScoreButtons() {
    const auto& headings = app::Values().headings;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (int c = 0; c < rows_[r].Count(); ++c) {
            rows_[r].Button(c).SetAccessibleName(ScoreButtonName(headings[r], r, c));
        }
    }
}

bool TDlg4::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg4> table{
        {framework::kIdOk, &TDlg4::SaveButtonEntry},
        {kHelpButton, &TDlg4::HelpButtonClicked},
        {kTodayBox, &TDlg4::TodayBoxClicked},
        {kSwitchButton, &TDlg4::SwitchToTextEntry},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg4::TodayBoxClicked() {
    const DayTexts texts = TodayBoxTexts(todayBox_.IsChecked(), app::Values().todayInstant);
    heading_.SetText(texts.heading);
    todayLabel_.SetText(texts.label);
}

void TDlg4::HelpButtonClicked() {
    setup::TDlg3(this, resources::kButtonEntryHelpDialog).Execute();
}

void TDlg4::SwitchToTextEntry() {
    CloseWindow(framework::kIdCancel);
    TDlg1(this).Execute();
}

void TDlg4::SaveButtonEntry() {
    const app::TAppValues& values = app::Values();
    const dates::Instant instant =
        EntryInstant(todayBox_.IsChecked(), std::nullopt, dates::CurrentInstant());
    std::array<int, app::kHeadingCount> scores{};
    for (std::size_t r = 0; r < rows_.size(); ++r) scores[r] = rows_[r].Score();
    const store::TEntryRecord record =
        store::MakeButtonEntryRecord(values.headings, scores, instant);
    const EntrySaveResult result =
        SaveEntry(record, Placement::kAtEnd, values.dataDirectory, values.todayCompactDate);
    if (ReportEntrySave(this, result)) CloseWindow(framework::kIdCancel);
}

}  // namespace entry
