// Which dates an entry may be made for, and which keys a report lists: the
// user's days are local days. The instants in the tables were worked out
// with an independent reader of the zone database (Python's zoneinfo), never
// with the code under test.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "dates/DiaryDates.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

constexpr Instant kLowest = std::numeric_limits<Instant>::min();
constexpr Instant kHighest = std::numeric_limits<Instant>::max();
constexpr const char* kKiri = "Pacific/Kiritimati";  // +14
constexpr const char* kPago = "Pacific/Pago_Pago";   // -11
constexpr const char* kNepal = "Asia/Kathmandu";     // +5:45
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

}  // namespace
}  // namespace dates
