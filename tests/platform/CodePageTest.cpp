#include <gtest/gtest.h>

#include <QStringDecoder>
#include <optional>
#include <string>

#include "platform/CodePage.h"

namespace {

using platform::CodePointToCp1252;
using platform::Cp1252ToCodePoint;
using platform::Cp1252ToUtf8;
using platform::Utf8ToCp1252;

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    const std::string bytes = AllBytes();
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(CodePointToCp1252(Cp1252ToCodePoint(byte)), byte) << "byte " << b;
    }
}

// Qt's own decoder is an independent reading of the code page's table.
TEST(CodePage, DecodesLikeQt) {
    const std::string bytes = AllBytes();
    const QString expected =
        QStringDecoder("windows-1252").decode(QByteArray::fromStdString(bytes));
    EXPECT_EQ(QString::fromStdString(Cp1252ToUtf8(bytes)), expected);
}

TEST(CodePage, UndefinedBytesStandForTheirControlCharacters) {
    for (const unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(Cp1252ToCodePoint(b), char32_t{b});
        EXPECT_EQ(CodePointToCp1252(b), b);
    }
    EXPECT_EQ(Cp1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
}

TEST(CodePage, RefusesCharactersItCannotHold) {
    // U+0080 and U+009F are not held: bytes 0x80 and 0x9F stand for others.
    for (const char32_t c : {0x80u, 0x9Fu, 0x100u, 0x2028u, 0xFFFDu, 0x1F600u}) {
        EXPECT_EQ(CodePointToCp1252(c), std::nullopt) << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(Utf8ToCp1252("\xC4\x80"), std::nullopt);  // U+0100
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC5\xA0"), "\x80\x8A");
}

TEST(CodePage, RefusesInvalidUtf8) {
    const char* const invalid[] = {
        "\x80",              // continuation without a lead
        "\xFF",              // never valid
        "\xC3",              // truncated
        "a\xE2\x82",         // truncated at the end
        "\xC3(",             // bad continuation
        "\xC0\x80",          // overlong NUL
        "\xC1\xBF",          // overlong
        "\xE0\x80\xAF",      // overlong
        "\xF0\x80\x80\xAF",  // overlong
        "\xED\xA0\x80",      // surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
    };
    for (const char* text : invalid) {
        EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << ::testing::PrintToString(text);
    }
}

TEST(CodePage, LossyConversionMarksWhatItCannotConvert) {
    EXPECT_EQ(platform::Utf8ToCp1252Lossy("a\xFF"
                                          "b\xC4\x80"
                                          "c\xC3\xA9"),
              "a?b?c\xE9");
}

}  // namespace
