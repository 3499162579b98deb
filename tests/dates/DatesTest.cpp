// Dates as the diary shows and reads them, the days entries and reports may
// use (the user's local days), and the small text operations. Expected
// instants come from the calendar (timegm, or worked out by hand) or an
// independent reader of the zone database (Python's zoneinfo), never from
// the code under test.

#include <gtest/gtest.h>
#include <time.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "dates/DiaryDates.h"
#include "dates/TextOps.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

constexpr Instant kHighest = std::numeric_limits<Instant>::max();
constexpr Instant kLowest = std::numeric_limits<Instant>::min();
constexpr const char* kNY = "America/New_York";
constexpr const char* kKiri = "Pacific/Kiritimati";  // +14

// Each case: the stamp, then the long date. The short date is the stamp's
// date part; the compact date drops its slashes.
TEST(DateFormat, ShowsTheLocalDateAndTime) {
    const struct {
        const char* tz;
        Instant at;
        const char* want;
    } cases[] = {
        {.tz = "UTC", .at = 1417986309, .want = "07/12/14 @ 21:05:09, Sunday 07 December 2014"},
        {.tz = kKiri, .at = 1417986309, .want = "08/12/14 @ 11:05:09, Monday 08 December 2014"},
        // The second after clocks go forward at 02:00, and back at 02:00.
        {.tz = kNY, .at = 1394348400, .want = "09/03/14 @ 03:00:00, Sunday 09 March 2014"},
        {.tz = kNY, .at = 1414908000, .want = "02/11/14 @ 01:00:00, Sunday 02 November 2014"},
        // The two-digit year is the year less 2000.
        {.tz = "UTC", .at = 946684799, .want = "31/12/-1 @ 23:59:59, Friday 31 December 1999"},
        {.tz = "UTC", .at = 2493158400, .want = "02/01/49 @ 00:00:00, Saturday 02 January 2049"},
        // Instants far outside the calendar are held to its ends, which a
        // zone may carry one year further.
        {.tz = "UTC", .at = kHighest, .want = "31/12/7999 @ 23:59:59, Friday 31 December 9999"},
        {.tz = "UTC", .at = kLowest, .want = "01/01/-1999 @ 00:00:00, Monday 01 January 01"},
        {.tz = kKiri, .at = kHighest, .want = "01/01/8000 @ 13:59:59, Saturday 01 January 10000"},
    };
    for (const auto& c : cases) {
        jtest::SetTimeZone(c.tz);
        const std::string want = c.want;
        const std::string shortDate = want.substr(0, want.find(' '));
        std::string compact = shortDate;
        std::erase(compact, '/');
        EXPECT_EQ(FormatStamp(c.at) + ", " + FormatLongDate(c.at), want) << c.tz;
        EXPECT_EQ(FormatShortDate(c.at), shortDate);
        EXPECT_EQ(FormatCompactDate(c.at), compact);
    }
}

// Each year as it can be typed: its four digits, and where it has them its
// two-digit form (50..99 mean 1950..1999) or a shorter count from 2000 (every
// number below 50 gains a century: -1 is 1999).
std::vector<std::string> TypedYears(int year) {
    std::vector<std::string> typed = {std::to_string(year)};
    if (year >= 1950 && year < 2050) typed.push_back(std::to_string(year % 100));
    if (year > 1000 && year < 2000) typed.push_back(std::to_string(year - 2000));
    return typed;
}

