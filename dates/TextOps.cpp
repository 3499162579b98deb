// Small operations on single-byte texts. Only the ASCII letters and digits
// are special; every other byte, including those above 127, is compared and
// copied as it is.

#include "dates/TextOps.h"

#include <climits>

namespace dates {
namespace {

bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int FindText(std::string_view text, std::string_view sought) {
    if (sought.empty()) return -1;
    const std::size_t at = text.find(sought);
    // The diary's texts are short; an index past INT_MAX cannot be reported.
    return at == std::string_view::npos || at > INT_MAX ? -1 : static_cast<int>(at);
}

std::string TextBefore(std::string_view text, std::string_view separator) {
    const int at = FindText(text, separator);
    return std::string(at < 0 ? text : text.substr(0, static_cast<std::size_t>(at)));
}

std::string TextAfter(std::string_view text, std::string_view separator) {
    const int at = FindText(text, separator);
    return std::string(at < 0 ? text
                              : text.substr(static_cast<std::size_t>(at) + separator.size()));
}

bool HasLetterOrDigit(std::string_view text) {
    for (const char c : text) {
        if (IsAsciiUpper(c) || IsAsciiLower(c) || IsAsciiDigit(c)) return true;
    }
    return false;
}

std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (IsAsciiUpper(c)) c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

bool ContainsWordIgnoringCase(std::string_view text, std::string_view word) {
    return word.empty() || FindText(LowerAscii(text), LowerAscii(word)) >= 0;
}

}  // namespace dates
