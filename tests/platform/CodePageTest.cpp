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

// Qt's own decoder is an independent reading of the code page's table
// (including the undefined bytes, which stand for their control characters).
TEST(CodePage, EveryByteDecodesLikeQtAndSurvivesTheRoundTrip) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    EXPECT_EQ(QString::fromStdString(Cp1252ToUtf8(bytes)),
              QStringDecoder("windows-1252").decode(QByteArray::fromStdString(bytes)));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(CodePointToCp1252(Cp1252ToCodePoint(byte)), byte) << "byte " << b;
    }
}

TEST(CodePage, RefusesCharactersItCannotHoldAndInvalidUtf8) {
    // U+0080 and U+009F are not held: bytes 0x80 and 0x9F stand for others.
    for (const char32_t c : {0x80u, 0x9Fu, 0x100u, 0x2028u, 0xFFFDu, 0x1F600u}) {
        EXPECT_EQ(CodePointToCp1252(c), std::nullopt) << std::hex << static_cast<unsigned>(c);
    }
    // Unheld U+0100; stray, never valid, truncated and badly continued bytes;
    // overlong forms, a surrogate and beyond U+10FFFF.
    const char* const refused[] = {"\xC4\x80",     "\x80",
                                   "\xFF",         "a\xE2\x82",
                                   "\xC3(",        "\xC0\x80",
                                   "\xE0\x80\xAF", "\xF0\x80\x80\xAF",
                                   "\xED\xA0\x80", "\xF4\x90\x80\x80"};
    for (const char* text : refused) {
        EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << ::testing::PrintToString(text);
    }
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC5\xA0"), "\x80\x8A");
    // One unheld character is one '?', however many bytes it takes.
    EXPECT_EQ(platform::Utf8ToCp1252Lossy("a\xFF"
                                          "b\xC4\x80"
                                          "c\xF0\x9F\x98\x80"
                                          "d\xC3\xA9"),
              "a?b?c?d\xE9");
}

}  // namespace