Instant CalendarDayEnd(int year, int month, int day) {
    struct tm fields {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    return static_cast<Instant>(timegm(&fields)) + SecondsPerDay;
}

// Years 1000 to 2420 hold every kind of leap year and century.
TEST(ParseDiaryDate, AgreesWithTheCalendarOnBothSidesOf1970) {
    for (int year = 1000; year <= 2420; ++year) {
        for (const std::string& typedYear : TypedYears(year)) {
            for (int month = 1; month <= 12; ++month) {
                for (int day : {0, 1, 28}) {  // day 0 is the last of the month before
                    const std::string text =
                        std::to_string(day) + "/" + std::to_string(month) + "/" + typedYear;
                    ASSERT_EQ(ParseDiaryDate(text), CalendarDayEnd(year, month, day)) << text;
                }
            }
        }
    }
    EXPECT_EQ(ParseDiaryDate(""), 946684800);
}

// Loose writing, rolled-over fields, and absurdly long numbers (held to the
// int range without overflow) read as the plain date on the right.
TEST(ParseDiaryDate, ReadsLooselyWrittenDatesAsTheSameDay) {
    const std::pair<const char*, const char*> cases[] = {
        {" 7/ +3/\t09", "07/03/09"},
        {"7th/3rd/9", "07/03/09"},
        {"no digits", ""},
        {"01/13/05", "01/01/06"},
        {"01/00/05", "01/01/05"},
        {"32/01/05", "01/02/05"},
        {"x7/03/09", "00/03/09"},
        {"5", "05/05/05"},
        {"5/6", "05/06/06"},
        {"01/01/-5", "01/01/95"},
        {"99999999999999999999/01/05", "2147483647/01/05"},
        {"01/01/-99999999999999999999", "01/01/-2147483648"},
    };
    for (const auto& [text, plain] : cases) {
        EXPECT_EQ(ParseDiaryDate(text), ParseDiaryDate(plain)) << '"' << text << '"';
    }
    EXPECT_EQ(ParseDiaryDate("2147483647/01/05"),
              EarliestDiaryDate + Instant{2147483646} * SecondsPerDay);
    EXPECT_LT(ParseDiaryDate("01/01/-2147483648"), ParseDiaryDate("01/01/-1000"));
}

// The strict reading: what is a date, and for what is not, what is wrong.
TEST(ReadTypedDate, AcceptsOnlyRealDaysWrittenDayMonthYear) {
    const std::pair<const char*, const char*> sameDay[] = {
        {"25/12/2010", "25/12/10"}, {" 7 / 3 /\t09 ", "07/03/09"}, {"29/02/00", "29/02/2000"},
        {"31/12/1999", "31/12/99"}, {"01/01/50", "01/01/1950"},    {"31/12/49", "31/12/2049"},
    };
    for (const auto& [text, plain] : sameDay) {
        const TypedDate date = ReadTypedDate(text);
        EXPECT_TRUE(date.ok) << '"' << text << "\": " << date.problem;
        EXPECT_EQ(date.value, ParseDiaryDate(plain)) << text;
    }
    const char* const kSlashes = "the day, the month and the year must be separated by /";
    const std::pair<const char*, const char*> refused[] = {
        // Impossible days, which the loose reading moves to other days.
        {"7/13/10", "there is no month 13"},
        {"29/02/09", "February 2009 has only 28 days"},
        {"31/04/12", "April 2012 has only 30 days"},
        {"29/02/2100", "February 2100 has only 28 days"},
        {"00/01/05", "there is no day 0"},
        {"01/00/05", "there is no month 0"},
        // Other separators and shapes.
        {"25.12.10", kSlashes},
        {"25/12/10/", kSlashes},
        {"//", "the day is missing"},
        {"25/12/ ", "the year is missing"},
        {"007/3/9", "the day must have one or two digits"},
        {"01/01/200", "the year must have two digits or four"},
        {" \t ", "no date was typed"},
    };
    for (const auto& [text, problem] : refused) {
        const TypedDate date = ReadTypedDate(text);
        EXPECT_FALSE(date.ok) << '"' << text << '"';
        EXPECT_EQ(date.problem, problem) << '"' << text << '"';
    }
}

constexpr const char* kPago = "Pacific/Pago_Pago";  // -11
constexpr const char* kNepal = "Asia/Kathmandu";    // +5:45
constexpr const char* kBerlin = "Europe/Berlin";
constexpr const char* kSao = "America/Sao_Paulo";

// One local day: the day before yesterday, yesterday and the day; its first
// instant and the first instant of the next day.
struct LocalDay {
    const char* tz;
    const char* days;
    Instant start;
    Instant next;
};
const LocalDay kDays[] = {
    {.tz = kKiri, .days = "05/12/14 06/12/14 07/12/14", .start = 1417860000, .next = 1417946400},
    {.tz = kPago, .days = "05/12/14 06/12/14 07/12/14", .start = 1417950000, .next = 1418036400},
    {.tz = kNepal, .days = "05/12/14 06/12/14 07/12/14", .start = 1417889700, .next = 1417976100},
    // Clocks go forward and back: days of 23 and 25 hours.
    {.tz = kBerlin, .days = "28/03/14 29/03/14 30/03/14", .start = 1396134000, .next = 1396216800},
    {.tz = kBerlin, .days = "24/10/14 25/10/14 26/10/14", .start = 1414274400, .next = 1414364400},
    // Clocks went forward at midnight: the day began at 01:00.
    {.tz = kSao, .days = "17/10/14 18/10/14 19/10/14", .start = 1413687600, .next = 1413770400},
};

// A day runs from its local start to the next day's start; a report of one
// day lists the keys of that local day to the second. At the first and the last
// second of the day, the day before yesterday is the latest date an entry
// may be made for; yesterday and today are refused naming yesterday.
TEST(LocalDays, BoundTheDayTheReportsAndTheAllowedDates) {
    for (const LocalDay& day : kDays) {
        jtest::SetTimeZone(day.tz);
        const std::string days = day.days;
        const std::string dayBefore = days.substr(0, 8), yesterday = days.substr(9, 8);
        const std::string date = days.substr(18);
        SCOPED_TRACE(std::string(day.tz) + " " + date);
        const Instant value = ParseDiaryDate(date);
        EXPECT_EQ(LocalDayStart(value), day.start);
        EXPECT_EQ(LocalDayStart(value + SecondsPerDay), day.next);
        for (Instant t : {day.start, day.next - 1}) EXPECT_EQ(LocalDayEndValue(t), value);
        EXPECT_EQ(LocalDayEndValue(day.start - 1), value - SecondsPerDay);
        EXPECT_EQ(LocalDayEndValue(day.next), value + SecondsPerDay);

        EXPECT_EQ(ReportInstants(value, value).first, day.start);
        EXPECT_EQ(ReportInstants(value, value).last, day.next - 1);
        const std::pair<Instant, bool> keys[] = {
            {day.start - 1, false}, {day.start, true}, {day.next - 1, true}, {day.next, false}};
        for (const auto& [key, inside] : keys) {
            EXPECT_EQ(InReportRange(key, value, value), inside) << key;
        }
        EXPECT_FALSE(InReportRange(day.start, value, value - SecondsPerDay));  // start after end

        for (Instant now : {day.start, day.next - 1}) {
            EXPECT_TRUE(CheckSpecialDate(dayBefore, now).accepted) << now;
            for (const std::string& late : {yesterday, date}) {
                const SpecialDateCheck check = CheckSpecialDate(late, now);
                EXPECT_FALSE(check.accepted) << late;
                EXPECT_EQ(check.message, "Date must be earlier than " + yesterday);
                EXPECT_EQ(check.caption, "Date Not Allowed");
            }
        }
    }
}

TEST(InReportRange, DaysBeyondTheCalendarHoldEverythingOnTheirSide) {
    const Instant to2040 = ParseDiaryDate("31/12/40");
    ASSERT_GT(to2040, Instant{INT32_MAX});
    EXPECT_TRUE(InReportRange(INT32_MAX, ParseDiaryDate("01/01/05"), to2040));
    EXPECT_FALSE(InReportRange(1104537599, ParseDiaryDate("01/01/05"), to2040));
    EXPECT_TRUE(InReportRange(kLowest, kLowest, kHighest));
    EXPECT_TRUE(InReportRange(kHighest, kLowest, kHighest));
    EXPECT_FALSE(InReportRange(0, kHighest, kHighest));
    EXPECT_FALSE(InReportRange(0, kLowest, kLowest));
    // The first and the last days searched for their start still start at midnight.
    constexpr Instant kYear1 = -62135596800, kYear10000 = 253402300800;
    EXPECT_EQ(LocalDayStart(kYear1 + 3 * SecondsPerDay), kYear1 + 2 * SecondsPerDay);
    EXPECT_EQ(LocalDayStart(kYear10000 - 2 * SecondsPerDay), kYear10000 - 3 * SecondsPerDay);
}

// What is not a real day is refused as such, whatever day the loose reading
// would make of it; real days keep their refusals. The value is the loose
// reading's in every case.
TEST(CheckSpecialDate, RefusesWhatIsNotADateWithItsOwnMessage) {
    const Instant now = 1394452800;  // 10/03/14 12:00 (UTC)
    const std::string kEarly = "Date must be later Jan 1st 2005";
    const std::string kHint = "\nPlease type it as dd/mm/yy, day first, for example 25/12/10.";
    const std::string kNot = "Date Not Allowed";
    const struct {
        const char* text;
        std::string message;
        std::string caption;
    } cases[] = {
        {.text = "01/01/05", .message = "", .caption = ""},
        {.text = "31/12/04", .message = kEarly, .caption = "Date Not Allowd"},
        {.text = "31/02/26",
         .message = "\"31/02/26\" is not a date: February 2026 has only 28 days." + kHint,
         .caption = kNot},
        {.text = " ", .message = "No date was typed." + kHint, .caption = kNot},
    };
    for (const auto& c : cases) {
        const SpecialDateCheck check = CheckSpecialDate(c.text, now);
        EXPECT_EQ(check.accepted, c.message.empty()) << c.text;
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.caption, c.caption);
        EXPECT_EQ(check.value, ParseDiaryDate(c.text));
    }
    EXPECT_EQ(NotADateMessage("start date", "7/13/10", "there is no month 13"),
              "The start date \"7/13/10\" is not a date: there is no month 13." + kHint);
    EXPECT_FALSE(CheckSpecialDate("01/01/05", kLowest).accepted);
}

