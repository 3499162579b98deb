#pragma once
// The texts the entry dialogs compose: the heading and today-box label that
// name the day of the entry, and the messages they raise. Plain functions
// over values; every text is Windows-1252 bytes, ready for a control or a
// message box.

#include <cstddef>
#include <string>
#include <string_view>

#include "dates/DiaryDates.h"
#include "platform/Status.h"

namespace entry {

// The heading at the top of an entry dialog and the label beside its today box.
struct DayTexts {
    std::string heading;
    std::string label;

    bool operator==(const DayTexts&) const = default;
};

// The text entry dialog as it opens: "Enter Events for: <long date>" of
// today (forToday) or of yesterday, with a label offering the other day.
DayTexts TextEntryOpening(bool forToday, dates::Instant today, dates::Instant yesterday);
// The button entry dialog as it opens, in its own wording: "Enter news for:
// <long date>" and "I wish to enter ... news".
DayTexts ButtonEntryOpening(bool forToday, dates::Instant today, dates::Instant yesterday);
// What both entry dialogs show once the today box has been clicked: checked,
// "OK, Enter Events for TODAY!  (dd Month)" of today (the day right-aligned
// in two places); unchecked, "Enter Events for Yesterday".
DayTexts TodayBoxTexts(bool checked, dates::Instant today);

// The heading while an accepted special date is in force: "Entry for <text
// as typed>".
std::string SpecialDateHeading(std::string_view dateText);

// The name a screen reader gives the button for score in the row of a
// subject heading: "<heading>, score <score>", or "Subject heading <row +
// 1>, score <score>" when the heading holds no letter or digit.
std::string ScoreButtonName(std::string_view heading, std::size_t row, int score);

// Shown by both the main window and the text entry dialog when a button
// entry is asked for before the first subject heading is set.
inline constexpr char kNoHeadingsMessage[] =
    "You have not yet set and headings for Button entries\n"
    "Use the 'Setup' option to do this";

// Caption and text refusing a summary and note that do not fit together in
// one entry; toRemove > 0 is how many characters must go.
inline constexpr char kTooLongCaption[] = "Entry Too Long";
std::string TooLongMessage(std::size_t toRemove);

// Tells that the entry was stored but its day could not be noted as the day
// of the last entry, and why. REQUIRES: !failure.ok().
std::string LastDateNotWrittenMessage(const platform::Status& failure);
// Tells that the entry was stored but the disk failed to confirm it is kept,
// and why. REQUIRES: !failure.ok().
std::string NotConfirmedMessage(const platform::Status& failure);

}  // namespace entry
