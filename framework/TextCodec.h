#pragma once
// Conversion between the Windows-1252 bytes the program stores and the
// Unicode texts the widgets show.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace framework {

// Never fails: every byte stands for one character.
QString FromCp1252(std::string_view bytes);
// Nothing when the text holds a character Windows-1252 cannot hold.
std::optional<std::string> ToCp1252(const QString& text);
// Whether every character of text can be stored.
bool IsCp1252(const QString& text);
// UTF-8 (the templates' texts) to a QString.
QString FromUtf8(std::string_view utf8);

}  // namespace framework
