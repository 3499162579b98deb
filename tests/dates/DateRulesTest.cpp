// Which dates an entry may be made for, and which keys a report lists.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "dates/DiaryDates.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

constexpr const char* kTooLate = "Date must be earlier than 09/03/14";
constexpr const char* kTooEarly = "Date must be later Jan 1st 2005";

struct SpecialCase {
    const char* text;
    const char* message;  // nullptr when the date is accepted
};

void ExpectChecks(Instant now, const SpecialCase& c) {
    SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(now));
    const SpecialDateCheck check = CheckSpecialDate(c.text, now);
    EXPECT_EQ(check.value, ParseDiaryDate(c.text));
    if (c.message == nullptr) {
        EXPECT_TRUE(check.accepted);
        EXPECT_EQ(check.message, "");
        EXPECT_EQ(check.caption, "");
        return;
    }
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(check.caption,
              std::string(c.message) == kTooEarly ? "Date Not Allowd" : "Date Not Allowed");
}

TEST(CheckSpecialDate, AcceptsFrom2005UpToTheDayBeforeYesterday) {
    const SpecialCase cases[] = {
        {"08/03/14", nullptr},
        {"01/01/05", nullptr},
        {"1/1/5", nullptr},
        {"09/03/14", kTooLate},
        {"10/03/14", kTooLate},
        {"11/03/14", kTooLate},
        {"01/01/49", kTooLate},
        {"31/12/04", kTooEarly},
        {"01/01/99", kTooEarly},
        {"", kTooEarly},
        {"01/01/50", kTooEarly},
        {"00/01/05", kTooEarly},
        // A four-digit year arrives cut to nine characters and means 2100.
        {"01/01/200", kTooLate},
    };
    // 10/03/14 just after midnight, at noon and just before midnight (UTC).
    for (Instant now : {1394409601, 1394452800, 1394495999}) {
        for (const auto& c : cases) ExpectChecks(now, c);
    }
}

TEST(CheckSpecialDate, NamesYesterdayInTheLocalZone) {
    jtest::SetTimeZone("Pacific/Kiritimati");  // 10/03/14 12:00 UTC is 11/03/14 02:00 here
    const SpecialDateCheck check = CheckSpecialDate("10/03/14", 1394452800);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, "Date must be earlier than 10/03/14");
}

TEST(InReportRange, IncludesBothEndsToTheSecond) {
    const Instant start = ParseDiaryDate("05/03/14");
    const Instant end = ParseDiaryDate("05/03/14");
    const Instant startOfDay = 1393977600;    // 05/03/14 00:00:00
    const Instant nextMidnight = 1394064000;  // 06/03/14 00:00:00
    const struct {
        Instant key;
        bool inside;
    } cases[] = {
        {startOfDay - 1, false}, {startOfDay, true},        {startOfDay + 43200, true},
        {nextMidnight, true},    {nextMidnight + 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(InReportRange(c.key, start, end), c.inside) << c.key;
}

TEST(InReportRange, ReachesAnEndDatePast2038) {
    const Instant start = ParseDiaryDate("01/01/05");
    const Instant end = ParseDiaryDate("31/12/40");
    EXPECT_GT(end, Instant{INT32_MAX});
    EXPECT_TRUE(InReportRange(INT32_MAX, start, end));
    EXPECT_TRUE(InReportRange(1394064000, start, end));
    EXPECT_FALSE(InReportRange(1104537599, start, end));
}

TEST(InReportRange, ToleratesExtremeValues) {
    constexpr Instant kLowest = std::numeric_limits<Instant>::min();
    constexpr Instant kHighest = std::numeric_limits<Instant>::max();
    EXPECT_TRUE(InReportRange(kLowest, kLowest, kHighest));
    EXPECT_TRUE(InReportRange(kHighest, kLowest, kHighest));
    EXPECT_FALSE(InReportRange(0, kHighest, kHighest));
    EXPECT_FALSE(CheckSpecialDate("01/01/05", kLowest).accepted);
}

}  // namespace
}  // namespace dates
