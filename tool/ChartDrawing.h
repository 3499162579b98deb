#pragma once
// Drawing a chart of the diary's scores with QPainter, to SVG or PNG.

#include <string>

#include "platform/Status.h"
#include "tool/ChartData.h"

namespace tool {

enum class ChartFormat { kSvg, kPng };

// Draws the chart into *bytes (the whole file). The page is 1600 px wide
// at 150 dpi: a 120 px header (title with the date span, legend), then a
// 270 px panel per series in order, each with its name, scores 0 to 10
// over the date axis all panels share, and that axis's date labels under
// it, and 20 px below the last; the SVG has the same size and its texts as
// text. Black and greys on white. REQUIRES: a QGuiApplication exists
// (offscreen will do). Empty data, or no application, fails with a
// message.
platform::Status DrawChart(const ChartData& data, ChartFormat format, std::string* bytes);

}  // namespace tool
