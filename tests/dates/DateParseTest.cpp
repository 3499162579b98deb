// Typed dates and their day-end values, checked against the calendar
// (timegm, or figures worked out by hand), never against the code under test.

#include <gtest/gtest.h>
#include <time.h>

#include <string>
#include <utility>
#include <vector>

#include "dates/DiaryDates.h"

namespace dates {
namespace {

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

}  // namespace
}  // namespace dates
