// The two rules built on day-end values: which dates an entry may be made
// for, and which records a report between two dates lists.

#include <limits>
#include <string>
#include <utility>

#include "dates/DiaryDates.h"

namespace dates {
namespace {

// a - b for b >= 0, held at the lowest instant instead of overflowing.
Instant SubtractSaturating(Instant a, Instant b) {
    constexpr Instant kLowest = std::numeric_limits<Instant>::min();
    return a < kLowest + b ? kLowest : a - b;
}

SpecialDateCheck Refused(Instant value, std::string message, const char* caption) {
    return SpecialDateCheck{false, value, std::move(message), caption};
}

}  // namespace

SpecialDateCheck CheckSpecialDate(std::string_view text, Instant now) {
    const Instant yesterday = SubtractSaturating(now, SecondsPerDay);
    const Instant value = ParseDiaryDate(text);
    if (value >= yesterday) {
        return Refused(value, "Date must be earlier than " + FormatShortDate(yesterday),
                       "Date Not Allowed");
    }
    if (value < EarliestDiaryDate) {
        return Refused(value, "Date must be later Jan 1st 2005", "Date Not Allowd");
    }
    return SpecialDateCheck{true, value, {}, {}};
}

bool InReportRange(Instant key, Instant startValue, Instant endValue) {
    return SubtractSaturating(startValue, SecondsPerDay) <= key && key <= endValue;
}

}  // namespace dates
