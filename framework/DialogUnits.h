#pragma once
// Dialog units and the dialog fonts.

#include <QFont>
#include <QRect>

namespace framework {

struct DialogTemplate;

// The font a template asks for. "MS Sans Serif" has no metric-compatible
// face on this system and is mapped to Liberation Sans; an empty face means
// the system font.
QFont DialogFont(const DialogTemplate& dialogTemplate);

// Converts dialog units to pixels for one font: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth
// of its character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int X(int units) const { return Scale(units, baseX_, 4); }
    int Y(int units) const { return Scale(units, baseY_, 8); }
    QRect ToPixels(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    // units * base / divisor, rounded half away from zero.
    static int Scale(int units, int base, int divisor);
    int baseX_;
    int baseY_;
};

}  // namespace framework
