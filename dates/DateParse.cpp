// Turning a typed "dd/mm/yy" into its day-end value.
//
// ParseDiaryDate is the loose reading: the value is counted without any
// time-zone offset, and no part of the date is checked against its range:
// day 0 is the last day of the previous month, month 13 counts a whole year
// of months, a negative year part is read as it stands. Arithmetic runs in 64
// bits and each part is held to the range of a 32-bit int, so no text,
// however long or odd, can overflow it. ReadTypedDate is the strict reading
// every typed date goes through first, so that no impossible date is moved
// to another day without the user seeing it.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

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

// A number read from a part of a typed date, and how many digits it had.
struct Number {
    std::int64_t value = 0;
    std::size_t digits = 0;
};

// The leading decimal number of text after optional white space and an
// optional sign, or 0 when there is none. A number beyond the range of a
// 32-bit int reads as the nearest end of that range.
Number LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    Number number;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++number.digits) {
        number.value = std::min(number.value * 10 + (text[i] - '0'), kLargestPart + 1);
    }
    number.value =
        negative ? std::max(-number.value, kSmallestPart) : std::min(number.value, kLargestPart);
    return number;
}

// A year written with four digits or more is the year itself; a shorter one
// counts from 1900, below 50 from 2000.
std::int64_t FullYear(const Number& year) {
    if (year.digits >= 4) return year.value;
    return 1900 + (year.value < 50 ? year.value + 100 : year.value);
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

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view WithoutBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The number a part of a strictly typed date holds: its digits with the
// blanks around them, one or two of them, or for the year also four. Sets
// *problem and returns -1 when the part is not such a number.
int PartNumber(std::string_view part, const char* name, bool isYear, std::string* problem) {
    const std::string_view digits = WithoutBlanks(part);
    if (digits.empty()) {
        *problem = std::string("the ") + name + " is missing";
        return -1;
    }
    if (!std::all_of(digits.begin(), digits.end(), IsDigit)) {
        *problem = std::string("the ") + name + " must be written in digits";
        return -1;
    }
    if (isYear ? digits.size() == 3 || digits.size() > 4 : digits.size() > 2) {
        *problem = isYear ? "the year must have two digits or four"
                          : std::string("the ") + name + " must have one or two digits";
        return -1;
    }
    int number = 0;
    for (char c : digits) number = number * 10 + (c - '0');
    return number;
}

}  // namespace

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

Instant ParseDiaryDate(std::string_view text) {
    const std::string rest = TextAfter(text, "/");
    const std::int64_t day = LeadingNumber(TextBefore(text, "/")).value;
    const std::int64_t month = LeadingNumber(TextBefore(rest, "/")).value;
    const std::int64_t year = FullYear(LeadingNumber(TextAfter(rest, "/")));
    return StartOfYear(year) + MonthsBefore(month, IsLeapYear(year)) + day * SecondsPerDay;
}

TypedDate ReadTypedDate(std::string_view text) {
    TypedDate date;
    if (WithoutBlanks(text).empty()) {
        date.problem = "no date was typed";
        return date;
    }
    if (std::count(text.begin(), text.end(), '/') != 2) {
        date.problem = "the day, the month and the year must be separated by /";
        return date;
    }
    const std::size_t first = text.find('/');
    const std::size_t second = text.find('/', first + 1);
    const std::string_view yearPart = text.substr(second + 1);
    const int day = PartNumber(text.substr(0, first), "day", false, &date.problem);
    if (day < 0) return date;
    const int month =
        PartNumber(text.substr(first + 1, second - first - 1), "month", false, &date.problem);
    if (month < 0) return date;
    const int typedYear = PartNumber(yearPart, "year", true, &date.problem);
    if (typedYear < 0) return date;
    if (month < 1 || month > 12) {
        date.problem = "there is no month " + std::to_string(month);
        return date;
    }
    const std::int64_t year = FullYear({typedYear, WithoutBlanks(yearPart).size()});
    const int days = DaysInMonth(month, IsLeapYear(year));
    if (day < 1 || day > days) {
        date.problem = day < 1 ? "there is no day 0"
                               : std::string(MonthNames[month - 1]) + " " + std::to_string(year) +
                                     " has only " + std::to_string(days) + " days";
        return date;
    }
    date.ok = true;
    date.value = ParseDiaryDate(text);
    return date;
}

}  // namespace dates
