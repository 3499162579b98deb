#pragma once
// The text of a button entry, as the program composes it: for each of the
// six rows "<heading> = <score>" followed by that row's separator (the
// separators are uneven; the last row has none). A score is 0 to 10, or -1
// for a row left unscored. Shared by the composition (MakeButtonEntryRecord)
// and every reader that takes such a text apart.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace store {

inline constexpr std::size_t kButtonRows = 6;
inline constexpr std::string_view kButtonScoreSign = " = ";
inline constexpr std::array<std::string_view, kButtonRows> kButtonAfterScore = {" : ", " :",  " ",
                                                                                " : ", " : ", ""};
// The score of a row left unscored.
inline constexpr int kNotScored = -1;

// The composed text before any cut (at most 6 x 24-byte headings: never
// near the record's 500 bytes, but the record cuts it all the same).
std::string ComposeButtonText(const std::array<std::string, kButtonRows>& headings,
                              const std::array<int, kButtonRows>& scores);

}  // namespace store
