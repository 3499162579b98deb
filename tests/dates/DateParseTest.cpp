// Typed dates and their day-end values. Expected values come from the
// calendar (timegm, or figures worked out by hand), never from the code
// under test.

#include <gtest/gtest.h>
#include <time.h>

#include <cstdint>
#include <string>

#include "dates/DiaryDates.h"

namespace dates {
namespace {

TEST(IsLeapYear, FollowsTheGregorianRules) {
    const struct {
        std::int64_t year;
        bool leap;
    } cases[] = {{2000, true},  {2100, false}, {2008, true}, {2014, false},
                 {1900, false}, {2400, true},  {1972, true}, {0, true}};
    for (const auto& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(ParseDiaryDate, GivesTheEndOfTheTypedDay) {
    const struct {
        const char* text;
        Instant value;
    } cases[] = {
        {"01/01/05", 1104624000}, {"01/01/70", 86400},      {"31/12/69", 0},
        {"01/01/99", 915235200},  {"01/01/50", -631065600}, {"29/02/00", 951868800},
        {"01/03/00", 951955200},  {"29/02/08", 1204329600}, {"31/12/37", 2145916800},
        {"01/01/49", 2493158400}, {"01/01/40", 2209075200}, {"01/01/-1000", -30610137600},
        {"", 946684800},          {"no digits", 946684800}, {"//", 946684800},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDiaryDate(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseDiaryDate, ReadsLooselyWrittenDatesAsTheSameDay) {
    const struct {
        const char* loose;
        const char* plain;
    } cases[] = {
        {"7/3/9", "07/03/09"},     {" 7/ +3/\t09", "07/03/09"}, {"07/03/09 tail", "07/03/09"},
        {"7th/3rd/9", "07/03/09"}, {"00/03/08", "29/02/08"},    {"00/03/09", "28/02/09"},
        {"01/13/05", "01/01/06"},  {"01/00/05", "01/01/05"},    {"32/01/05", "01/02/05"},
        {"x7/03/09", "00/03/09"},  {"5", "05/05/05"},           {"5/6", "05/06/06"},
        {"01/01/-5", "01/01/95"},  {"-1/01/05", "30/12/04"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDiaryDate(c.loose), ParseDiaryDate(c.plain)) << '"' << c.loose << '"';
    }
}

TEST(ParseDiaryDate, ConsecutiveDaysAcrossFebruaryDifferByOneDay) {
    EXPECT_EQ(ParseDiaryDate("01/03/08") - ParseDiaryDate("29/02/08"), SecondsPerDay);
    EXPECT_EQ(ParseDiaryDate("01/03/09") - ParseDiaryDate("28/02/09"), SecondsPerDay);
    EXPECT_EQ(ParseDiaryDate("01/03/00") - ParseDiaryDate("29/02/00"), SecondsPerDay);
}

// The year typed for a full year: 50..99 mean 1950..1999, and anything below
// 50 gains a century.
std::string TypedYear(int year) {
    return std::to_string(year >= 1950 ? year - 1900 : year - 2000);
}

Instant CalendarDayEnd(int year, int month, int day) {
    struct tm fields {};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    return static_cast<Instant>(timegm(&fields)) + SecondsPerDay;
}

TEST(ParseDiaryDate, AgreesWithTheCalendarOnBothSidesOf1970) {
    for (int year = 1580; year <= 2420; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 28}) {
                const std::string text =
                    std::to_string(day) + "/" + std::to_string(month) + "/" + TypedYear(year);
                ASSERT_EQ(ParseDiaryDate(text), CalendarDayEnd(year, month, day)) << text;
            }
        }
    }
}

TEST(ParseDiaryDate, HoldsAbsurdlyLongNumbersWithoutOverflow) {
    const struct {
        const char* huge;
        const char* held;
    } cases[] = {
        {"99999999999999999999/01/05", "2147483647/01/05"},
        {"-99999999999999999999/01/05", "-2147483648/01/05"},
        {"01/99999999999999999999/05", "01/13/05"},
        {"01/01/99999999999999999999", "01/01/2147483647"},
        {"01/01/-99999999999999999999", "01/01/-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDiaryDate(c.huge), ParseDiaryDate(c.held)) << c.huge;
    }
    EXPECT_EQ(ParseDiaryDate("2147483647/01/05"),
              EarliestDiaryDate + Instant{2147483646} * SecondsPerDay);
    EXPECT_GT(ParseDiaryDate("01/01/2147483647"), ParseDiaryDate("01/01/49"));
    EXPECT_LT(ParseDiaryDate("01/01/-2147483648"), ParseDiaryDate("01/01/-1000"));
}

}  // namespace
}  // namespace dates
