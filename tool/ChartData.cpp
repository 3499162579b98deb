// The series of a score chart and their means.
#include "tool/ChartData.h"

#include <algorithm>
#include <map>
#include <utility>

#include "platform/CodePage.h"

namespace tool {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

namespace {

constexpr const char* kOverallName = "Overall score";
constexpr int kLowestScore = 0;
constexpr int kHighestScore = 10;

}  // namespace

std::int64_t DayNumber(const year_month_day& date) {
    return sys_days{date}.time_since_epoch().count();
}

year_month_day DateOfDay(std::int64_t day) {
    return year_month_day{sys_days{days{day}}};
}

std::int64_t LocalDay(dates::Instant t) {
    const dates::LocalTime local = dates::ToLocalTime(t);
    return DayNumber(year_month_day{std::chrono::year{local.year},
                                    std::chrono::month{static_cast<unsigned>(local.month)},
                                    std::chrono::day{static_cast<unsigned>(local.day)}});
}

std::int64_t WeekStart(std::int64_t day) {
    const std::chrono::weekday weekday{sys_days{days{day}}};
    return day - (weekday.iso_encoding() - 1);  // ISO: Monday is 1
}

std::int64_t MonthStart(std::int64_t day) {
    const year_month_day date = DateOfDay(day);
    return DayNumber(date.year() / date.month() / 1);
}

namespace {

// Scores summed by the day a point is kept under.
using Sums = std::map<std::int64_t, ChartPoint>;

struct SeriesSums {
    std::string name;
    Sums daily, weekly, monthly;

    void Add(std::int64_t day, int score) {
        for (auto [sums, at] : {std::pair{&daily, day}, std::pair{&weekly, WeekStart(day)},
                                std::pair{&monthly, MonthStart(day)}}) {
            ChartPoint& point = (*sums)[at];
            point.day = at;
            point.value += score;
            ++point.count;
        }
    }
};

std::vector<ChartPoint> Means(const Sums& sums) {
    std::vector<ChartPoint> points;
    points.reserve(sums.size());
    for (const auto& [day, sum] : sums) {
        points.push_back({day, sum.value / sum.count, sum.count});
    }
    return points;
}

ChartSeries ToSeries(const SeriesSums& sums) {
    return {sums.name, Means(sums.daily), Means(sums.weekly), Means(sums.monthly)};
}

// A score outside 0..10 comes only from a damaged record; drawn, it would
// stand outside its panel, so it is left out like a missing one.
bool IsScore(int score) {
    return score >= kLowestScore && score <= kHighestScore;
}

}  // namespace

ChartData MakeChartData(const std::vector<store::TEntryRecord>& entries,
                        const KnownHeadings* known) {
    SeriesSums overall{kOverallName, {}, {}, {}};
    std::vector<SeriesSums> headings;
    std::map<std::string, std::size_t> headingIndex;  // stored bytes -> headings
    for (const store::TEntryRecord& record : entries) {
        const EntryFields fields = SplitEntry(record, known);
        const std::int64_t day = LocalDay(record.Key);
        if (fields.kind == EntryKind::kText) {
            if (IsScore(record.Score)) overall.Add(day, record.Score);
            continue;
        }
        for (const HeadingScore& scored : fields.headings) {
            if (!IsScore(scored.score)) continue;
            auto [at, added] = headingIndex.try_emplace(scored.heading, headings.size());
            if (added) headings.push_back({platform::Cp1252ToUtf8(scored.heading), {}, {}, {}});
            headings[at->second].Add(day, scored.score);
        }
    }
    ChartData data;
    if (!overall.daily.empty()) data.series.push_back(ToSeries(overall));
    for (const SeriesSums& sums : headings) data.series.push_back(ToSeries(sums));
    if (data.empty()) return data;
    data.firstDay = data.series.front().daily.front().day;
    data.lastDay = data.series.front().daily.back().day;
    for (const ChartSeries& series : data.series) {
        data.firstDay = std::min(data.firstDay, series.daily.front().day);
        data.lastDay = std::max(data.lastDay, series.daily.back().day);
    }
    return data;
}

}  // namespace tool
