#include "entry/EntryRules.h"

namespace entry {

dates::Instant EntryInstant(bool forToday, std::optional<dates::Instant> specialDateValue,
                            dates::Instant now) {
    if (specialDateValue) return dates::LocalDayStart(*specialDateValue);
    return forToday ? now : now - dates::SecondsPerDay;
}

int ScoreOf(const std::vector<bool>& on) {
    for (std::size_t k = 0; k < on.size(); ++k) {
        if (on[k]) return static_cast<int>(k);
    }
    return -1;
}

}  // namespace entry
