// Which dates an entry may be made for, and which keys a report lists: the
// user's days are local days. The instants in the tables were worked out
// with an independent reader of the zone database (Python's zoneinfo), never
// with the code under test.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

const std::string kNotADate = "Date Not Allowed";
const std::string kTooEarly = "Date must be later Jan 1st 2005";

// One local day: its date and the two before it, its first instant and the
// first instant of the next day.
struct LocalDay {
    const char* zone;
    const char* date;
    const char* yesterday;
    const char* dayBefore;
    Instant start;
    Instant next;
};
const LocalDay kDays[] = {
    {.zone = "UTC",
     .date = "07/12/14",
     .yesterday = "06/12/14",
     .dayBefore = "05/12/14",
     .start = 1417910400,
     .next = 1417996800},
    {.zone = "Pacific/Kiritimati",  // +14
     .date = "07/12/14",
     .yesterday = "06/12/14",
     .dayBefore = "05/12/14",
     .start = 1417860000,
     .next = 1417946400},
    {.zone = "Pacific/Pago_Pago",  // -11
     .date = "07/12/14",
     .yesterday = "06/12/14",
     .dayBefore = "05/12/14",
     .start = 1417950000,
     .next = 1418036400},
    {.zone = "Asia/Kathmandu",  // +5:45
     .date = "07/12/14",
     .yesterday = "06/12/14",
     .dayBefore = "05/12/14",
     .start = 1417889700,
     .next = 1417976100},
    // Clocks go forward and back: days of 23 and 25 hours.
    {.zone = "Europe/Berlin",
     .date = "30/03/14",
     .yesterday = "29/03/14",
     .dayBefore = "28/03/14",
     .start = 1396134000,
     .next = 1396216800},
    {.zone = "Europe/Berlin",
     .date = "26/10/14",
     .yesterday = "25/10/14",
     .dayBefore = "24/10/14",
     .start = 1414274400,
     .next = 1414364400},
    {.zone = "America/New_York",
     .date = "09/03/14",
     .yesterday = "08/03/14",
     .dayBefore = "07/03/14",
     .start = 1394341200,
     .next = 1394424000},
    {.zone = "America/New_York",
     .date = "02/11/14",
     .yesterday = "01/11/14",
     .dayBefore = "31/10/14",
     .start = 1414900800,
     .next = 1414990800},
    // Clocks went forward at midnight: the day began at 01:00.
    {.zone = "America/Sao_Paulo",
     .date = "19/10/14",
     .yesterday = "18/10/14",
     .dayBefore = "17/10/14",
     .start = 1413687600,
     .next = 1413770400},
};

TEST(LocalDays, EachDayRunsFromItsLocalStartToTheNextDaysStart) {
    for (const LocalDay& day : kDays) {
        jtest::SetTimeZone(day.zone);
        SCOPED_TRACE(std::string(day.zone) + " " + day.date);
        const Instant value = ParseDiaryDate(day.date);
        EXPECT_EQ(LocalDayStart(value), day.start);
        EXPECT_EQ(LocalDayStart(value + SecondsPerDay), day.next);
        for (Instant t : {day.start, day.next - 1}) EXPECT_EQ(LocalDayEndValue(t), value);
        EXPECT_EQ(LocalDayEndValue(day.start - 1), value - SecondsPerDay);
        EXPECT_EQ(LocalDayEndValue(day.next), value + SecondsPerDay);
    }
}

// A report of one day lists the keys of that local day, to the second; one
// of three days lists from the first day's start to the last day's end.
TEST(InReportRange, HoldsTheLocalDaysFromStartToEnd) {
    for (const LocalDay& day : kDays) {
        jtest::SetTimeZone(day.zone);
        SCOPED_TRACE(std::string(day.zone) + " " + day.date);
        const Instant value = ParseDiaryDate(day.date);
        const InstantRange range = ReportInstants(value, value);
        EXPECT_EQ(range.first, day.start);
        EXPECT_EQ(range.last, day.next - 1);
        const std::pair<Instant, bool> keys[] = {
            {day.start - 1, false}, {day.start, true}, {day.next - 1, true}, {day.next, false}};
        for (const auto& [key, inside] : keys) {
            EXPECT_EQ(InReportRange(key, value, value), inside) << key;
        }
        const Instant before = ParseDiaryDate(day.dayBefore);
        EXPECT_EQ(ReportInstants(before, value).first, LocalDayStart(before));
        EXPECT_EQ(ReportInstants(before, value).last, day.next - 1);
        EXPECT_FALSE(InReportRange(day.start, value, before));  // start after the end
    }
}

// What the user sees: an entry stamped on a day is listed under that day.
TEST(InReportRange, ListsAnEntryUnderTheDayItsStampShows) {
    const struct {
        const char* zone;
        Instant key;
        const char* stamp;
    } entries[] = {
        {.zone = "Australia/Sydney", .key = 1394402400, .stamp = "10/03/14 @ 09:00:00"},
        {.zone = "America/New_York", .key = 1418000400, .stamp = "07/12/14 @ 20:00:00"},
        {.zone = "Pacific/Kiritimati", .key = 1417860000, .stamp = "07/12/14 @ 00:00:00"},
        {.zone = "Pacific/Pago_Pago", .key = 1418036399, .stamp = "07/12/14 @ 23:59:59"},
    };
    for (const auto& entry : entries) {
        jtest::SetTimeZone(entry.zone);
        SCOPED_TRACE(entry.zone);
        ASSERT_EQ(FormatStamp(entry.key), entry.stamp);
        const std::string date = std::string(entry.stamp).substr(0, 8);
        const Instant value = ParseDiaryDate(date);
        EXPECT_TRUE(InReportRange(entry.key, value, value));
        EXPECT_FALSE(InReportRange(entry.key, value - SecondsPerDay, value - SecondsPerDay));
        EXPECT_FALSE(InReportRange(entry.key, value + SecondsPerDay, value + SecondsPerDay));
    }
}

