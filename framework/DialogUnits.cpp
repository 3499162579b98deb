#include "framework/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QtMath>
#include <algorithm>
#include <mutex>

#include "framework/DialogTemplate.h"

namespace framework {
namespace {

void InstallFontSubstitutions() {
    static std::once_flag once;
    std::call_once(once, [] { QFont::insertSubstitution("MS Sans Serif", "Liberation Sans"); });
}

}  // namespace

QFont DialogFont(const DialogTemplate& dialogTemplate) {
    InstallFontSubstitutions();
    if (dialogTemplate.fontFace.empty()) return QApplication::font();
    QFont font(QString::fromStdString(dialogTemplate.fontFace));
    font.setPointSize(dialogTemplate.fontPoints);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (alphabet / 26 + 1) / 2;
    // Wrapped text advances by the line spacing, which may exceed the
    // character height by a fraction: a static sized for n lines must
    // hold n lines.
    baseY_ = std::max(metrics.height(), qCeil(QFontMetricsF(font).lineSpacing()));
}

int DialogUnits::Scale(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor
                                         : -((-product + half) / divisor));
}

}  // namespace framework
