#include "entry/EntryRules.h"

#include "dates/TextOps.h"
#include "session/AppValues.h"
#include "store/Diary.h"
#include "store/EntryRecord.h"

namespace entry {

dates::Instant EntryInstant(bool forToday, std::optional<dates::Instant> specialDateValue,
                            dates::Instant now) {
    if (specialDateValue) return dates::LocalDayStart(*specialDateValue);
    return forToday ? now : now - dates::SecondsPerDay;
}

std::size_t CharactersToRemove(std::string_view summary, std::string_view note) {
    const std::size_t composed = store::ComposeTextEntry(summary, note).size();
    // What follows the last typed byte: "  = )" after a summary alone, ")"
    // after a note.
    const std::size_t cuttableTail = note.empty() ? composed - summary.size() : 1;
    const std::size_t needed = composed - cuttableTail;
    return needed > store::MaxTextLength ? needed - store::MaxTextLength : 0;
}

int ScoreOf(const std::vector<bool>& on) {
    for (std::size_t k = 0; k < on.size(); ++k) {
        if (on[k]) return static_cast<int>(k);
    }
    return -1;
}

std::string NoteTitleFromSetting(std::string_view stored, std::string current) {
    if (!dates::HasLetterOrDigit(stored)) return current;
    return std::string(stored.substr(0, session::kNoteTitleLength));
}

}  // namespace entry
