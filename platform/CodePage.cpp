#include "platform/CodePage.h"

namespace platform {
namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined stand for the C1 controls of the same value.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(char32_t c, std::string* out) {
    if (c < 0x80) {
        *out += static_cast<char>(c);
    } else if (c < 0x800) {
        *out += static_cast<char>(0xC0 | (c >> 6));
        *out += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // every code point of the code page lies below U+10000
        *out += static_cast<char>(0xE0 | (c >> 12));
        *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes the character at *pos and moves past it. On an invalid sequence
// (bad lead or continuation byte, truncation, overlong form, surrogate,
// beyond U+10FFFF) returns nothing and moves past one byte.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t* pos) {
    const auto lead = static_cast<unsigned char>(text[*pos]);
    const int length = SequenceLength(lead);
    if (length == 0 || *pos + length > text.size()) {
        ++*pos;
        return std::nullopt;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[*pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++*pos;
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++*pos;
        return std::nullopt;
    }
    *pos += length;
    return c;
}

// Converts UTF-8 to the code page; `replacement` stands in for what cannot
// be converted, or the conversion fails when it is 0.
std::optional<std::string> ConvertUtf8(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::optional<char32_t> c = DecodeUtf8(utf8, &pos);
        const std::optional<unsigned char> b = c ? CodePointToCp1252(*c) : std::nullopt;
        if (b) {
            out += static_cast<char>(*b);
        } else if (replacement != 0) {
            out += replacement;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace

char32_t Cp1252ToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHighControls[b - 0x80];
    return b;
}

std::optional<unsigned char> CodePointToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes) AppendUtf8(Cp1252ToCodePoint(static_cast<unsigned char>(b)), &out);
    return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    return ConvertUtf8(utf8, 0);
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
    return *ConvertUtf8(utf8, '?');
}

}  // namespace platform
