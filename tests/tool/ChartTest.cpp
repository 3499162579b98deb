// Score charts: the series and means made from records, and the pictures.
#include <array>
#include <chrono>

#include "ToolTest.h"
#include "tool/ChartData.h"
#include "tool/ChartDrawing.h"

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

store::TEntryRecord Buttons(std::array<std::string, 6> headings, int score, dates::Instant key) {
    return store::MakeButtonEntryRecord(headings, {score, score, score, score, score, score}, key);
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

TEST(ChartData, HeadingsAreSeriesInOrderOfFirstAppearance) {
    const std::string cut(100, 'x');  // six of these are cut at 500 bytes after the fourth
    const tool::ChartData data = tool::MakeChartData({
        Buttons({"Sleep", "Mood", "Work", "Walk", "Read", "Eat"}, 4, At(2026y / 3 / 2)),
        Text(9, At(2026y / 3 / 3)),
        Buttons({"Mood", "Caf\xE9 \x80", "Work", "Walk", "Read", "Sleep"}, 8, At(2026y / 3 / 2)),
        Buttons({"Mood", "Sleep", "Work", "Walk", "Read", "Eat"}, -1, At(2026y / 3 / 5)),  // gaps
        Buttons({cut + "1", cut + "2", cut + "3", cut + "4", cut + "5", cut + "6"}, 5,
                At(2026y / 3 / 4)),
    });
    std::vector<std::string> names;
    for (const tool::ChartSeries& series : data.series) names.push_back(series.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Overall score", "Sleep", "Mood", "Work", "Walk",
                                               "Read", "Eat", "Caf\u00E9 \u20AC", cut + "1",
                                               cut + "2", cut + "3", cut + "4"}));
    ASSERT_GE(data.series.size(), 3u);
    EXPECT_EQ(Means(data.series[2].daily), "63:6/2 ");
}

// A day too short for a line still shows its dots, one a panel; no scores is
// no chart.
TEST(DrawChart, OneDayShowsItsDots) {
    const dates::Instant key = At(2026y / 1 / 6);
    std::string svg;
    ASSERT_TRUE(tool::DrawChart(tool::MakeChartData({Text(4, key), Buttons({"Sleep"}, 6, key)}),
                                tool::ChartFormat::kSvg, &svg)
                    .ok());
    std::size_t dots = 0;
    for (std::size_t at = svg.find("<circle"); at != svg.npos; at = svg.find("<circle", at + 1)) {
        ++dots;
    }
    EXPECT_GE(dots, 2u);
    EXPECT_THAT(tool::DrawChart({}, tool::ChartFormat::kPng, &svg).message(),
                HasSubstr("no scores"));
}

}  // namespace
}  // namespace jtest
