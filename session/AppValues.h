#pragma once
// The values held for the whole run and shared by the dialogs. Start-up
// fills most of them once; the setup dialogs, the special date dialog and
// the event reports change the rest as they go. Texts are Windows-1252 bytes.

#include <array>
#include <string>

#include "dates/DiaryDates.h"

namespace session {

inline constexpr std::size_t kHeadingCount = 6;
inline constexpr std::size_t kHeadingSlotLength = 36;  // a slot of 37 with its terminator
inline constexpr std::size_t kNoteTitleLength = 80;    // 81 with its terminator
inline constexpr char kDefaultNoteTitle[] = "Most Memorable Event";

struct AppValues {
    bool autoMode = false;
    // The process's current directory at start-up, whole.
    std::string dataDirectory;
    // True when entries are for today unless changed, false for yesterday.
    bool todayPreference = false;
    dates::Instant todayInstant = 0;
    dates::Instant yesterdayInstant = 0;
    std::string todayCompactDate;  // "ddmmyy": what LastDate is set to
    std::string todayShortDate;    // "dd/mm/yy": the reports' default end date
    std::array<std::string, kHeadingCount> headings;
    std::string noteTitle = kDefaultNoteTitle;
    // What the special date dialog last read (text as typed, at most 10
    // bytes; its day-end value).
    std::string specialDateText;
    dates::Instant specialDateValue = 0;
    // Lines written to the listing file after its heading by the last Show
    // Results; what the print run prints.
    int listingLineCount = 0;
};

// The process's one set of values.
AppValues& Values();
// Back to the values of a program that has not started (tests).
void ResetValues();

}  // namespace session
