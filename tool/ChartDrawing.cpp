// Score charts: the series and their means, then the drawing.
//
// Drawing method: one page-like picture, 1600 px wide at 150 dpi, so text
// sized in points comes out the same in the PNG and the SVG. A header holds
// the title and the legend; below it each series has a panel of its own
// (small multiples: the eye compares panels far better than seven lines
// crossing in one), all on one date axis whose labels stand under the last
// panel. Daily means are dots; weekly and monthly means are drawn as steps
// across the days of their period that the series has (a mean belongs to
// the whole period, not to the Monday or the 1st it is kept under), broken
// where a period without scores lies between two with scores. Everything is
// black and greys on white, to read the same printed.

#include "tool/ChartDrawing.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "dates/DiaryDates.h"
#include "platform/CodePage.h"

namespace tool {

using std::chrono::year_month_day;

namespace {

constexpr int kLowestScore = 0;
constexpr int kHighestScore = 10;

// The page, in pixels at kDpi.
constexpr int kDpi = 150;
constexpr int kWidth = 1600;
constexpr int kHeaderHeight = 120;
// A panel: its name, the plot, and the date labels under it.
constexpr int kPanelHeight = 270;
constexpr int kBottomMargin = 20;
constexpr double kPlotLeft = 76;
constexpr double kPlotRight = kWidth - 44;
constexpr double kPanelTitleHeight = 44;  // from the panel's top to its plot's top
constexpr double kPlotHeight = 156;
// Fewest days the date axis shows, so a single day does not fill the width.
constexpr double kLeastAxisDays = 7;

const QColor kText(0, 0, 0);
const QColor kGrid(205, 205, 205);
const QColor kFrame(150, 150, 150);
// From faint to bold as the marks smooth more: the monthly means carry the
// trend and are drawn last, over the rest.
const QColor kDot(135, 135, 135);
const QColor kWeekly(95, 95, 95);
const QColor kMonthly(0, 0, 0);
constexpr double kDotRadius = 3.6;
constexpr double kWeeklyWidth = 1.5;
constexpr double kMonthlyWidth = 4.5;
// Narrowest period, in pixels, whose mean is drawn as a level.
constexpr double kLeastLevelWidth = 12;

QFont ChartFont(double points, bool bold = false) {
    QFont font("Liberation Sans");
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// An instant on the local day `day`, so the diary's own date formatting
// can write it: noon by UTC, moved by a day when the zone puts it on another.
dates::Instant InstantOnDay(std::int64_t day) {
    const dates::Instant noon = day * dates::SecondsPerDay + dates::SecondsPerDay / 2;
    return noon + (day - LocalDay(noon)) * dates::SecondsPerDay;
}

QString ShortDate(std::int64_t day) {
    return FromUtf8(dates::FormatShortDate(InstantOnDay(day)));
}

QString ChartTitle(const ChartData& data) {
    const QString first = "Jotwel scores, " + ShortDate(data.firstDay);
    return data.lastDay == data.firstDay ? first : first + " to " + ShortDate(data.lastDay);
}

// How far apart the date axis puts its ticks.
struct TickStep {
    enum Unit { kDay, kWeek, kMonth, kYear } unit;
    int count;
    double Days() const {
        static constexpr double kUnitDays[] = {1, 7, 30.44, 365.25};
        return kUnitDays[unit] * count;
    }
};

struct Tick {
    double day;  // where on the axis (fractional: a day's middle)
    QString label;
};

// Maps days to x and scores to y.
class Scale {
public:
    explicit Scale(const ChartData& data) {
        const double span = static_cast<double>(data.lastDay - data.firstDay + 1);
        const double pad = std::max({0.5, span * 0.01, (kLeastAxisDays - span) / 2});
        first_ = static_cast<double>(data.firstDay) - pad;
        end_ = static_cast<double>(data.lastDay + 1) + pad;
    }
    double first() const { return first_; }
    double end() const { return end_; }
    double X(double day) const {
        return kPlotLeft + (day - first_) / (end_ - first_) * (kPlotRight - kPlotLeft);
    }
    double PixelsPerDay() const { return (kPlotRight - kPlotLeft) / (end_ - first_); }
    static double Y(double plotTop, double score) {
        return plotTop + kPlotHeight * (1 - score / kHighestScore);
    }

private:
    double first_ = 0;
    double end_ = 1;
};

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return ((a % b) + b) % b;
}

QString MonthLabel(const year_month_day& date, bool withYear) {
    const QString name =
        QString::fromLatin1(dates::MonthNames[static_cast<unsigned>(date.month()) - 1]).left(3);
    return withYear ? name + " " + QString::number(static_cast<int>(date.year())) : name;
}

// The ticks of one step inside the axis, labelled dd/mm/yy for days and
// weeks: days at their middle (where their dots are), weeks, months and
// years where they start (where their means' steps start).
std::vector<Tick> TicksOf(TickStep step, const Scale& scale) {
    std::vector<Tick> ticks;
    const auto firstDay = static_cast<std::int64_t>(std::floor(scale.first()));
    const auto endDay = static_cast<std::int64_t>(std::ceil(scale.end()));
    for (std::int64_t day = firstDay; day <= endDay; ++day) {
        const year_month_day date = DateOfDay(day);
        const int year = static_cast<int>(date.year());
        const auto month = static_cast<int>(static_cast<unsigned>(date.month()));
        const bool isFirst = static_cast<unsigned>(date.day()) == 1;
        double at = static_cast<double>(day);
        QString label;
        switch (step.unit) {
            case TickStep::kDay:
                if (FloorMod(day, step.count) != 0) continue;
                at += 0.5;
                label = ShortDate(day);
                break;
            case TickStep::kWeek:  // every count-th Monday (day 4 was one)
                if (WeekStart(day) != day || FloorMod((day - 4) / 7, step.count) != 0) continue;
                label = ShortDate(day);
                break;
            case TickStep::kMonth:
                if (!isFirst || (year * 12 + month - 1) % step.count != 0) continue;
                label = MonthLabel(date, month == 1 || ticks.empty());
                break;
            case TickStep::kYear:
                if (!isFirst || month != 1 || year % step.count != 0) continue;
                label = QString::number(year);
                break;
        }
        if (at >= scale.first() && at <= scale.end()) ticks.push_back({at, label});
    }
    return ticks;
}

// The finest step whose labels do not crowd each other.
TickStep ChooseStep(const Scale& scale, double labelWidth) {
    static constexpr TickStep kSteps[] = {
        {TickStep::kDay, 1},   {TickStep::kDay, 2},   {TickStep::kWeek, 1},  {TickStep::kWeek, 2},
        {TickStep::kMonth, 1}, {TickStep::kMonth, 2}, {TickStep::kMonth, 3}, {TickStep::kMonth, 6},
        {TickStep::kYear, 1},  {TickStep::kYear, 2},  {TickStep::kYear, 5},  {TickStep::kYear, 10},
        {TickStep::kYear, 20}, {TickStep::kYear, 50}, {TickStep::kYear, 100}};
    for (const TickStep& step : kSteps) {
        if (step.Days() * scale.PixelsPerDay() >= labelWidth) return step;
    }
    return kSteps[std::size(kSteps) - 1];
}

// Draws the whole chart onto a painter whose device is kWidth wide and
// PageHeight tall at kDpi.
class ChartPainter {
public:
    ChartPainter(QPainter& painter, const ChartData& data)
        : p_(painter), data_(data), scale_(data) {}

