#pragma once
// The data of a chart of the diary's scores: plain values, tested on their
// own; ChartDrawing.h draws them.
//
// One series for the overall score of text entries (entries without a
// score are left out) and one for each button heading, named as the
// heading and ordered by first appearance. Each series has daily points
// (the mean of that day's scores), weekly means (weeks Monday to Sunday)
// and monthly means, all over the local dates of the entries' keys (TZ
// honoured). Every mean is of the scores themselves, not of daily means: a
// day with three scores weighs three times as much in its week as a day
// with one. A row of a button entry left unscored is left out, so its
// series has a gap there; so is a score outside 0..10 (only a damaged
// record holds one).

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "store/EntryRecord.h"
#include "tool/EntryFields.h"

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

// Button entries are read with the known headings when given (see
// SplitEntry).
ChartData MakeChartData(const std::vector<store::TEntryRecord>& entries,
                        const KnownHeadings* known = nullptr);

// Day arithmetic shared by the data and its drawing: days since 1970-01-01.
std::int64_t DayNumber(const std::chrono::year_month_day& date);
std::chrono::year_month_day DateOfDay(std::int64_t day);
// The local day (TZ honoured) of an instant.
std::int64_t LocalDay(dates::Instant t);
// The Monday of the week, and the 1st of the month, that day lies in.
std::int64_t WeekStart(std::int64_t day);
std::int64_t MonthStart(std::int64_t day);

}  // namespace tool
