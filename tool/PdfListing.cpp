// The listing as a PDF: the print layout drawn through a device context
// that paints on a PDF writer in memory.
#include "tool/PdfListing.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "listing/LineFormat.h"
#include "listing/ListingFile.h"
#include "listing/PrintLayout.h"
#include "listing/PrintLineTable.h"
#include "paint/DeviceFont.h"
#include "platform/CodePage.h"
#include "platform/TDC.h"

namespace tool {
namespace {

constexpr int kResolution = 300;  // dots per inch of the PDF's drawing
constexpr double kMarginMillimetres = 15;

QString FromDiary(std::string_view bytes) {
    const std::string utf8 = platform::Cp1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A device context that draws on an open painter, with the fonts the
// printer is given.
class PainterDC : public platform::TDC {
public:
    PainterDC(QPainter& painter, const QPaintDevice& device) : painter_(painter), device_(device) {}

    int DpiX() const override { return device_.logicalDpiX(); }
    int DpiY() const override { return device_.logicalDpiY(); }
    void SelectFont(const platform::TFontRequest& request) override {
        font_ = paint::MakeDeviceFont(request, device_);
        painter_.setFont(font_);
    }
    int TextHeight() const override { return QFontMetrics(font_, &device_).height(); }
    int TextWidth(std::string_view text) const override {
        return QFontMetrics(font_, &device_).horizontalAdvance(FromDiary(text));
    }
    void SetTextColor(platform::TColor color) override {
        painter_.setPen(QColor(color.red, color.green, color.blue));
    }
    void SetTextAlign(platform::TTextAlign align) override { align_ = align; }
    void TextOut(int x, int y, std::string_view text) override {
        const QString shown = FromDiary(text);
        const QFontMetrics metrics(font_, &device_);
        const int left =
            align_ == platform::TTextAlign::kRight ? x - metrics.horizontalAdvance(shown) : x;
        painter_.drawText(left, y + metrics.ascent(), shown);
    }

private:
    QPainter& painter_;
    const QPaintDevice& device_;
    QFont font_;
    platform::TTextAlign align_ = platform::TTextAlign::kLeft;
};

void DrawPage(PainterDC& dc, const std::vector<std::string>& lines, int page, int pages,
              int pageHeight) {
    listing::PrintLineTable table;
    for (const std::string& line : lines) {
        listing::PrintLine& entry = table.entries[static_cast<std::size_t>(table.PrintLineCount++)];
        entry.text = line;
        entry.format = listing::kListingLineFormat;
    }
    dc.SetTextAlign(platform::TTextAlign::kLeft);
    std::int32_t previousLineTop = 0;
    listing::DrawPrintLines(dc, table, previousLineTop);
    // The page number in the listing's font, centred at the foot.
    const listing::LineFormat format = *listing::ParseLineFormat(listing::kListingLineFormat);
    dc.SelectFont(listing::MakeLineFont(listing::LineFontHeight(dc.DpiY(), format.size),
                                        format.FaceName(), false, false));
    dc.SetTextColor({});
    dc.SetTextAlign(platform::TTextAlign::kLeft);
    const std::string number = "Page " + std::to_string(page) + " of " + std::to_string(pages);
    dc.TextOut(4 * dc.DpiX() - dc.TextWidth(number) / 2, pageHeight - dc.TextHeight(), number);
}

}  // namespace

std::vector<std::string> ListingPrintLines(const std::vector<std::string>& listed) {
    std::vector<std::string> lines{std::string(listing::kListingHeading)};
    for (std::string_view line : listed) {
        // A line of up to kLongestPrintLine - 1 characters is one print
        // line (its line end the last character); a longer one gives
        // kLongestPrintLine characters and goes on.
        while (line.size() >= listing::kLongestPrintLine) {
            lines.emplace_back(line.substr(0, listing::kLongestPrintLine));
            line.remove_prefix(listing::kLongestPrintLine);
        }
        lines.emplace_back(line);
    }
    return lines;
}

std::vector<std::vector<std::string>> PagesOf(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> pages;
    const auto perPage = static_cast<std::size_t>(listing::kLinesPerPrintJob);
    for (std::size_t first = 0; first < lines.size(); first += perPage) {
        const auto end =
            lines.begin() + static_cast<std::ptrdiff_t>(std::min(lines.size(), first + perPage));
        pages.emplace_back(lines.begin() + static_cast<std::ptrdiff_t>(first), end);
    }
    if (pages.empty()) pages.emplace_back();
    return pages;
}

platform::Status DrawListingPdf(const std::vector<std::vector<std::string>>& pages,
                                std::string* pdf) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return platform::Status::Error(0, "Cannot draw the PDF: no graphics application runs");
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setTitle("Jotwel listing");
    writer.setCreator("jotwel-tool");
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    const int pageHeight = writer.pageLayout().paintRectPixels(kResolution).height();
    QPainter painter;
    if (!painter.begin(&writer)) {
        return platform::Status::Error(0, "Cannot draw the PDF: the page could not be begun");
    }
    PainterDC dc(painter, writer);
    const int count = static_cast<int>(pages.size());
    for (int page = 0; page < count; ++page) {
        if (page > 0) writer.newPage();
        DrawPage(dc, pages[static_cast<std::size_t>(page)], page + 1, count, pageHeight);
    }
    if (!painter.end()) {
        return platform::Status::Error(0, "Cannot draw the PDF: the document could not be ended");
    }
    pdf->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return platform::Status::Ok();
}

}  // namespace tool
