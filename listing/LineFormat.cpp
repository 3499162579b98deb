#include "listing/LineFormat.h"

#include <algorithm>
#include <climits>
#include <string>

#include "dates/TextOps.h"

namespace listing {
namespace {

constexpr int kFieldCount = 7;

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The integer at the start of text, as atoi reads it; out-of-range values
// stop at the nearest int.
int LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL + INT_MAX);
    }
    return static_cast<int>(std::clamp<long long>(negative ? -value : value, INT_MIN, INT_MAX));
}

// The text after the n-th comma.
std::string AfterCommas(std::string_view text, int n) {
    std::string rest(text);
    for (int i = 0; i < n; ++i) rest = dates::TextAfter(rest, ",");
    return rest;
}

int DigitValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

}  // namespace

std::optional<LineFormat> ParseLineFormat(std::string_view format) {
    if (std::count(format.begin(), format.end(), ',') < kFieldCount - 1) return std::nullopt;
    // Everything but the alignment field.
    const std::string_view rest = format.substr(0, format.rfind(','));
    const std::string colour = AfterCommas(rest, 5);
    if (colour.size() < 3) return std::nullopt;
    LineFormat parsed;
    parsed.alignment = format.back();
    parsed.bold = rest.size() > 1 && rest[1] == 'b';
    parsed.size = std::clamp(LeadingInteger(rest), 0, static_cast<int>(SizeTable.size()) - 1);
    parsed.leftMargin = LeadingInteger(AfterCommas(rest, 1));
    parsed.verticalStep = LeadingInteger(AfterCommas(rest, 2));
    parsed.face =
        std::clamp(LeadingInteger(AfterCommas(rest, 3)), 0, static_cast<int>(FaceTable.size()) - 1);
    parsed.underline = AfterCommas(rest, 2).find('u') != std::string::npos;
    for (std::size_t i = 0; i < 3; ++i) {
        parsed.colorDigits[i] = DigitValue(colour[colour.size() - 3 + i]);
    }
    return parsed;
}

int LineFontHeight(int dpiY, int size) {
    return static_cast<int>(dpiY / SizeTable.at(static_cast<std::size_t>(size)));
}

platform::TFontRequest MakeLineFont(int height, std::string_view faceName, bool bold,
                                    bool underline) {
    platform::TFontRequest font;
    font.height = height;
    font.weight = bold ? 700 : 400;
    font.underline = underline;
    font.variablePitch = true;
    font.serifFamily = true;
    font.proofQuality = true;
    font.faceName = std::string(faceName);
    return font;
}

int ColourComponent(int digit) {
    return digit * 283 / 10;
}

platform::TColor LineColour(const LineFormat& format) {
    return {ColourComponent(format.colorDigits[0]), ColourComponent(format.colorDigits[1]),
            ColourComponent(format.colorDigits[2])};
}

}  // namespace listing
