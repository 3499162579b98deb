#include "listing/PrintLayout.h"

#include <algorithm>
#include <climits>

#include "listing/LineFormat.h"

namespace listing {
namespace {

int Saturated(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Bytes that decode to control characters: C0, DEL, and the five that
// Windows-1252 leaves undefined.
bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

LineFormat FormatOf(const PrintLine& line) {
    if (auto parsed = ParseLineFormat(line.format)) return *parsed;
    return *ParseLineFormat(kListingLineFormat);
}

// Where the line goes across, and for "X" how far down it must be; moves
// y and sets the alignment as the format says.
int PlaceLine(platform::TDC& dc, const LineFormat& format, int width, long long& y,
              std::int32_t previousLineTop) {
    const long long centred = 4LL * dc.DpiX() - width / 2;
    switch (format.alignment) {
        case 'X':
            // 8.5 inches, rounded up to a whole dot.
            y = std::max(y, (17LL * dc.DpiY() + 1) / 2);
            return Saturated(centred);
        case 'C':
            return Saturated(centred);
        case 'L':
            dc.SetTextAlign(platform::TTextAlign::kLeft);
            break;
        case 'R':
            dc.SetTextAlign(platform::TTextAlign::kRight);
            break;
        default:
            break;
    }
    y = format.verticalStep == -1 ? previousLineTop : y + format.verticalStep;
    return Saturated(static_cast<long long>(dc.DpiX()) * format.leftMargin / 4);
}

}  // namespace

std::int32_t& PreviousLineTop() {
    static std::int32_t top = 0;
    return top;
}

std::string PrintableText(std::string_view text) {
    if (text.ends_with('\n')) text.remove_suffix(text.ends_with("\r\n") ? 2 : 1);
    std::string printable(text);
    std::replace_if(
        printable.begin(), printable.end(),
        [](char c) { return IsControl(static_cast<unsigned char>(c)); }, ' ');
    return printable;
}

void DrawPrintLines(platform::TDC& dc, const PrintLineTable& table, std::int32_t& previousLineTop) {
    const int count = std::clamp(table.PrintLineCount, 0, static_cast<int>(table.entries.size()));
    long long y = 0;
    for (int i = 0; i < count; ++i) {
        const PrintLine& line = table.entries[static_cast<std::size_t>(i)];
        const LineFormat format = FormatOf(line);
        dc.SelectFont(MakeLineFont(LineFontHeight(dc.DpiY(), format.size), format.FaceName(),
                                   format.bold, format.underline));
        const std::string text = PrintableText(line.text);
        const int height = dc.TextHeight();
        const int width = dc.TextWidth(text);
        dc.SetTextColor(LineColour(format));
        const int x = PlaceLine(dc, format, width, y, previousLineTop);
        dc.TextOut(x, Saturated(y), text);
        previousLineTop = Saturated(y);
        y = previousLineTop + static_cast<long long>(height);
    }
}

}  // namespace listing
