// Instants shown as the diary's date texts, in the local zone.

#include <gtest/gtest.h>

#include <limits>

#include "dates/DiaryDates.h"
#include "platform/Env.h"
#include "platform/FaultEnv.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

struct FormatCase {
    const char* zone;
    Instant instant;
    const char* shortDate;
    const char* compact;
    const char* stamp;
    const char* longDate;
};

TEST(DateFormat, ShowsTheLocalDateAndTime) {
    const FormatCase cases[] = {
        {"UTC", 1417986309, "07/12/14", "071214", "07/12/14 @ 21:05:09", "Sunday 07 December 2014"},
        {"Pacific/Kiritimati", 1417986309, "08/12/14", "081214", "08/12/14 @ 11:05:09",
         "Monday 08 December 2014"},
        {"Etc/GMT+12", 1417986309, "07/12/14", "071214", "07/12/14 @ 09:05:09",
         "Sunday 07 December 2014"},
        {"Etc/GMT+12", 1417932000, "06/12/14", "061214", "06/12/14 @ 18:00:00",
         "Saturday 06 December 2014"},
        // Clocks go forward at 02:00 and back at 02:00.
        {"America/New_York", 1394348399, "09/03/14", "090314", "09/03/14 @ 01:59:59",
         "Sunday 09 March 2014"},
        {"America/New_York", 1394348400, "09/03/14", "090314", "09/03/14 @ 03:00:00",
         "Sunday 09 March 2014"},
        {"America/New_York", 1414907999, "02/11/14", "021114", "02/11/14 @ 01:59:59",
         "Sunday 02 November 2014"},
        {"America/New_York", 1414908000, "02/11/14", "021114", "02/11/14 @ 01:00:00",
         "Sunday 02 November 2014"},
        // The two-digit year is the year less 2000.
        {"UTC", 946684799, "31/12/-1", "3112-1", "31/12/-1 @ 23:59:59", "Friday 31 December 1999"},
        {"UTC", 0, "01/01/-30", "0101-30", "01/01/-30 @ 00:00:00", "Thursday 01 January 1970"},
        {"UTC", 2493158400, "02/01/49", "020149", "02/01/49 @ 00:00:00",
         "Saturday 02 January 2049"},
    };
    for (const auto& c : cases) {
        jtest::SetTimeZone(c.zone);
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.instant));
        EXPECT_EQ(FormatShortDate(c.instant), c.shortDate);
        EXPECT_EQ(FormatCompactDate(c.instant), c.compact);
        EXPECT_EQ(FormatStamp(c.instant), c.stamp);
        EXPECT_EQ(FormatLongDate(c.instant), c.longDate);
    }
}

TEST(DateFormat, NamesEveryWeekdayAndMonth) {
    const char* const week[] = {"Sunday 07 December 2014",   "Monday 08 December 2014",
                                "Tuesday 09 December 2014",  "Wednesday 10 December 2014",
                                "Thursday 11 December 2014", "Friday 12 December 2014",
                                "Saturday 13 December 2014"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(FormatLongDate(1417910400 + i * SecondsPerDay), week[i]);
    }
    const char* const firsts[] = {
        "Wednesday 01 January 2014", "Saturday 01 February 2014", "Saturday 01 March 2014",
        "Tuesday 01 April 2014",     "Thursday 01 May 2014",      "Sunday 01 June 2014",
        "Tuesday 01 July 2014",      "Friday 01 August 2014",     "Monday 01 September 2014",
        "Wednesday 01 October 2014", "Saturday 01 November 2014", "Monday 01 December 2014"};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(FormatLongDate(ParseDiaryDate("00/" + std::to_string(month) + "/14")),
                  firsts[month - 1]);
    }
}

TEST(DateFormat, HoldsInstantsFarOutsideTheCalendarToItsEnds) {
    constexpr Instant kHighest = std::numeric_limits<Instant>::max();
    constexpr Instant kLowest = std::numeric_limits<Instant>::min();
    EXPECT_EQ(FormatStamp(kHighest), "31/12/7999 @ 23:59:59");
    EXPECT_EQ(FormatLongDate(kHighest), "Friday 31 December 9999");
    EXPECT_EQ(FormatStamp(kLowest), "01/01/-1999 @ 00:00:00");
    EXPECT_EQ(FormatLongDate(kLowest), "Monday 01 January 01");
    // A zone may carry the held ends one year further.
    jtest::SetTimeZone("Pacific/Kiritimati");
    EXPECT_EQ(FormatStamp(kHighest), "01/01/8000 @ 13:59:59");
    EXPECT_EQ(FormatLongDate(kHighest), "Saturday 01 January 10000");
    jtest::SetTimeZone("Etc/GMT+12");
    EXPECT_EQ(FormatStamp(kLowest), "31/12/-2000 @ 12:00:00");
    EXPECT_EQ(FormatLongDate(kLowest), "Sunday 31 December 00");
}

TEST(CurrentInstant, ReadsTheProcessClock) {
    platform::ClockEnv clock(platform::Env::Default(), 1394452800);
    platform::ScopedEnv installed(&clock);
    EXPECT_EQ(CurrentInstant(), 1394452800);
    clock.Advance(SecondsPerDay);
    EXPECT_EQ(FormatShortDate(CurrentInstant()), "11/03/14");
}

}  // namespace
}  // namespace dates
