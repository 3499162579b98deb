// The clock, local time and the date texts shown to the user.

#include "dates/DiaryDates.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "platform/Env.h"

namespace dates {

const char* const WeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
const char* const MonthNames[12] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};

namespace {

// Instants handed to the C library are held to years 1..9999 (UTC): far
// beyond any diary date, and safely inside what localtime_r can convert, so
// every instant has a local time and every field fits an int.
constexpr Instant kEarliestConvertible = -62135596800;  // 0001-01-01 00:00:00
constexpr Instant kLatestConvertible = 253402300799;    // 9999-12-31 23:59:59

// Large enough for the longest text any of the formats below can make from
// int fields, so no text is ever cut.
constexpr std::size_t kFormatBuffer = 96;

int TwoDigitYear(const LocalTime& local) {
    return local.year - 2000;
}

// Days from 1970-01-01 to a calendar date.
std::int64_t DayNumber(int year, int month, int day) {
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    return std::chrono::sys_days(date).time_since_epoch().count();
}

std::int64_t LocalDayNumber(Instant t) {
    const LocalTime local = ToLocalTime(t);
    return DayNumber(local.year, local.month, local.day);
}

// Local days whose starts are looked for: two days inside the convertible
// range at each end, so that every zone's offset keeps the search inside it.
constexpr std::int64_t kFirstSearchedDay = kEarliestConvertible / SecondsPerDay + 2;
constexpr std::int64_t kLastSearchedDay = kLatestConvertible / SecondsPerDay - 2;
// Farther than any zone's offset from UTC, daylight saving included.
constexpr Instant kSearchReach = 30 * 3600;

}  // namespace

Instant CurrentInstant() {
    return platform::Env::Default()->NowSeconds();
}

LocalTime ToLocalTime(Instant t) {
    const time_t clamped =
        static_cast<time_t>(std::clamp(t, kEarliestConvertible, kLatestConvertible));
    tzset();  // localtime_r need not re-read TZ by itself
    struct tm fields {};
    LocalTime local;
    if (localtime_r(&clamped, &fields) == nullptr) {
        return local;
    }
    local.year = fields.tm_year + 1900;
    local.month = fields.tm_mon + 1;
    local.day = fields.tm_mday;
    local.hour = fields.tm_hour;
    local.minute = fields.tm_min;
    local.second = fields.tm_sec;
    local.weekday = fields.tm_wday;
    return local;
}

// The local date never goes back as the instant grows, so the first instant
// of a local day is found by halving an interval around the day's UTC
// midnight, whatever the zone and its clock changes; where a change skips
// midnight, the day starts when the change ends.
Instant LocalDayStart(Instant dayEndValue) {
    const std::int64_t daysToEnd =
        dayEndValue / SecondsPerDay - (dayEndValue % SecondsPerDay < 0 ? 1 : 0);
    const std::int64_t day = daysToEnd - 1;
    if (day < kFirstSearchedDay) return std::numeric_limits<Instant>::min();
    if (day > kLastSearchedDay) return std::numeric_limits<Instant>::max();
    Instant before = day * SecondsPerDay - kSearchReach;     // on an earlier local day
    Instant onOrAfter = day * SecondsPerDay + kSearchReach;  // on this day or a later one
    while (onOrAfter - before > 1) {
        const Instant middle = before + (onOrAfter - before) / 2;
        (LocalDayNumber(middle) < day ? before : onOrAfter) = middle;
    }
    return onOrAfter;
}

Instant LocalDayEndValue(Instant t) {
    return (LocalDayNumber(t) + 1) * SecondsPerDay;
}

std::string FormatShortDate(Instant t) {
    const LocalTime local = ToLocalTime(t);
    char text[kFormatBuffer];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", local.day, local.month, TwoDigitYear(local));
    return text;
}

std::string FormatCompactDate(Instant t) {
    const LocalTime local = ToLocalTime(t);
    char text[kFormatBuffer];
    std::snprintf(text, sizeof text, "%02d%02d%02d", local.day, local.month, TwoDigitYear(local));
    return text;
}

std::string FormatStamp(Instant t) {
    const LocalTime local = ToLocalTime(t);
    char text[kFormatBuffer];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d @ %02d:%02d:%02d", local.day, local.month,
                  TwoDigitYear(local), local.hour, local.minute, local.second);
    return text;
}

std::string FormatLongDate(Instant t) {
    const LocalTime local = ToLocalTime(t);
    char text[kFormatBuffer];
    std::snprintf(text, sizeof text, "%s %02d %s %02d", WeekdayNames[local.weekday], local.day,
                  MonthNames[local.month - 1], local.year);
    return text;
}

}  // namespace dates
