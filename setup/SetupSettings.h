#pragma once
// What the setup dialogs store: the entry preference, the six subject
// headings and the note title. Plain functions over values, so they run
// without a window; the dialogs only gather the texts and report the outcome.
// Every write goes to the settings file at once, one key at a time.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Status.h"
#include "session/AppValues.h"

namespace setup {

// A heading is stored as at most this many bytes of what was typed.
inline constexpr std::size_t kHeadingSaveLength = 23;
// The note title is kept and stored as at most this many bytes.
inline constexpr std::size_t kNoteTitleSaveLength = 79;

using HeadingTexts = std::array<std::string, session::kHeadingCount>;

// Writes Default ("TEXT" when preferText, else "KEYS"), then ToDay ("ToDay"
// when forToday, else "No"). Stops at the first write that fails and returns
// its status. The today preference in memory is left alone: it is read again
// at the next start.
platform::Status SaveEntryPreference(bool preferText, bool forToday);

// Whether the headings dialog shows the headings in memory: only when the
// stored second heading (Head1) holds a letter or digit.
bool StoredHeadingsShown();

struct HeadingsSaveResult {
    enum class Outcome {
        kSaved,         // all six checked and written
        kBlankHeading,  // heading `index` holds no letter or digit
        kNotWritten,    // writing heading `index` failed: see status
    };
    Outcome outcome = Outcome::kSaved;
    std::size_t index = 0;
    platform::Status status;
};

// For each heading in order: copies at most kHeadingSaveLength bytes of its
// box text into its slot; stops at a slot with no letter or digit, which
// keeps the rejected text (the headings before it stay written, the ones
// after it untouched); otherwise writes the slot under its key. When a write
// fails, the slot gets its old text back and the function stops: a heading
// the file could not take is not used for the rest of the run either.
HeadingsSaveResult SaveSubjectHeadings(const HeadingTexts& boxTexts, HeadingTexts& slots);

// Stores at most kNoteTitleSaveLength bytes of boxText under TextTit (an
// empty text is stored as such) and, once written, makes it the note title
// in memory. On failure the note title is left as it was.
platform::Status SaveNoteTitle(std::string_view boxText, std::string& noteTitle);

}  // namespace setup
