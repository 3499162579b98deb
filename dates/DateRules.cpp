// The rules built on typed dates: which dates an entry may be made for, how a
// text that is not a date is refused, and which records a report between two
// dates lists. Days are the user's local days.

#include <limits>
#include <string>
#include <utility>

#include "dates/DiaryDates.h"

namespace dates {
namespace {

constexpr Instant kLowest = std::numeric_limits<Instant>::min();
constexpr Instant kHighest = std::numeric_limits<Instant>::max();

SpecialDateCheck Refused(Instant value, std::string message, const char* caption) {
    return SpecialDateCheck{false, value, std::move(message), caption};
}

}  // namespace

std::string NotADateMessage(std::string_view field, std::string_view text,
                            std::string_view problem) {
    constexpr char kForm[] = ".\nPlease type it as dd/mm/yy, day first, for example 25/12/10.";
    const std::string name = field.empty() ? "date" : std::string(field);
    if (text.find_first_not_of(" \t") == text.npos) {
        return "No " + name + " was typed" + kForm;
    }
    const std::string what = field.empty() ? "" : "The " + name + " ";
    return what + "\"" + std::string(text) + "\" is not a date: " + std::string(problem) + kForm;
}

SpecialDateCheck CheckSpecialDate(std::string_view text, Instant now) {
    const Instant value = ParseDiaryDate(text);
    const TypedDate typed = ReadTypedDate(text);
    if (!typed.ok) {
        return Refused(value, NotADateMessage({}, text, typed.problem), kNotADateCaption);
    }
    // Day-end values name calendar days, so comparing them compares days.
    const Instant yesterdayEnd = LocalDayEndValue(now) - SecondsPerDay;
    if (value >= yesterdayEnd) {
        return Refused(value,
                       "Date must be earlier than " + FormatShortDate(LocalDayStart(yesterdayEnd)),
                       "Date Not Allowed");
    }
    if (value < EarliestDiaryDate) {
        return Refused(value, "Date must be later Jan 1st 2005", "Date Not Allowd");
    }
    return SpecialDateCheck{true, value, {}, {}};
}

// The end day's last second is the one before the next day starts; a day
// outside the calendar starts at one of its ends, which stays that end.
InstantRange ReportInstants(Instant startValue, Instant endValue) {
    const Instant afterEnd =
        endValue > kHighest - SecondsPerDay ? kHighest : endValue + SecondsPerDay;
    const Instant next = LocalDayStart(afterEnd);
    const Instant last = next == kLowest || next == kHighest ? next : next - 1;
    return InstantRange{LocalDayStart(startValue), last};
}

bool InReportRange(Instant key, Instant startValue, Instant endValue) {
    return ReportInstants(startValue, endValue).Holds(key);
}

}  // namespace dates
