#include "entry/TextEntryDialog.h"

#include "entry/EntryRules.h"
#include "entry/EntrySave.h"
#include "entry/EntryTexts.h"
#include "entry/OtherDateDialog.h"
#include "entry/RunButtonEntry.h"
#include "entry/SaveReport.h"
#include "framework/MessageBox.h"
#include "help/HelpScreen.h"
#include "resources/ResourceIds.h"
#include "resources/ids/TextEntryIds.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "store/Diary.h"

namespace entry {

namespace ids = resources::text_entry_ids;

TextEntryDialog::TextEntryDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kTextEntryDialog),
      day_(this, ids::kDayHeading, ids::kTodayLabel, ids::kTodayBox),
      noteTitle_(this, ids::kNoteTitleLabel),
      summary_(this, ids::kSummaryBox, kSummaryTextLimit),
      note_(this, ids::kNoteBox, kNoteTextLimit),
      otherDate_(this, ids::kOtherDateBox),
      scores_(this, ids::kFirstScoreButton, ids::kScoreCount) {}

void TextEntryDialog::SetupWindow() {
    TDialog::SetupWindow();
    session::AppValues& values = session::Values();
    day_.Open(
        TextEntryOpening(values.todayPreference, values.todayInstant, values.yesterdayInstant),
        values.todayPreference);
    values.noteTitle = NoteTitleFromSetting(session::ReadSetting("TextTit", kNoteTitleCapacity),
                                            std::move(values.noteTitle));
    noteTitle_.SetText(values.noteTitle);
}

bool TextEntryDialog::HandleCommand(int id) {
    static const framework::TCommandTable<TextEntryDialog> table{
        {framework::kIdOk, &TextEntryDialog::SaveTextEntry},
        {ids::kSwitchButton, &TextEntryDialog::SwitchToButtonEntry},
        {ids::kTodayBox, &TextEntryDialog::TodayBoxClicked},
        {ids::kOtherDateBox, &TextEntryDialog::OtherDateBoxClicked},
        {ids::kHelpButton, &TextEntryDialog::HelpButtonClicked},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TextEntryDialog::TodayBoxClicked() {
    // While a special date is in force, it is the day OK stores the entry
    // for, and the heading goes on naming it.
    day_.TodayBoxClicked(session::Values().todayInstant, /*keepHeading=*/specialDate_.has_value());
}

void TextEntryDialog::OtherDateBoxClicked() {
    OtherDateDialog specialDate(this);
    specialDate.Execute();
    if (!specialDate.Accepted()) {
        specialDate_.reset();
        otherDate_.SetCheck(false);
        TodayBoxClicked();
        return;
    }
    specialDate_ = session::Values().specialDateValue;
    otherDate_.SetCheck(true);
    day_.SetHeading(SpecialDateHeading(session::Values().specialDateText));
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
        EntryInstant(day_.ForToday(), otherDate_.IsChecked() ? specialDate_ : std::nullopt,
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
