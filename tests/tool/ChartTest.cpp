// Score charts: the series and means made from records, then the pictures
// (SVG read back as XML, PNG read back as an image).
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "store/Diary.h"
#include "tool/ChartData.h"
#include "tool/ChartDrawing.h"

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

struct Point {
    std::int64_t day;
    double value;
    int count;
    bool operator==(const Point&) const = default;
};

std::vector<Point> Points(const std::vector<tool::ChartPoint>& points) {
    std::vector<Point> out;
    for (const tool::ChartPoint& p : points) out.push_back({p.day, p.value, p.count});
    return out;
}

std::vector<std::string> Names(const tool::ChartData& data) {
    std::vector<std::string> names;
    for (const tool::ChartSeries& series : data.series) names.push_back(series.name);
    return names;
}

TEST(ChartData, MeansByDayWeekAndMonthAreOfTheScores) {
    // Sun 04/01/26 10 and 8, Mon 05/01 3, Wed 31/12/25 6 (its week is Mon
    // 29/12/25 to Sun 04/01/26), Sat 31/01 5, Sun 01/02 7.
    const tool::ChartData data = tool::MakeChartData({
        Text(10, At(2026y / 1 / 4)),
        Text(8, At(2026y / 1 / 4, 23)),
        Text(3, At(2026y / 1 / 5, 0)),
        Text(6, At(2025y / 12 / 31)),
        Text(5, At(2026y / 1 / 31)),
        Text(7, At(2026y / 2 / 1)),
    });
    ASSERT_EQ(Names(data), std::vector<std::string>{"Overall score"});
    const tool::ChartSeries& overall = data.series[0];
    EXPECT_EQ(Points(overall.daily), (std::vector<Point>{{Day(2025y / 12 / 31), 6, 1},
                                                         {Day(2026y / 1 / 4), 9, 2},
                                                         {Day(2026y / 1 / 5), 3, 1},
                                                         {Day(2026y / 1 / 31), 5, 1},
                                                         {Day(2026y / 2 / 1), 7, 1}}));
    EXPECT_EQ(Points(overall.weekly), (std::vector<Point>{{Day(2025y / 12 / 29), 8, 3},
                                                          {Day(2026y / 1 / 5), 3, 1},
                                                          {Day(2026y / 1 / 26), 6, 2}}));
    EXPECT_EQ(Points(overall.monthly), (std::vector<Point>{{Day(2025y / 12 / 1), 6, 1},
                                                           {Day(2026y / 1 / 1), 6.5, 4},
                                                           {Day(2026y / 2 / 1), 7, 1}}));
    EXPECT_EQ(data.firstDay, Day(2025y / 12 / 31));
    EXPECT_EQ(data.lastDay, Day(2026y / 2 / 1));
}

TEST(ChartData, EntriesWithoutAScoreAreLeftOut) {
    store::TEntryRecord damaged = Text(0, At(2026y / 3 / 2));
    damaged.Score = 11;
    EXPECT_TRUE(tool::MakeChartData({Text(-1, At(2026y / 3 / 1)), damaged}).empty());
}

TEST(ChartData, HeadingsAreSeriesInOrderOfFirstAppearance) {
    const std::string cafe = "Caf\xE9 \x80";
    const std::string cut(100, 'x');  // six of these are cut at 500 bytes after the fourth
    const tool::ChartData data = tool::MakeChartData({
        Buttons({"Sleep", "Mood", "Work", "Walk", "Read", "Eat"}, 4, At(2026y / 3 / 2)),
        Text(9, At(2026y / 3 / 3)),
        Buttons({"Mood", cafe, "Work", "Walk", "Read", "Sleep"}, 8, At(2026y / 3 / 2)),
        Buttons({cut + "1", cut + "2", cut + "3", cut + "4", cut + "5", cut + "6"}, 5,
                At(2026y / 3 / 4)),
    });
    EXPECT_EQ(Names(data), (std::vector<std::string>{"Overall score", "Sleep", "Mood", "Work",
                                                     "Walk", "Read", "Eat", "Caf\u00E9 \u20AC",
                                                     cut + "1", cut + "2", cut + "3", cut + "4"}));
    ASSERT_GE(data.series.size(), 3u);
    EXPECT_EQ(Points(data.series[2].daily), (std::vector<Point>{{Day(2026y / 3 / 2), 6, 2}}));
}