TEST(InReportRange, DaysBeyondTheCalendarHoldEverythingOnTheirSide) {
    constexpr Instant kLowest = std::numeric_limits<Instant>::min();
    constexpr Instant kHighest = std::numeric_limits<Instant>::max();
    const Instant to2040 = ParseDiaryDate("31/12/40");
    ASSERT_GT(to2040, Instant{INT32_MAX});
    EXPECT_TRUE(InReportRange(INT32_MAX, ParseDiaryDate("01/01/05"), to2040));
    EXPECT_FALSE(InReportRange(1104537599, ParseDiaryDate("01/01/05"), to2040));
    EXPECT_TRUE(InReportRange(kLowest, kLowest, kHighest));
    EXPECT_TRUE(InReportRange(kHighest, kLowest, kHighest));
    EXPECT_FALSE(InReportRange(0, kHighest, kHighest));
    EXPECT_FALSE(InReportRange(0, kLowest, kLowest));
}

// At the first and the last second of each local day: the day before
// yesterday is the latest accepted, yesterday and today are refused naming
// yesterday.
TEST(CheckSpecialDate, ComparesWithTheLocalTodayAndYesterday) {
    for (const LocalDay& day : kDays) {
        jtest::SetTimeZone(day.zone);
        for (Instant now : {day.start, day.next - 1}) {
            SCOPED_TRACE(std::string(day.zone) + " at " + std::to_string(now));
            EXPECT_TRUE(CheckSpecialDate(day.dayBefore, now).accepted);
            for (const char* late : {day.yesterday, day.date}) {
                const SpecialDateCheck check = CheckSpecialDate(late, now);
                EXPECT_FALSE(check.accepted) << late;
                EXPECT_EQ(check.message, std::string("Date must be earlier than ") + day.yesterday);
                EXPECT_EQ(check.caption, "Date Not Allowed");
            }
        }
    }
    // Sydney at 09:00 on 10/03/14 (still 09/03/14 in UTC); Los Angeles at
    // 20:00 on 10/03/14 (already 11/03/14 in UTC).
    jtest::SetTimeZone("Australia/Sydney");
    EXPECT_TRUE(CheckSpecialDate("08/03/14", 1394402400).accepted);
    jtest::SetTimeZone("America/Los_Angeles");
    EXPECT_EQ(CheckSpecialDate("09/03/14", 1394506800).message,
              "Date must be earlier than 09/03/14");
    EXPECT_TRUE(CheckSpecialDate("08/03/14", 1394506800).accepted);
}

// Real days keep their refusals; what is not a real day is refused as such,
// whatever day the loose reading would make of it. The value is the loose
// reading's in every case.
TEST(CheckSpecialDate, RefusesWhatIsNotADateWithItsOwnMessage) {
    const Instant now = 1394452800;  // 10/03/14 12:00 (UTC)
    const struct {
        const char* text;
        std::string message;
        std::string caption;
    } cases[] = {
        {.text = "08/03/14", .message = "", .caption = ""},
        {.text = "01/01/05", .message = "", .caption = ""},
        {.text = "01/01/2005", .message = "", .caption = ""},
        {.text = "8/3/2014", .message = "", .caption = ""},
        {.text = "09/03/14",
         .message = "Date must be earlier than 09/03/14",
         .caption = "Date Not Allowed"},
        {.text = "01/01/49",
         .message = "Date must be earlier than 09/03/14",
         .caption = "Date Not Allowed"},
        {.text = "31/12/04", .message = kTooEarly, .caption = "Date Not Allowd"},
        {.text = "01/01/99", .message = kTooEarly, .caption = "Date Not Allowd"},
        {.text = "31/12/2004", .message = kTooEarly, .caption = "Date Not Allowd"},
        {.text = "25.12.10",
         .message =
             "\"25.12.10\" is not a date: the day, the month and the year must be separated by /.\n"
             "Please type it as dd/mm/yy, day first, for example 25/12/10.",
         .caption = kNotADate},
        {.text = "31/02/26",
         .message = "\"31/02/26\" is not a date: February 2026 has only 28 days.\n"
                    "Please type it as dd/mm/yy, day first, for example 25/12/10.",
         .caption = kNotADate},
        {.text = " ",
         .message =
             "No date was typed.\nPlease type it as dd/mm/yy, day first, for example 25/12/10.",
         .caption = kNotADate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SpecialDateCheck check = CheckSpecialDate(c.text, now);
        EXPECT_EQ(check.accepted, c.message.empty());
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.caption, c.caption);
        EXPECT_EQ(check.value, ParseDiaryDate(c.text));
    }
    EXPECT_EQ(NotADateMessage("start date", "7/13/10", "there is no month 13"),
              "The start date \"7/13/10\" is not a date: there is no month 13.\n"
              "Please type it as dd/mm/yy, day first, for example 25/12/10.");
    EXPECT_FALSE(CheckSpecialDate("01/01/05", std::numeric_limits<Instant>::min()).accepted);
}

}  // namespace
}  // namespace dates
