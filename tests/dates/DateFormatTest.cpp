// Instants shown as the diary's date texts, in the local zone.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "dates/DiaryDates.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

constexpr Instant kHighest = std::numeric_limits<Instant>::max();
constexpr Instant kLowest = std::numeric_limits<Instant>::min();
constexpr const char* kNewYork = "America/New_York";

// The short date is the stamp's date part; the compact date drops its slashes.
TEST(DateFormat, ShowsTheLocalDateAndTime) {
    const struct {
        const char* zone;
        Instant instant;
        const char* stamp;
        const char* longDate;
    } cases[] = {
        {.zone = "UTC",
         .instant = 1417986309,
         .stamp = "07/12/14 @ 21:05:09",
         .longDate = "Sunday 07 December 2014"},
        {.zone = "Pacific/Kiritimati",
         .instant = 1417986309,
         .stamp = "08/12/14 @ 11:05:09",
         .longDate = "Monday 08 December 2014"},
        {.zone = "Etc/GMT+12",
         .instant = 1417932000,
         .stamp = "06/12/14 @ 18:00:00",
         .longDate = "Saturday 06 December 2014"},
        // Clocks go forward at 02:00 and back at 02:00.
        {.zone = kNewYork,
         .instant = 1394348399,
         .stamp = "09/03/14 @ 01:59:59",
         .longDate = "Sunday 09 March 2014"},
        {.zone = kNewYork,
         .instant = 1394348400,
         .stamp = "09/03/14 @ 03:00:00",
         .longDate = "Sunday 09 March 2014"},
        {.zone = kNewYork,
         .instant = 1414907999,
         .stamp = "02/11/14 @ 01:59:59",
         .longDate = "Sunday 02 November 2014"},
        {.zone = kNewYork,
         .instant = 1414908000,
         .stamp = "02/11/14 @ 01:00:00",
         .longDate = "Sunday 02 November 2014"},
        // The two-digit year is the year less 2000.
        {.zone = "UTC",
         .instant = 946684799,
         .stamp = "31/12/-1 @ 23:59:59",
         .longDate = "Friday 31 December 1999"},
        {.zone = "UTC",
         .instant = 0,
         .stamp = "01/01/-30 @ 00:00:00",
         .longDate = "Thursday 01 January 1970"},
        {.zone = "UTC",
         .instant = 2493158400,
         .stamp = "02/01/49 @ 00:00:00",
         .longDate = "Saturday 02 January 2049"},
        // Instants far outside the calendar are held to its ends, which a
        // zone may carry one year further.
        {.zone = "UTC",
         .instant = kHighest,
         .stamp = "31/12/7999 @ 23:59:59",
         .longDate = "Friday 31 December 9999"},
        {.zone = "UTC",
         .instant = kLowest,
         .stamp = "01/01/-1999 @ 00:00:00",
         .longDate = "Monday 01 January 01"},
        {.zone = "Pacific/Kiritimati",
         .instant = kHighest,
         .stamp = "01/01/8000 @ 13:59:59",
         .longDate = "Saturday 01 January 10000"},
        {.zone = "Etc/GMT+12",
         .instant = kLowest,
         .stamp = "31/12/-2000 @ 12:00:00",
         .longDate = "Sunday 31 December 00"},
    };
    for (const auto& c : cases) {
        jtest::SetTimeZone(c.zone);
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.instant));
        const std::string shortDate =
            std::string(c.stamp).substr(0, std::strchr(c.stamp, ' ') - c.stamp);
        std::string compact = shortDate;
        std::erase(compact, '/');
        EXPECT_EQ(FormatShortDate(c.instant), shortDate);
        EXPECT_EQ(FormatCompactDate(c.instant), compact);
        EXPECT_EQ(FormatStamp(c.instant), c.stamp);
        EXPECT_EQ(FormatLongDate(c.instant), c.longDate);
    }
}

// The first days of 2014's months fall on every weekday.
TEST(DateFormat, NamesEveryWeekdayAndMonth) {
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

}  // namespace
}  // namespace dates
