#include "framework/print/TRecordingDC.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "framework/TextCodec.h"
#include "paint/DeviceFont.h"

namespace framework {

TRecordingDC::TRecordingDC(const QPaintDevice& device) : device_(device) {
    platform::TFontRequest twelvePoints;
    twelvePoints.height = device.logicalDpiY() / 6;
    font_ = paint::MakeDeviceFont(twelvePoints, device_);
}

int TRecordingDC::DpiX() const {
    return device_.logicalDpiX();
}
int TRecordingDC::DpiY() const {
    return device_.logicalDpiY();
}

void TRecordingDC::SelectFont(const platform::TFontRequest& request) {
    font_ = paint::MakeDeviceFont(request, device_);
}

int TRecordingDC::TextHeight() const {
    return QFontMetrics(font_, &device_).height();
}

int TRecordingDC::TextWidth(std::string_view text) const {
    return QFontMetrics(font_, &device_).horizontalAdvance(FromCp1252(text));
}

void TRecordingDC::SetTextColor(platform::TColor color) {
    color_ = color;
}
void TRecordingDC::SetTextAlign(platform::TTextAlign align) {
    align_ = align;
}

void TRecordingDC::TextOut(int x, int y, std::string_view text) {
    if (pages_.empty()) StartPage();
    const int left = align_ == platform::TTextAlign::kRight ? x - TextWidth(text) : x;
    const int baseline = y + QFontMetrics(font_, &device_).ascent();
    pages_.back().push_back(Text{font_, color_, left, baseline, std::string(text)});
}

void TRecordingDC::StartPage() {
    pages_.emplace_back();
}

void TRecordingDC::PlayPage(int page, QPainter& painter) const {
    for (const Text& text : pages_.at(static_cast<std::size_t>(page))) {
        painter.setFont(text.font);
        painter.setPen(QColor(std::clamp(text.color.red, 0, 255),
                              std::clamp(text.color.green, 0, 255),
                              std::clamp(text.color.blue, 0, 255)));
        painter.drawText(text.x, text.baseline, FromCp1252(text.bytes));
    }
}

}  // namespace framework
