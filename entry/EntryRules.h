#pragma once
// The rules the entry dialogs apply to what the user chose and typed: the
// instant an entry is stored under, whether a text entry fits its record,
// the score a row of buttons gives, and the note title. Plain functions over
// values, so they run without a window.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dates/DiaryDates.h"
#include "session/NoteTitle.h"
#include "store/TextFit.h"

namespace entry {

// Text limits of the text entry dialog's boxes, counting the terminating NUL
// as the stored fields do: the summary takes 499 bytes (a line break takes
// two), the note 79.
inline constexpr int kSummaryTextLimit = 500;
inline constexpr int kNoteTextLimit = 80;
// Bytes of the note box that go into an entry.
inline constexpr std::size_t kNoteLength = 79;
// Capacity of the read of the stored note title (TextTit).
using session::kNoteTitleCapacity;
// Bytes the special date box takes, all of them read and checked: enough for
// a four-digit year ("25/12/2010"). The limit counts the terminating NUL.
inline constexpr std::size_t kSpecialDateLength = 10;
inline constexpr int kSpecialDateTextLimit = static_cast<int>(kSpecialDateLength) + 1;

// The instant an entry is stored under (its Key). specialDateValue is the
// day-end value of an accepted special date, given only while the
// other-date box is checked: the entry is for the start of that local day,
// so its stamp shows the date as typed. Without one, forToday gives now and
// otherwise yesterday, now less one day.
dates::Instant EntryInstant(bool forToday, std::optional<dates::Instant> specialDateValue,
                            dates::Instant now);

// How many bytes of summary and note must go before a text entry holds them
// whole, or 0 when it does (the store's rule, shared with jotwel-tool).
using store::CharactersToRemove;

// The score a row of score buttons gives: the index of the first button that
// is on, or -1 when none is.
int ScoreOf(const std::vector<bool>& on);

// The note title after the stored title (TextTit) was read (the rule is
// the session's, shared with jotwel-tool).
using session::NoteTitleFromSetting;

}  // namespace entry
