// Instants shown as the diary's date texts, in the local zone.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "dates/DiaryDates.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

constexpr Instant kHighest = std::numeric_limits<Instant>::max();
constexpr Instant kLowest = std::numeric_limits<Instant>::min();
constexpr const char* kNY = "America/New_York";
constexpr const char* kKiri = "Pacific/Kiritimati";

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

}  // namespace
}  // namespace dates
