// The score chart's means, made from records.
#include <chrono>

#include "ToolTest.h"
#include "tool/ChartData.h"

namespace jtest {
namespace {

using namespace std::chrono;

std::int64_t Day(year_month_day date) {
    return sys_days{date}.time_since_epoch().count();
}

// An instant at hour:00 UTC of date.
dates::Instant At(year_month_day date, int hour = 12) {
    return Day(date) * dates::SecondsPerDay + hour * 3600;
}

store::TEntryRecord Text(int score, dates::Instant key) {
    return store::MakeTextEntryRecord("summary", "note", score, key);
}

// Each point as "day:mean/count", its day counted from Monday 29/12/25.
std::string Means(const std::vector<tool::ChartPoint>& points) {
    std::ostringstream out;
    for (const tool::ChartPoint& p : points) {
        out << p.day - Day(2025y / 12 / 29) << ":" << p.value << "/" << p.count << " ";
    }
    return out.str();
}

// Sun 04/01/26 10 and 8, Mon 05/01 3, Wed 31/12/25 6 (its week is Mon
// 29/12/25 to Sun 04/01/26), Sat 31/01 5, Sun 01/02 7; no score, or a
// damaged one, is left out.
TEST(ChartData, MeansByDayWeekAndMonthAreOfTheScores) {
    store::TEntryRecord damaged = Text(0, At(2026y / 3 / 2));
    damaged.Score = 11;
    const tool::ChartData data = tool::MakeChartData(
        {Text(10, At(2026y / 1 / 4)), Text(8, At(2026y / 1 / 4, 23)), Text(3, At(2026y / 1 / 5, 0)),
         Text(6, At(2025y / 12 / 31)), Text(5, At(2026y / 1 / 31)), Text(7, At(2026y / 2 / 1)),
         Text(-1, At(2026y / 3 / 1)), damaged});
    ASSERT_EQ(data.series.size(), 1u);
    EXPECT_EQ(data.series[0].name, "Overall score");
    EXPECT_EQ(Means(data.series[0].daily), "2:6/1 6:9/2 7:3/1 33:5/1 34:7/1 ");
    EXPECT_EQ(Means(data.series[0].weekly), "0:8/3 7:3/1 28:6/2 ");
    EXPECT_EQ(Means(data.series[0].monthly), "-28:6/1 3:6.5/4 34:7/1 ");
    EXPECT_EQ(data.firstDay, Day(2025y / 12 / 31));
    EXPECT_EQ(data.lastDay, Day(2026y / 2 / 1));
}

}  // namespace
}  // namespace jtest
