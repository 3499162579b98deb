#pragma once
// Charts of the diary's scores: the data first (plain values, tested on
// their own), then a drawing of it with QPainter to SVG or PNG.
//
// One series for the overall score of text entries (entries without a
// score are left out) and one for each button heading, named as the
// heading and ordered by first appearance. Each series has daily points
// (the mean of that day's scores), weekly means (weeks Monday to Sunday)
// and monthly means, all over the local dates of the entries' keys.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Status.h"
#include "store/EntryRecord.h"

namespace tool {

// A day is counted in days from 1970-01-01 to the entry's local date.
struct ChartPoint {
    std::int64_t day = 0;  // daily: the day; weekly: the week's Monday; monthly: the 1st
    double value = 0;      // mean score, 0..10
    int count = 0;         // scores averaged
};

struct ChartSeries {
    std::string name;  // UTF-8: "Overall score" or the heading as stored, converted
    std::vector<ChartPoint> daily;
    std::vector<ChartPoint> weekly;
    std::vector<ChartPoint> monthly;
};

struct ChartData {
    std::int64_t firstDay = 0;  // first and last day with a point, over all series
    std::int64_t lastDay = 0;
    std::vector<ChartSeries> series;  // text entries' overall score first when any

    bool empty() const { return series.empty(); }
};

ChartData MakeChartData(const std::vector<store::TEntryRecord>& entries);

enum class ChartFormat { kSvg, kPng };

// Draws the chart and writes it to path, whole or not at all. REQUIRES: a
// QGuiApplication exists and data is not empty.
platform::Status WriteChart(const ChartData& data, const std::string& path, ChartFormat format);

}  // namespace tool
