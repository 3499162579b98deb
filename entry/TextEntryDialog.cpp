#include "entry/TextEntryDialog.h"

#include "entry/EntryRules.h"
#include "entry/EntrySave.h"
#include "entry/EntryTexts.h"
#include "entry/RunButtonEntry.h"
#include "entry/SaveReport.h"
#include "entry/SpecialDateDialog.h"
#include "framework/MessageBox.h"
#include "help/HelpScreen.h"
#include "resources/ResourceIds.h"
#include "session/AppValues.h"
#include "session/Settings.h"
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

TextEntryDialog::TextEntryDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kTextEntryDialog),
      heading_(this, 101),
      noteTitle_(this, 104),
      todayLabel_(this, 118),
      summary_(this, 102, kSummaryTextLimit),
      note_(this, 103, kNoteTextLimit),
      todayBox_(this, kTodayBox),
      otherDate_(this, kOtherDateBox),
      scores_(this, kFirstScore, kScoreCount) {}

void TextEntryDialog::SetupWindow() {
    TDialog::SetupWindow();
    session::AppValues& values = session::Values();
    const DayTexts texts =
        TextEntryOpening(values.todayPreference, values.todayInstant, values.yesterdayInstant);
    heading_.SetText(texts.heading);
    todayLabel_.SetText(texts.label);
    todayBox_.SetCheck(values.todayPreference);
    values.noteTitle = NoteTitleFromSetting(session::ReadSetting("TextTit", kNoteTitleCapacity),
                                            std::move(values.noteTitle));
    noteTitle_.SetText(values.noteTitle);
}

bool TextEntryDialog::HandleCommand(int id) {
    static const framework::TCommandTable<TextEntryDialog> table{
        {framework::kIdOk, &TextEntryDialog::SaveTextEntry},
        {kSwitchButton, &TextEntryDialog::SwitchToButtonEntry},
        {kTodayBox, &TextEntryDialog::TodayBoxClicked},
        {kOtherDateBox, &TextEntryDialog::OtherDateBoxClicked},
        {kHelpButton, &TextEntryDialog::HelpButtonClicked},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TextEntryDialog::TodayBoxClicked() {
    const DayTexts texts = TodayBoxTexts(todayBox_.IsChecked(), session::Values().todayInstant);
    todayLabel_.SetText(texts.label);
    // While a special date is in force, it is the day OK stores the entry
    // for, and the heading goes on naming it.
    if (!specialDate_) heading_.SetText(texts.heading);
}

void TextEntryDialog::OtherDateBoxClicked() {
    SpecialDateDialog specialDate(this);
    specialDate.Execute();
    if (!specialDate.Accepted()) {
        specialDate_.reset();
        otherDate_.SetCheck(false);
        TodayBoxClicked();
        return;
    }
    specialDate_ = session::Values().specialDateValue;
    otherDate_.SetCheck(true);
    heading_.SetText(SpecialDateHeading(session::Values().specialDateText));
}

void TextEntryDialog::SwitchToButtonEntry() {
    CloseWindow(framework::kIdCancel);
    RunButtonEntry(this);
}

void TextEntryDialog::HelpButtonClicked() {
    help::HelpScreen(this, resources::kTextEntryHelpDialog).Execute();
}

void TextEntryDialog::SaveTextEntry() {
    const session::AppValues& values = session::Values();
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
