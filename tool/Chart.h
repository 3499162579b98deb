#pragma once
// Charts of the diary's scores: the data first (plain values, tested on
// their own), then a drawing of it with QPainter to SVG or PNG.
//
// One series for the overall score of text entries (entries without a
// score are left out) and one for each button heading, named as the
// heading and ordered by first appearance. Each series has daily points
// (the mean of that day's scores), weekly means (weeks Monday to Sunday)
// and monthly means, all over the local dates of the entries' keys (TZ
// honoured). Every mean is of the scores themselves, not of daily means: a
// day with three scores weighs three times as much in its week as a day
// with one. A score outside 0..10 (only a damaged record holds one) is left
// out like a missing one.

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
    // First and last day with a score, over all series (the days of the
    // daily points). A weekly or monthly point may lie before firstDay: it
    // is kept under its week's Monday or its month's 1st.
    std::int64_t firstDay = 0;
    std::int64_t lastDay = 0;
    std::vector<ChartSeries> series;  // text entries' overall score first when any

    bool empty() const { return series.empty(); }
};

ChartData MakeChartData(const std::vector<store::TEntryRecord>& entries);

enum class ChartFormat { kSvg, kPng };

// Draws the chart and writes it to path, whole or not at all (through
// platform::WriteFileWhole). The page is 1600 px wide at 150 dpi: a 120 px
// header (title with the date span, legend), then a 220 px panel per series
// in order, each with its name and scores 0 to 10 over one shared date
// axis, and 70 px of date labels; the SVG has the same size and its texts
// as text. Black and greys on white. REQUIRES: a QGuiApplication exists
// (offscreen will do). Empty data, or no application, fails with a
// message and writes nothing.
platform::Status WriteChart(const ChartData& data, const std::string& path, ChartFormat format);

}  // namespace tool