    void Draw() {
        p_.fillRect(QRectF(0, 0, kWidth, PageHeight(data_)), Qt::white);
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setFont(ChartFont(9));
        const double labelWidth = p_.fontMetrics().horizontalAdvance("00/00/00  ") + 16;
        ticks_ = TicksOf(ChooseStep(scale_, labelWidth), scale_);
        DrawHeader();
        for (std::size_t i = 0; i < data_.series.size(); ++i) {
            const double top = kHeaderHeight + static_cast<double>(i) * kPanelHeight;
            DrawPanel(data_.series[i], top);
            DrawDateLabels(top + kPanelTitleHeight + kPlotHeight);
        }
    }

    static int PageHeight(const ChartData& data) {
        return kHeaderHeight + static_cast<int>(data.series.size()) * kPanelHeight + kBottomMargin;
    }

private:
    void DrawText(const QRectF& box, int flags, const QString& text) {
        p_.setPen(kText);
        p_.drawText(box, flags, text);
    }

    void DrawHeader() {
        p_.setFont(ChartFont(15, true));
        DrawText(QRectF(kPlotLeft, 14, kPlotRight - kPlotLeft, 44),
                 Qt::AlignLeft | Qt::AlignVCenter, ChartTitle(data_));
        DrawLegend(76);
    }

