#pragma once
// The small operations on single-byte texts that the diary uses to split
// typed dates, decide whether a box was left blank and search entries for a
// word. Only the ASCII letters and digits are special; bytes above 127 are
// compared and copied unchanged.

#include <string>
#include <string_view>

namespace dates {

// Index of the first occurrence of sought in text, or -1. An empty sought
// never matches. Case-sensitive.
int FindText(std::string_view text, std::string_view sought);
// Text up to the first separator; the whole text when there is none.
std::string TextBefore(std::string_view text, std::string_view separator);
// Text after the first separator; the whole text when there is none.
std::string TextAfter(std::string_view text, std::string_view separator);
// True when text holds at least one of A-Z, a-z, 0-9: the blank test used
// everywhere.
bool HasLetterOrDigit(std::string_view text);
// A copy with A-Z turned to a-z; nothing else changes.
std::string LowerAscii(std::string_view text);
// Whether word occurs in text as a substring, A-Z compared without regard to
// case. An empty word matches everything.
bool ContainsWordIgnoringCase(std::string_view text, std::string_view word);

}  // namespace dates
