#include "devtools/make-pictures/ExamplePictures.h"

#include "dates/DiaryDates.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/TextEntryDialog.h"
#include "framework/Controls.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/TextEntryIds.h"
#include "session/AppValues.h"
#include "setup/HeadingsDialog.h"

namespace pictures {
namespace {

// The subject headings dialog with six headings typed in.
std::unique_ptr<framework::TDialog> HeadingsExample() {
    auto dialog = std::make_unique<setup::HeadingsDialog>(nullptr);
    dialog->ShowModeless();
    const char* headings[] = {"Health", "Work", "Family", "Exercise", "Sleep", "Mood"};
    for (int i = 0; i < 6; ++i)
        framework::TEdit(dialog.get(), resources::headings_ids::HeadingBox(i)).SetText(headings[i]);
    return dialog;
}

// The entry dialogs open for a fixed day, Friday 14 October 2011, with the
// example headings above, so the pictures do not change with the clock.
void SetExampleDay() {
    constexpr dates::Instant kExampleDay = 1318593600;  // 14/10/11 12:00:00 UTC
    session::AppValues& values = session::Values();
    values.todayPreference = true;
    values.todayInstant = kExampleDay;
    values.yesterdayInstant = kExampleDay - dates::SecondsPerDay;
    values.headings = {"Health", "Work", "Family", "Exercise", "Sleep", "Mood"};
}

// The button entry dialog with a score chosen on each of the six rows.
std::unique_ptr<framework::TDialog> ButtonEntryExample() {
    SetExampleDay();
    auto dialog = std::make_unique<entry::ButtonEntryDialog>(nullptr);
    dialog->ShowModeless();
    const int scores[] = {7, 5, 8, 3, 6, 9};
    for (int row = 0; row < 6; ++row) {
        framework::TRadioButton(dialog.get(),
                                resources::button_entry_ids::ScoreButton(row, scores[row]))
            .SetCheck(true);
    }
    return dialog;
}

// The text entry dialog with a summary, a note under a changed note title,
// and a score.
std::unique_ptr<framework::TDialog> TextEntryExample() {
    SetExampleDay();
    session::Values().noteTitle = "Best Moment of the Day";
    auto dialog = std::make_unique<entry::TextEntryDialog>(nullptr);
    dialog->ShowModeless();
    framework::TEdit(dialog.get(), resources::text_entry_ids::kSummaryBox)
        .SetText(
            "Walked the coast path in the morning sunshine, then lunch with Anna at the "
            "harbour caf\xE9.\r\nSpent the afternoon clearing out the garden shed and "
            "found Dad's old fishing rods.");
    framework::TEdit(dialog.get(), resources::text_entry_ids::kNoteBox)
        .SetText("Seals basking on the rocks");
    framework::TRadioButton(dialog.get(), resources::text_entry_ids::ScoreButton(8)).SetCheck(true);
    return dialog;
}

}  // namespace

const std::vector<ExamplePicture>& ExamplePictures() {
    static const std::vector<ExamplePicture> pictures = {
        {resources::kHeadingsPicture, QSize(371, 327), HeadingsExample},
        {resources::kButtonEntryPicture, QSize(515, 368), ButtonEntryExample},
        {resources::kTextEntryPicture, QSize(613, 370), TextEntryExample},
    };
    return pictures;
}

}  // namespace pictures
