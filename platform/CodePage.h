#pragma once
// Windows-1252, the single-byte code page in which every text on disk is
// stored (diary, listing, settings). The user interface works in Unicode
// (UTF-8 here); conversion happens only at that boundary.
//
// Every byte decodes to exactly one code point. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the
// C1 control characters of the same value and encode back to the same bytes,
// so any stored byte string survives a round trip unchanged.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The code point that byte b stands for.
char32_t Cp1252ToCodePoint(unsigned char b);
// The byte that stands for code point c, or nothing when Windows-1252 cannot
// hold it.
std::optional<unsigned char> CodePointToCp1252(char32_t c);

// Windows-1252 bytes to UTF-8. Never fails.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252 bytes; nothing when the text holds a character the
// code page cannot hold or is not valid UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
// UTF-8 to Windows-1252 bytes, with "?" in place of each character the code
// page cannot hold and of each byte that does not start a valid sequence.
std::string Utf8ToCp1252Lossy(std::string_view utf8);

}  // namespace platform
