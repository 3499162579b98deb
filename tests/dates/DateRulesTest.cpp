// Which dates an entry may be made for, and which keys a report lists.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "support/TestEnvironment.h"

namespace dates {
namespace {

constexpr const char* kTooLate = "Date must be earlier than 09/03/14";
constexpr const char* kTooEarly = "Date must be later Jan 1st 2005";

// 10/03/14 just after midnight, at noon and just before midnight (UTC). A
// four-digit year arrives cut to nine characters: 01/01/200 means 2100.
TEST(CheckSpecialDate, AcceptsFrom2005UpToTheDayBeforeYesterday) {
    const struct {
        const char* message;
        std::vector<const char*> texts;
    } groups[] = {
        {.message = "", .texts = {"08/03/14", "01/01/05", "1/1/5"}},
        {.message = kTooLate,
         .texts = {"09/03/14", "10/03/14", "11/03/14", "01/01/49", "01/01/200"}},
        {.message = kTooEarly, .texts = {"31/12/04", "01/01/99", "", "01/01/50", "00/01/05"}},
    };
    for (Instant now : {1394409601, 1394452800, 1394495999}) {
        for (const auto& [message, texts] : groups) {
            for (const char* text : texts) {
                SCOPED_TRACE(std::string(text) + " at " + std::to_string(now));
                const SpecialDateCheck check = CheckSpecialDate(text, now);
                EXPECT_EQ(check.value, ParseDiaryDate(text));
                EXPECT_EQ(check.accepted, *message == '\0');
                EXPECT_EQ(check.message, message);
                EXPECT_EQ(check.caption, *message == '\0'       ? ""
                                         : message == kTooEarly ? "Date Not Allowd"
                                                                : "Date Not Allowed");
            }
        }
    }
}

TEST(CheckSpecialDate, NamesYesterdayInTheLocalZone) {
    jtest::SetTimeZone("Pacific/Kiritimati");  // 10/03/14 12:00 UTC is 11/03/14 02:00 here
    const SpecialDateCheck check = CheckSpecialDate("10/03/14", 1394452800);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, "Date must be earlier than 10/03/14");
}

// A range of day-end values holds whole days, both ends to the second.
TEST(InReportRange, IncludesBothEndsToTheSecond) {
    const Instant day = ParseDiaryDate("05/03/14");  // 06/03/14 00:00:00
    const std::pair<Instant, bool> keys[] = {{day - SecondsPerDay - 1, false},
                                             {day - SecondsPerDay, true},
                                             {day - 43200, true},
                                             {day, true},
                                             {day + 1, false}};
    for (const auto& [key, inside] : keys) EXPECT_EQ(InReportRange(key, day, day), inside) << key;

    const Instant to2040 = ParseDiaryDate("31/12/40");
    ASSERT_GT(to2040, Instant{INT32_MAX});
    EXPECT_TRUE(InReportRange(INT32_MAX, ParseDiaryDate("01/01/05"), to2040));
    EXPECT_FALSE(InReportRange(1104537599, ParseDiaryDate("01/01/05"), to2040));
    constexpr Instant kLowest = std::numeric_limits<Instant>::min();
    constexpr Instant kHighest = std::numeric_limits<Instant>::max();
    EXPECT_TRUE(InReportRange(kLowest, kLowest, kHighest));
    EXPECT_TRUE(InReportRange(kHighest, kLowest, kHighest));
    EXPECT_FALSE(InReportRange(0, kHighest, kHighest));
    EXPECT_FALSE(CheckSpecialDate("01/01/05", kLowest).accepted);
}

}  // namespace
}  // namespace dates