TEST(ChartData, DaysAreLocalDates) {
    const dates::Instant lateOn5th = At(2026y / 1 / 5, 20);
    const struct {
        const char* tz;
        std::int64_t day;
    } cases[] = {{.tz = "UTC", .day = Day(2026y / 1 / 5)},
                 {.tz = "XST-10", .day = Day(2026y / 1 / 6)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tz);
        jtest::SetTimeZone(c.tz);
        const tool::ChartData data = tool::MakeChartData({Text(5, lateOn5th)});
        EXPECT_EQ(data.firstDay, c.day);
        EXPECT_EQ(data.series.at(0).daily.at(0).day, c.day);
    }
}

// A chart of three series: one day only, or a quarter of a year.
tool::ChartData Sample(int days) {
    std::vector<store::TEntryRecord> entries;
    for (int i = 0; i < days; ++i) {
        const dates::Instant key = At(2026y / 1 / 6) + i * dates::SecondsPerDay;
        entries.push_back(Text((i + 5) % 11, key));
        entries.push_back(Buttons({"Sleep", "Caf\xE9 <&>", "Sleep", "Sleep", "Sleep", "Sleep"},
                                  (i + 2) % 11, key));
    }
    return tool::MakeChartData(entries);
}

// The character data of every element of a well-formed document.
std::vector<QString> XmlTexts(const std::string& bytes) {
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    std::vector<QString> texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace()) {
            texts.push_back(xml.text().toString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

std::string Drawn(const tool::ChartData& data, tool::ChartFormat format) {
    std::string bytes;
    const platform::Status status = tool::DrawChart(data, format, &bytes);
    EXPECT_TRUE(status.ok()) << status.message();
    return bytes;
}

TEST(DrawChart, SvgIsWellFormedAndHoldsItsTexts) {
    const std::vector<QString> texts = XmlTexts(Drawn(Sample(85), tool::ChartFormat::kSvg));
    for (const char* want : {"Jotwel scores, 06/01/26 to 31/03/26", "Overall score", "Sleep",
                             "Caf\u00E9 <&>", "0", "5", "10", "Monthly mean", "12/01/26"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), QString::fromUtf8(want)), texts.end())
            << want;
    }
    // Each of the three panels carries its own date labels.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), QString("12/01/26")), 3);
}

TEST(DrawChart, PngHasAPanelPerSeriesWithMarksAndDateLabelsInEach) {
    for (int days : {1, 85}) {
        SCOPED_TRACE(days);
        const std::string bytes = Drawn(Sample(days), tool::ChartFormat::kPng);
        const QImage image = QImage::fromData(QByteArray::fromStdString(bytes), "PNG");
        ASSERT_EQ(image.size(), QSize(1600, 120 + 3 * 270 + 20));
        for (int panel = 0; panel < 3; ++panel) {
            // The plot: below the panel's name, right of the score labels;
            // the labels: under the plot.
            int dark = 0, labels = 0;
            for (int y = 120 + panel * 270 + 50; y < 120 + panel * 270 + 200; ++y) {
                for (int x = 100; x < 1540; ++x) dark += qGray(image.pixel(x, y)) < 128;
            }
            for (int y = 120 + panel * 270 + 208; y < 120 + panel * 270 + 240; ++y) {
                for (int x = 0; x < 1600; ++x) labels += qGray(image.pixel(x, y)) < 128;
            }
            EXPECT_GT(dark, 100) << "panel " << panel;
            EXPECT_GT(labels, 50) << "panel " << panel;
        }
    }
}

TEST(DrawChart, FailsWithAMessageWhenThereIsNothingToDraw) {
    for (tool::ChartFormat format : {tool::ChartFormat::kSvg, tool::ChartFormat::kPng}) {
        std::string bytes;
        const platform::Status status = tool::DrawChart({}, format, &bytes);
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message().find("no scores"), std::string::npos) << status.message();
    }
}

}  // namespace
