// Score charts: the series and means made from records, then the pictures
// (SVG read back as XML, PNG read back as an image).
#include <gmock/gmock.h>

#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <sstream>
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

// Daily entries from a day: a text entry and a button entry of two headings.
std::string Drawn(year_month_day from, int days, tool::ChartFormat format) {
    std::vector<store::TEntryRecord> entries;
    for (int i = 0; i < days; ++i) {
        const dates::Instant key = At(from) + i * dates::SecondsPerDay;
        entries.push_back(Text(i % 11, key));
        entries.push_back(Buttons({"Sleep", "Caf\xE9 <&>", "Sleep", "Sleep", "Sleep", "Sleep"},
                                  (i + 2) % 11, key));
    }
    std::string bytes;
    const platform::Status status = tool::DrawChart(tool::MakeChartData(entries), format, &bytes);
    EXPECT_TRUE(status.ok()) << status.message();
    return bytes;
}

// The SVG's texts; the x coordinates of its dots, of its paths of a pen
// 1.5 wide (the weekly means) and of its short grey ticks.
struct Svg {
    std::vector<QString> texts;
    std::vector<double> dots, ticks;
    std::vector<std::vector<double>> means;
};

Svg ReadSvg(const std::string& bytes) {
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    Svg svg;
    QString pen;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        const auto attribute = [&](const char* name) { return xml.attributes().value(name); };
        if (token == QXmlStreamReader::Characters && !xml.isWhitespace()) {
            svg.texts.push_back(xml.text().toString().trimmed());
        } else if (token != QXmlStreamReader::StartElement) {
        } else if (xml.name() == QString("g")) {
            pen = attribute("stroke").toString() + " " + attribute("stroke-width").toString();
        } else if (xml.name() == QString("circle")) {
            svg.dots.push_back(attribute("cx").toDouble());
            EXPECT_TRUE(pen.startsWith("none")) << "a dot with an outline";
        } else if (xml.name() == QString("path") && pen.endsWith(" 1.5")) {
            svg.means.emplace_back();
            for (const QString& point : attribute("d").toString().split(' ', Qt::SkipEmptyParts))
                svg.means.back().push_back(point.mid(1).section(',', 0, 0).toDouble());
        } else if (xml.name() == QString("polyline") && pen == "#969696 1") {
            const QStringList points =
                attribute("points").toString().split(' ', Qt::SkipEmptyParts);
            const auto at = [&](int i, int xy) {
                return points[i].section(',', xy, xy).toDouble();
            };
            if (points.size() == 2 && at(0, 0) == at(1, 0) && at(1, 1) - at(0, 1) == 6)
                svg.ticks.push_back(at(0, 0));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return svg;
}

// Over most of a year each month is labelled once (the first with its
// year); each of the three panels carries its own date labels.
TEST(DrawChart, SvgIsWellFormedAndHoldsItsTexts) {
    const std::vector<QString> texts =
        ReadSvg(Drawn(2026y / 1 / 6, 300, tool::ChartFormat::kSvg)).texts;
    const auto count = [&](const char* text) {
        return std::count(texts.begin(), texts.end(), QString::fromUtf8(text));
    };
    for (const char* want : {"Jotwel scores, 06/01/26 to 01/11/26", "Overall score", "Sleep",
                             "Caf\u00E9 <&>", "0", "5", "10", "Monthly mean"}) {
        EXPECT_GE(count(want), 1) << want;
    }
    for (const char* month : {"Feb 2026", "Mar", "Jun", "Oct"}) EXPECT_EQ(count(month), 3) << month;
}

// Over four whole weeks: the weekly means as one line of week-wide steps,
// and a grey tick under each day's dot.
TEST(DrawChart, WeeklyMeansAreStepsAndDayTicksAreUnderTheDots) {
    const Svg svg = ReadSvg(Drawn(2026y / 1 / 5, 28, tool::ChartFormat::kSvg));
    ASSERT_GE(svg.means.size(), 2u) << "the legend's sample and the line";
    const std::vector<double>& steps = svg.means[1];
    ASSERT_EQ(steps.size(), 8u);
    const double week = steps[1] - steps[0];
    EXPECT_GT(week, 0);
    for (std::size_t i = 1; i + 1 < steps.size(); i += 2) {
        EXPECT_DOUBLE_EQ(steps[i + 1], steps[i]) << "the next week starts where one ends";
        EXPECT_NEAR(steps[i + 2] - steps[i + 1], week, 0.01) << i;
    }
    ASSERT_GE(svg.ticks.size(), 4u);
    const double lastDot = *std::max_element(svg.dots.begin(), svg.dots.end());
    for (double x : svg.ticks) {
        if (x > lastDot) continue;  // the axis may go on past the last day with an entry
        EXPECT_TRUE(std::any_of(svg.dots.begin(), svg.dots.end(),
                                [x](double dot) { return std::abs(dot - x) < 0.01; }))
            << "no dot above the tick at " << x;
    }
}

// A picture of one day or of a quarter: each panel has marks in its plot.
TEST(DrawChart, PngHasAPanelPerSeriesWithMarksInEach) {
    for (int days : {1, 85}) {
        const std::string bytes = Drawn(2026y / 1 / 6, days, tool::ChartFormat::kPng);
        const QImage image = QImage::fromData(QByteArray::fromStdString(bytes), "PNG");
        ASSERT_EQ(image.size(), QSize(1600, 120 + 3 * 270 + 20));
        for (int top = 120; top < 120 + 3 * 270; top += 270) {
            int dark = 0;  // below the panel's name, right of the score labels
            for (int y = top + 50; y < top + 200; ++y) {
                for (int x = 100; x < 1540; ++x) dark += qGray(image.pixel(x, y)) < 128;
            }
            EXPECT_GT(dark, 100) << days << " days, panel at " << top;
        }
    }
    std::string bytes;
    EXPECT_THAT(tool::DrawChart({}, tool::ChartFormat::kPng, &bytes).message(),
                ::testing::HasSubstr("no scores"));
}

}  // namespace
