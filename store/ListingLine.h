#pragma once
// How a diary record is shown as one line of the event reports listing, and
// how a long line is folded into pieces. The reports list, the listing file
// and the lookup of a selected line all use these, so a line is formed in
// exactly one place.

#include <string>
#include <string_view>
#include <vector>

#include "store/EntryRecord.h"

namespace store {

inline constexpr std::size_t FoldThreshold = 100;
inline constexpr int MaxPieces = 5;
inline constexpr std::string_view ContinuationPrefix = "      -> ";

// "%s Score = %d   %s" (Score >= 0) or "%s  %s" (Score <= -1) of Stamp,
// Score and Text, with every CR and LF replaced by a space.
std::string FormatListingLine(const TEntryRecord& record);

// Splits a line of more than 100 bytes into at most five pieces, each cut
// right after the first space that makes it longer than 100 bytes; pieces
// after the first carry ContinuationPrefix. Text after the fifth piece is
// dropped. A line of at most 100 bytes is returned as its one piece.
std::vector<std::string> FoldListingLine(std::string_view line);

// The line as it is listed: FormatListingLine, then its first piece when it
// is folded. Pieces without a letter or digit are not listed; a record whose
// first piece has none has no listed line (empty result).
std::string FirstListedPiece(const TEntryRecord& record);

}  // namespace store
