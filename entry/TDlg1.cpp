#include "entry/TDlg1.h"

#include "app/AppValues.h"
#include "app/Settings.h"
#include "entry/EntryRules.h"
#include "entry/EntrySave.h"
#include "entry/EntryTexts.h"
#include "entry/RunButtonEntry.h"
#include "entry/SaveReport.h"
#include "entry/TDlg12.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "setup/TDlg3.h"
#include "store/Diary.h"

namespace entry {
namespace {

constexpr int kFirstScore = 105;
constexpr int kScoreCount = 11;
constexpr int kHelpButton = 9;
constexpr int kSwitchButton = 119;
constexpr int kTodayBox = 117;
constexpr int kOtherDateBox = 121;

}  // namespace

TDlg1::TDlg1(framework::TWindow* parent)
    : TDialog(parent, resources::kTextEntryDialog),
      heading_(this, 101),
      noteTitle_(this, 104),
      todayLabel_(this, 118),
      summary_(this, 102, kSummaryTextLimit),
      note_(this, 103, kNoteTextLimit),
      todayBox_(this, kTodayBox),
      otherDate_(this, kOtherDateBox),
      scores_(this, kFirstScore, kScoreCount) {}

void TDlg1::SetupWindow() {
    TDialog::SetupWindow();
    app::TAppValues& values = app::Values();
    const DayTexts texts =
        TextEntryOpening(values.todayPreference, values.todayInstant, values.yesterdayInstant);
    heading_.SetText(texts.heading);
    todayLabel_.SetText(texts.label);
    todayBox_.SetCheck(values.todayPreference);
    values.noteTitle = NoteTitleFromSetting(app::ReadSetting("TextTit", kNoteTitleCapacity),
                                            std::move(values.noteTitle));
    noteTitle_.SetText(values.noteTitle);
}

bool TDlg1::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg1> table{
        {framework::kIdOk, &TDlg1::SaveTextEntry}, {kSwitchButton, &TDlg1::SwitchToButtonEntry},
        {kTodayBox, &TDlg1::TodayBoxClicked},      {kOtherDateBox, &TDlg1::OtherDateBoxClicked},
        {kHelpButton, &TDlg1::HelpButtonClicked},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg1::TodayBoxClicked() {
    const DayTexts texts = TodayBoxTexts(todayBox_.IsChecked(), app::Values().todayInstant);
    heading_.SetText(texts.heading);
    todayLabel_.SetText(texts.label);
}

void TDlg1::OtherDateBoxClicked() {
    TDlg12 specialDate(this);
    specialDate.Execute();
    if (!specialDate.Accepted()) {
        specialDate_.reset();
        otherDate_.SetCheck(false);
        TodayBoxClicked();
        return;
    }
    specialDate_ = app::Values().specialDateValue;
    otherDate_.SetCheck(true);
    heading_.SetText(SpecialDateHeading(app::Values().specialDateText));
}

void TDlg1::SwitchToButtonEntry() {
    CloseWindow(framework::kIdCancel);
    RunButtonEntry(this);
}

void TDlg1::HelpButtonClicked() {
    setup::TDlg3(this, resources::kTextEntryHelpDialog).Execute();
}

void TDlg1::SaveTextEntry() {
    const app::TAppValues& values = app::Values();
    const dates::Instant instant =
        EntryInstant(todayBox_.IsChecked(), otherDate_.IsChecked() ? specialDate_ : std::nullopt,
                     dates::CurrentInstant());
    const std::string summary = summary_.GetText();
    const std::string note = note_.GetText(kNoteLength);
    if (const std::size_t excess = CharactersToRemove(summary, note); excess > 0) {
        framework::MessageBox(this, TooLongMessage(excess), kTooLongCaption);
        return;
    }
    const store::TEntryRecord record =
        store::MakeTextEntryRecord(summary, note, scores_.Score(), instant);
    const EntrySaveResult result =
        SaveEntry(record, Placement::kInKeyOrder, values.dataDirectory, values.todayCompactDate);
    if (ReportEntrySave(this, result)) CloseWindow(framework::kIdCancel);
}

}  // namespace entry
