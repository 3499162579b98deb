#include "paint/DeviceFont.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QtMath>
#include <algorithm>

namespace paint {
namespace {

QFont::StyleHint HintOf(const platform::TFontRequest& request) {
    if (!request.variablePitch) return QFont::TypeWriter;
    return request.serifFamily ? QFont::Serif : QFont::AnyStyle;
}

}  // namespace

QFont MakeDeviceFont(const platform::TFontRequest& request, const QPaintDevice& device) {
    QFont font(QString::fromStdString(request.faceName));
    font.setStyleHint(HintOf(request),
                      request.proofQuality ? QFont::PreferQuality : QFont::PreferDefault);
    font.setFixedPitch(!request.variablePitch);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(request.weight, 1, 1000)));
    font.setItalic(request.italic);
    font.setUnderline(request.underline);
    font.setStrikeOut(request.strikeOut);
    const int cell = std::max(1, request.height);
    // A pixel size gives the em; the cell is taller by the face's leading.
    font.setPixelSize(cell);
    const qreal measured = QFontMetricsF(font, &device).height();
    if (measured > 0) font.setPixelSize(std::max(1, qRound(cell * cell / measured)));
    return font;
}

}  // namespace paint
