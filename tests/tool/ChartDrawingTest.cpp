// What a chart draws, read back from its SVG: over most of a year a tick at
// the first of each month, labelled with the month's name once (the first
// with its year); over whole weeks the weekly means as one line of steps,
// each a week wide; over a few weeks grey ticks, each under its day's dot.
#include <gtest/gtest.h>

#include <QXmlStreamReader>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "store/Diary.h"
#include "tool/ChartData.h"
#include "tool/ChartDrawing.h"

namespace {

using namespace std::chrono;

std::vector<store::TEntryRecord> DailyEntries(year_month_day from, int days) {
    std::vector<store::TEntryRecord> entries;
    const std::int64_t first = sys_days{from}.time_since_epoch().count();
    for (int i = 0; i < days; ++i) {
        entries.push_back(store::MakeTextEntryRecord(
            "summary", "note", i % 11, (first + i) * dates::SecondsPerDay + 12 * 3600));
    }
    return entries;
}

std::string WriteSvg(const std::vector<store::TEntryRecord>& entries) {
    std::string bytes;
    EXPECT_TRUE(
        tool::DrawChart(tool::MakeChartData(entries), tool::ChartFormat::kSvg, &bytes).ok());
    return bytes;
}

std::vector<QString> SvgTexts(const std::string& bytes) {
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    std::vector<QString> texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace()) {
            texts.push_back(xml.text().toString().trimmed());
        }
    }
    return texts;
}

TEST(ChartDrawing, MonthsAreLabelledOnceEach) {
    const std::vector<QString> texts = SvgTexts(WriteSvg(DailyEntries(2026y / 1 / 6, 300)));
    for (const char* month : {"Feb 2026", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct"}) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), QString(month)), 1) << month;
    }
}

// The x coordinates of the paths drawn with the given stroke width.
std::vector<std::vector<double>> PathsOfWidth(const std::string& svg, const QString& width) {
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    std::vector<std::vector<double>> paths;
    QString groupWidth;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QString("g")) {
            groupWidth = xml.attributes().value("stroke-width").toString();
        } else if (xml.name() == QString("path") && groupWidth == width) {
            std::vector<double> xs;
            for (const QString& point :
                 xml.attributes().value("d").toString().split(' ', Qt::SkipEmptyParts)) {
                xs.push_back(point.mid(1).section(',', 0, 0).toDouble());
            }
            paths.push_back(xs);
        }
    }
    return paths;
}

TEST(ChartDrawing, WeeklyMeansAreOneLineOfWeekWideSteps) {
    // Four whole weeks, Monday 05/01/26 to Sunday 01/02/26.
    const std::vector<std::vector<double>> paths =
        PathsOfWidth(WriteSvg(DailyEntries(2026y / 1 / 5, 28)), "1.5");
    ASSERT_EQ(paths.size(), 2u) << "the legend's sample and the line";
    const std::vector<double>& steps = paths[1];
    ASSERT_EQ(steps.size(), 8u);
    const double week = steps[1] - steps[0];
    EXPECT_GT(week, 0);
    for (std::size_t i = 1; i + 1 < steps.size(); i += 2) {
        EXPECT_DOUBLE_EQ(steps[i + 1], steps[i]) << "the next week starts where one ends";
        EXPECT_NEAR(steps[i + 2] - steps[i + 1], week, 0.01) << i;
    }
}

TEST(ChartDrawing, DayTicksAreGreyAndUnderTheDots) {
    QXmlStreamReader xml(QByteArray::fromStdString(WriteSvg(DailyEntries(2026y / 1 / 5, 28))));
    QString stroke, width;
    std::vector<double> dots;
    std::vector<std::pair<double, QString>> ticks;  // x, the pen's colour and width
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QString("g")) {
            stroke = xml.attributes().value("stroke").toString();
            width = xml.attributes().value("stroke-width").toString();
        } else if (xml.name() == QString("circle")) {
            dots.push_back(xml.attributes().value("cx").toDouble());
        } else if (xml.name() == QString("polyline")) {
            const QStringList points =
                xml.attributes().value("points").toString().split(' ', Qt::SkipEmptyParts);
            if (points.size() != 2) continue;
            const double x0 = points[0].section(',', 0, 0).toDouble();
            const double y0 = points[0].section(',', 1, 1).toDouble();
            const double x1 = points[1].section(',', 0, 0).toDouble();
            const double y1 = points[1].section(',', 1, 1).toDouble();
            if (x0 == x1 && y1 - y0 == 6) ticks.emplace_back(x0, stroke + " " + width);
        }
    }
    ASSERT_GE(ticks.size(), 4u);
    const double lastDot = *std::max_element(dots.begin(), dots.end());
    for (const auto& [x, pen] : ticks) {
        EXPECT_EQ(pen, "#969696 1") << x;
        if (x > lastDot) continue;  // the axis may go on past the last day with an entry
        EXPECT_TRUE(std::any_of(dots.begin(), dots.end(),
                                [x = x](double dot) { return std::abs(dot - x) < 0.01; }))
            << "no dot above the tick at " << x;
    }
}

}  // namespace