    // One sample and its words per kind of mark, in a row at y (the middle).
    void DrawLegend(double y) {
        p_.setFont(ChartFont(9.5));
        double x = kPlotLeft;
        const auto words = [&](const QString& text) {
            const double width = p_.fontMetrics().horizontalAdvance(text);
            DrawText(QRectF(x, y - 20, width + 4, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
            x += width + 44;
        };
        DrawDot(x + 8, y);
        x += 24;
        words("Daily mean");
        DrawMeanLine({QPointF(x, y), QPointF(x + 40, y)}, kWeekly, kWeeklyWidth);
        x += 52;
        words("Weekly mean (Monday to Sunday)");
        DrawMeanLine({QPointF(x, y), QPointF(x + 40, y)}, kMonthly, kMonthlyWidth);
        x += 52;
        words("Monthly mean");
        words("Means are of all scores in the period, not of daily means.");
    }

    void DrawPanel(const ChartSeries& series, double top) {
        const double plotTop = top + kPanelTitleHeight;
        p_.setFont(ChartFont(11, true));
        const QString name = series.name.empty() ? "(no heading)" : FromUtf8(series.name);
        const double width = kPlotRight - kPlotLeft;
        DrawText(QRectF(kPlotLeft, top + 8, width, kPanelTitleHeight - 10),
                 Qt::AlignLeft | Qt::AlignVCenter,
                 p_.fontMetrics().elidedText(name, Qt::ElideRight, static_cast<int>(width)));
        DrawGrid(plotTop);
        if (series.daily.empty()) return;  // not from MakeChartData: nothing to mark
        const std::int64_t from = series.daily.front().day;
        const std::int64_t to = series.daily.back().day + 1;
        for (const ChartPoint& point : series.daily) {
            DrawDot(scale_.X(static_cast<double>(point.day) + 0.5), Scale::Y(plotTop, point.value));
        }
        DrawSteps(series.weekly, plotTop, from, to, &NextWeek, kWeekly, kWeeklyWidth);
        DrawSteps(series.monthly, plotTop, from, to, &NextMonth, kMonthly, kMonthlyWidth);
    }

    void DrawGrid(double plotTop) {
        const double bottom = plotTop + kPlotHeight;
        p_.setPen(QPen(kGrid, 1));
        for (const Tick& tick : ticks_) {
            p_.drawLine(QPointF(scale_.X(tick.day), plotTop), QPointF(scale_.X(tick.day), bottom));
        }
        p_.setFont(ChartFont(9));
        for (int score = kLowestScore; score <= kHighestScore; score += 5) {
            const double y = Scale::Y(plotTop, score);
            p_.setPen(QPen(score == kLowestScore ? kFrame : kGrid, 1));
            p_.drawLine(QPointF(kPlotLeft, y), QPointF(kPlotRight, y));
            DrawText(QRectF(0, y - 15, kPlotLeft - 10, 30), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(score));
        }
        p_.setPen(QPen(kFrame, 1));
        p_.drawLine(QPointF(kPlotLeft, plotTop), QPointF(kPlotLeft, bottom));
    }

    static std::int64_t NextWeek(std::int64_t monday) { return monday + 7; }
    static std::int64_t NextMonth(std::int64_t first) {
        const year_month_day date = DateOfDay(first);
        return DayNumber(date.year() / date.month() / 1 + std::chrono::months{1});
    }

    // Each mean as a level across its period, kept within [from, to) (the
    // series' own days); periods that follow each other are joined. Periods
    // too narrow for a level to show (months over decades) are drawn as a
    // line through their middles instead, which reads as one.
    void DrawSteps(const std::vector<ChartPoint>& means, double plotTop, std::int64_t from,
                   std::int64_t to, std::int64_t (*next)(std::int64_t), const QColor& color,
                   double width) {
        const bool levels =
            means.empty() ||
            (next(means[0].day) - means[0].day) * scale_.PixelsPerDay() >= kLeastLevelWidth;
        std::vector<QPointF> run;
        std::optional<std::int64_t> runEnd;
        for (const ChartPoint& mean : means) {
            if (runEnd && *runEnd != mean.day) DrawMeanLine(std::exchange(run, {}), color, width);
            const std::int64_t end = next(mean.day);
            const double left = scale_.X(static_cast<double>(std::max(mean.day, from)));
            const double right = scale_.X(static_cast<double>(std::min(end, to)));
            const double y = Scale::Y(plotTop, mean.value);
            if (levels) run.emplace_back(left, y);
            run.emplace_back(levels ? right : (left + right) / 2, y);
            runEnd = end;
        }
        DrawMeanLine(run, color, width);
    }

    void DrawMeanLine(const std::vector<QPointF>& points, const QColor& color, double width) {
        if (points.empty()) return;
        QPainterPath path(points.front());
        for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(points[i]);
        p_.setBrush(Qt::NoBrush);
        p_.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p_.drawPath(path);
    }

    void DrawDot(double x, double y) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(kDot);
        p_.drawEllipse(QPointF(x, y), kDotRadius, kDotRadius);
        p_.setBrush(Qt::NoBrush);
    }

    // The ticks' labels under a panel's plot, centred on their ticks but
    // kept on the page; one that would touch the one before is left out.
    void DrawDateLabels(double axisY) {
        p_.setFont(ChartFont(9));
        p_.setPen(QPen(kFrame, 1));
        double lastRight = -kWidth;
        for (const Tick& tick : ticks_) {
            const double x = scale_.X(tick.day);
            p_.drawLine(QPointF(x, axisY), QPointF(x, axisY + 6));
            const double width = p_.fontMetrics().horizontalAdvance(tick.label) + 2;
            const double left = std::clamp(x - width / 2, 4.0, kWidth - 4 - width);
            if (left < lastRight + 8) continue;
            DrawText(QRectF(left, axisY + 8, width, 30), Qt::AlignCenter, tick.label);
            p_.setPen(QPen(kFrame, 1));
            lastRight = left + width;
        }
    }

    QPainter& p_;
    const ChartData& data_;
    Scale scale_;
    std::vector<Tick> ticks_;
};

platform::Status DrawingFailed(const char* why) {
    return platform::Status::Error(0, std::string("Cannot draw the chart: ") + why);
}

std::optional<QByteArray> DrawSvg(const ChartData& data) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kDpi);
    svg.setSize(QSize(kWidth, ChartPainter::PageHeight(data)));
    svg.setViewBox(QRect(0, 0, kWidth, ChartPainter::PageHeight(data)));
    svg.setTitle(ChartTitle(data));
    QPainter painter;
    if (!painter.begin(&svg)) return std::nullopt;
    ChartPainter(painter, data).Draw();
    if (!painter.end()) return std::nullopt;
    return bytes;
}

std::optional<QByteArray> DrawPng(const ChartData& data) {
    QImage image(kWidth, ChartPainter::PageHeight(data), QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;  // too many series to hold in memory
    const int dotsPerMeter = static_cast<int>(std::lround(kDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter;
    if (!painter.begin(&image)) return std::nullopt;
    ChartPainter(painter, data).Draw();
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
    return bytes;
}

}  // namespace

platform::Status DrawChart(const ChartData& data, ChartFormat format, std::string* bytes) {
    if (data.empty()) return DrawingFailed("there are no scores to chart");
    const bool graphics = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    if (!graphics) return DrawingFailed("no graphics application is running");
    const std::optional<QByteArray> drawn =
        format == ChartFormat::kSvg ? DrawSvg(data) : DrawPng(data);
    if (!drawn) return DrawingFailed("the picture could not be made");
    bytes->assign(drawn->constData(), static_cast<std::size_t>(drawn->size()));
    return platform::Status::Ok();
}

}  // namespace tool
