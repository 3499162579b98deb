// The date axis of a chart over most of a year: a tick at the first of
// each month, labelled with the month's name once (the first with its year).
#include <gtest/gtest.h>

#include <QXmlStreamReader>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "store/Diary.h"
#include "tool/Chart.h"

namespace {

using namespace std::chrono;

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

TEST(ChartTicks, MonthsAreLabelledOnceEach) {
    std::vector<store::TEntryRecord> entries;
    const std::int64_t first = sys_days{2026y / 1 / 6}.time_since_epoch().count();
    for (int i = 0; i < 300; ++i) {
        entries.push_back(store::MakeTextEntryRecord(
            "summary", "note", i % 11, (first + i) * dates::SecondsPerDay + 12 * 3600));
    }
    const std::string path = jtest::InTestDir("chart.svg");
    ASSERT_TRUE(tool::WriteChart(tool::MakeChartData(entries), path, tool::ChartFormat::kSvg).ok());
    const std::vector<QString> texts = SvgTexts(jtest::ReadFileBytes(path));
    for (const char* month : {"Feb 2026", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct"}) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), QString(month)), 1) << month;
    }
}

}  // namespace