TEST(TextSplit, FindsAndCutsAtTheFirstSeparatorOrKeepsTheWholeText) {
    const struct {
        const char* text;
        const char* separator;
        int at;
        const char* before;
        const char* after;
    } cases[] = {
        {.text = "07/12/14", .separator = "/", .at = 2, .before = "07", .after = "12/14"},
        {.text = "071214", .separator = "/", .at = -1, .before = "071214", .after = "071214"},
        {.text = "/12", .separator = "/", .at = 0, .before = "", .after = "12"},
        {.text = "text", .separator = "", .at = -1, .before = "text", .after = "text"},
        {.text = "aab", .separator = "ab", .at = 1, .before = "a", .after = ""},
        {.text = "Abc", .separator = "a", .at = -1, .before = "Abc", .after = "Abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text, c.separator), c.at) << c.text << " / " << c.separator;
        EXPECT_EQ(TextBefore(c.text, c.separator), c.before) << c.text;
        EXPECT_EQ(TextAfter(c.text, c.separator), c.after) << c.text;
    }
}

TEST(HasLetterOrDigit, CountsOnlyAsciiLettersAndDigits) {
    const struct {
        std::string text;
        bool has;
    } cases[] = {
        {.text = "", .has = false},
        {.text = "\xC9\xE9\xFF", .has = false},
        {.text = "\xE9Z", .has = true},
        {.text = std::string("\0a", 2), .has = true},
    };
    for (const auto& c : cases) EXPECT_EQ(HasLetterOrDigit(c.text), c.has) << c.text;
}

// Only ASCII capitals fold: not their neighbours @ [ ` { nor accented letters.
TEST(ContainsWordIgnoringCase, IsASubstringTestBlindToAsciiCase) {
    const struct {
        const char* text;
        const char* word;
        bool found;
    } cases[] = {
        {.text = "Saw the Seals today", .word = "SEALS", .found = true},
        {.text = "seals", .word = " sea", .found = false},
        {.text = "anything", .word = "", .found = true},
        {.text = "caf\xE9", .word = "CAF\xE9", .found = true},
        {.text = "caf\xE9", .word = "CAF\xC9", .found = false},
        {.text = "`{", .word = "@[", .found = false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContainsWordIgnoringCase(c.text, c.word), c.found) << c.text << " / " << c.word;
    }
}

}  // namespace
}  // namespace dates
