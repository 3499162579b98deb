#pragma once
// Whether a text entry's summary and note fit together in one record.

#include <cstddef>
#include <string_view>

namespace store {

// How many bytes of summary and note must go before a text entry holds them
// whole, or 0 when it does. The record's Text ("%s  = %s)") holds 500 bytes;
// only the composition's own separator and closing parenthesis after the
// last typed byte may be cut, so a summary of up to 500 bytes with an empty
// note always fits.
std::size_t CharactersToRemove(std::string_view summary, std::string_view note);

}  // namespace store
