#pragma once
// Instants and the diary's date texts and date rules.
//
// An instant is a count of seconds since 1970-01-01 00:00:00 UTC, held in 64
// bits so that no date arithmetic overflows (a record's Key stores it in 32).
// Local date and time come from the C library's local-time conversion, so the
// TZ environment variable is honoured.
//
// A typed date "dd/mm/yy" stands for its day-end value: the seconds from
// 1970-01-01 00:00:00 to 00:00:00 of the following day, counted without any
// time-zone offset (see ParseDiaryDate). A day-end value names a calendar
// day; the user's days are local days, so whatever looks for the instants of
// that day goes through LocalDayStart.

#include <cstdint>
#include <string>
#include <string_view>

namespace dates {

using Instant = std::int64_t;

inline constexpr Instant SecondsPerDay = 86400;
// Day-end value of "01/01/05": the first day an entry may be made for.
inline constexpr Instant EarliestDiaryDate = 1104624000;

extern const char* const WeekdayNames[7];  // index 0 = Sunday
extern const char* const MonthNames[12];   // index 0 = January

// The current instant, from the process-wide Env's clock.
Instant CurrentInstant();

// Local calendar fields of an instant.
struct LocalTime {
    int year = 1970;  // full year, e.g. 2014
    int month = 1;    // 1..12
    int day = 1;      // 1..31
    int hour = 0, minute = 0, second = 0;
    int weekday = 4;  // 0 = Sunday
};
LocalTime ToLocalTime(Instant t);

// "dd/mm/yy", e.g. "07/12/14". The year is printed as year - 2000, at least
// two digits.
std::string FormatShortDate(Instant t);
// "ddmmyy", e.g. "071214".
std::string FormatCompactDate(Instant t);
// "dd/mm/yy @ hh:mm:ss", e.g. "07/12/14 @ 21:05:09".
std::string FormatStamp(Instant t);
// "Sunday 07 December 2014".
std::string FormatLongDate(Instant t);

bool IsLeapYear(std::int64_t year);

// The day-end value of a typed date. Never fails: each of the three parts
// (split at the first and second "/") is read as its leading decimal number
// (0 when it has none); a year written with four digits or more is that
// year, a shorter one below 50 is 20yy and any other 19yy; no part is
// checked against its range (day 0 is the last day of the previous month,
// month 13 counts a whole year of months). Texts that ReadTypedDate accepts
// are read as the days they name.
Instant ParseDiaryDate(std::string_view text);

// A date as the user types one, read strictly.
struct TypedDate {
    bool ok = false;
    Instant value = 0;    // the day-end value, when ok
    std::string problem;  // when not ok, what is wrong: "there is no month 13"
};
// Accepts the day, the month and the year separated by "/", each in digits
// with blanks around them allowed: day and month of one or two digits, the
// year of one or two (read as ParseDiaryDate reads them) or of four (the
// year itself); and only a day the calendar has.
TypedDate ReadTypedDate(std::string_view text);

// Caption of every refusal of a typed date that is not a date.
inline constexpr char kNotADateCaption[] = "Date Not Allowed";
// The refusal of a text that ReadTypedDate does not accept: what is wrong
// and the form to use. field names the box ("start date") or is empty.
std::string NotADateMessage(std::string_view field, std::string_view text,
                            std::string_view problem);

// The first instant of the local day whose day-end value is given (its
// midnight, or the end of a clock change that skips midnight). Day-end
// values far outside the calendar are held to its ends.
Instant LocalDayStart(Instant dayEndValue);
// The day-end value of the local date of t.
Instant LocalDayEndValue(Instant t);

// The outcome of checking a special date typed by the user.
struct SpecialDateCheck {
    bool accepted = false;
    Instant value = 0;    // ParseDiaryDate(text), whatever the outcome
    std::string message;  // refusal text; empty when accepted
    std::string caption;  // refusal caption; empty when accepted
};
// A text that ReadTypedDate refuses is refused with NotADateMessage under
// kNotADateCaption. Of real days, those from 01/01/05 up to the day before
// the local yesterday of now are accepted; later ones are refused with "Date
// must be earlier than %s" (the local yesterday as dd/mm/yy) under "Date Not
// Allowed", earlier ones with "Date must be later Jan 1st 2005" under "Date
// Not Allowd".
SpecialDateCheck CheckSpecialDate(std::string_view text, Instant now);

// The instants from first to last, both included; empty when first > last.
struct InstantRange {
    Instant first = 0;
    Instant last = -1;
    bool Holds(Instant t) const { return first <= t && t <= last; }
};
// The instants of a report between two typed dates given their day-end
// values: from the start of the start day to the last second of the end
// day, both local days.
InstantRange ReportInstants(Instant startValue, Instant endValue);
// Whether a record with this key belongs in that report.
bool InReportRange(Instant key, Instant startValue, Instant endValue);

}  // namespace dates
