// Turning a typed "dd/mm/yy" into its day-end value.
//
// The value is counted without any time-zone offset, and no part of the date
// is checked against its range: day 0 is the last day of the previous month,
// month 13 counts a whole year of months, a negative year part is read as it
// stands. Arithmetic runs in 64 bits and each part is held to the range of a
// 32-bit int, so no text, however long or odd, can overflow it.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "dates/DiaryDates.h"
#include "dates/TextOps.h"

namespace dates {
namespace {

constexpr Instant kSecondsPerYear = 365 * SecondsPerDay;
constexpr std::int64_t kLargestPart = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kSmallestPart = std::numeric_limits<std::int32_t>::min();

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading decimal number of text after optional white space and an
// optional sign, or 0 when there is none. A number beyond the range of a
// 32-bit int reads as the nearest end of that range.
std::int64_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLargestPart + 1);
    }
    return negative ? std::max(-magnitude, kSmallestPart) : std::min(magnitude, kLargestPart);
}

// a / b rounded towards minus infinity (b > 0).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && a < 0) ? 1 : 0);
}

// Leap years among 1..year, extended to every year so that
// LeapsThrough(b) - LeapsThrough(a - 1) counts the leap years in [a, b]
// whichever side of zero they lie.
std::int64_t LeapsThrough(std::int64_t year) {
    return FloorDiv(year, 4) - FloorDiv(year, 100) + FloorDiv(year, 400);
}

// Seconds from 1970-01-01 to 1 January of year; negative before 1970.
Instant StartOfYear(std::int64_t year) {
    const std::int64_t leapDays = LeapsThrough(year - 1) - LeapsThrough(1969);
    return (year - 1970) * kSecondsPerYear + leapDays * SecondsPerDay;
}

int DaysInMonth(int month, bool leapYear) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear ? 29 : kDays[month - 1];
}

// Seconds in the months before month; months beyond December add nothing.
Instant MonthsBefore(std::int64_t month, bool leapYear) {
    Instant seconds = 0;
    for (int k = 1; k < month && k <= 12; ++k) {
        seconds += DaysInMonth(k, leapYear) * SecondsPerDay;
    }
    return seconds;
}

}  // namespace

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

Instant ParseDiaryDate(std::string_view text) {
    const std::string rest = TextAfter(text, "/");
    const std::int64_t day = LeadingNumber(TextBefore(text, "/"));
    const std::int64_t month = LeadingNumber(TextBefore(rest, "/"));
    std::int64_t yearsSince1900 = LeadingNumber(TextAfter(rest, "/"));
    if (yearsSince1900 < 50) yearsSince1900 += 100;
    const std::int64_t year = 1900 + yearsSince1900;
    return StartOfYear(year) + MonthsBefore(month, IsLeapYear(year)) + day * SecondsPerDay;
}

}  // namespace dates
