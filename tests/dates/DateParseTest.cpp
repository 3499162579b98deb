// Typed dates and their day-end values, checked against the calendar
// (timegm, or figures worked out by hand), never against the code under test.

#include <gtest/gtest.h>
#include <time.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "dates/DiaryDates.h"

namespace dates {
namespace {

TEST(ParseDiaryDate, GivesTheEndOfTheTypedDay) {
    const struct {
        const char* text;
        Instant value;
    } cases[] = {
        {.text = "01/01/05", .value = 1104624000}, {.text = "01/01/70", .value = 86400},
        {.text = "31/12/69", .value = 0},          {.text = "01/01/50", .value = -631065600},
        {.text = "01/01/49", .value = 2493158400}, {.text = "29/02/00", .value = 951868800},
        {.text = "", .value = 946684800},          {.text = "01/01/-1000", .value = -30610137600},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDiaryDate(c.text), c.value) << '"' << c.text << '"';
}

// Loose writing, rolled-over fields, and absurdly long numbers (held to the
// int range without overflow).
TEST(ParseDiaryDate, ReadsLooselyWrittenDatesAsTheSameDay) {
    const std::vector<std::pair<const char*, const char*>> loose = {
        {"7/3/9", "07/03/09"},     {" 7/ +3/\t09", "07/03/09"}, {"07/03/09 tail", "07/03/09"},
        {"7th/3rd/9", "07/03/09"}, {"no digits", ""},           {"//", ""},
        {"01/13/05", "01/01/06"},  {"01/00/05", "01/01/05"},    {"32/01/05", "01/02/05"},
        {"x7/03/09", "00/03/09"},  {"5", "05/05/05"},           {"5/6", "05/06/06"},
        {"01/01/-5", "01/01/95"},  {"-1/01/05", "30/12/04"},
    };
    const std::vector<std::pair<const char*, const char*>> held = {
        {"99999999999999999999/01/05", "2147483647/01/05"},
        {"-99999999999999999999/01/05", "-2147483648/01/05"},
        {"01/99999999999999999999/05", "01/13/05"},
        {"01/01/99999999999999999999", "01/01/2147483647"},
        {"01/01/-99999999999999999999", "01/01/-2147483648"},
    };
    for (const auto* cases : {&loose, &held}) {
        for (const auto& [text, plain] : *cases) {
            EXPECT_EQ(ParseDiaryDate(text), ParseDiaryDate(plain)) << '"' << text << '"';
        }
    }
    EXPECT_EQ(ParseDiaryDate("2147483647/01/05"),
              EarliestDiaryDate + Instant{2147483646} * SecondsPerDay);
    EXPECT_GT(ParseDiaryDate("01/01/2147483647"), ParseDiaryDate("01/01/49"));
    EXPECT_LT(ParseDiaryDate("01/01/-2147483648"), ParseDiaryDate("01/01/-1000"));
}

// 50..99 mean 1950..1999; anything below 50 gains a century.
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

// Years 0 to 2420 hold every kind of leap year and century.
TEST(ParseDiaryDate, AgreesWithTheCalendarOnBothSidesOf1970) {
    for (int year = 0; year <= 2420; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {0, 1, 28}) {  // day 0 is the last of the month before
                const std::string text =
                    std::to_string(day) + "/" + std::to_string(month) + "/" + TypedYear(year);
                ASSERT_EQ(ParseDiaryDate(text), CalendarDayEnd(year, month, day)) << text;
            }
        }
    }
}

}  // namespace
}  // namespace dates
