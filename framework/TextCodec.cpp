#include "framework/TextCodec.h"

#include "platform/CodePage.h"

namespace framework {

QString FromCp1252(std::string_view bytes) {
    bool ascii = true;
    for (char b : bytes) ascii &= static_cast<unsigned char>(b) < 0x80;
    if (ascii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char b : bytes) {
        *out++ = QChar(
            static_cast<char16_t>(platform::Cp1252ToCodePoint(static_cast<unsigned char>(b))));
    }
    return text;
}

std::optional<std::string> ToCp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        if (c.isSurrogate()) return std::nullopt;
        auto b = platform::CodePointToCp1252(c.unicode());
        if (!b) return std::nullopt;
        bytes.push_back(static_cast<char>(*b));
    }
    return bytes;
}

bool IsCp1252(const QString& text) {
    for (QChar c : text) {
        if (c.isSurrogate() || !platform::CodePointToCp1252(c.unicode())) return false;
    }
    return true;
}

QString FromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace framework
