#include "store/ListingLine.h"

#include <algorithm>

#include "dates/TextOps.h"

namespace store {

std::string FormatListingLine(const TEntryRecord& record) {
    std::string line;
    line.reserve(record.Stamp.size() + 16 + record.Text.size());
    line.append(record.Stamp);
    if (record.Score >= 0) {
        line.append(" Score = ").append(std::to_string(record.Score)).append("   ");
    } else {
        line.append("  ");
    }
    line.append(record.Text);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

std::vector<std::string> FoldListingLine(std::string_view line) {
    if (line.size() <= FoldThreshold) {
        return {std::string(line)};
    }
    std::vector<std::string> pieces;
    for (std::size_t start = 0;
         start < line.size() && pieces.size() < static_cast<std::size_t>(MaxPieces);) {
        const std::size_t space = line.find(' ', start + FoldThreshold);
        const std::size_t end = space == std::string_view::npos ? line.size() : space + 1;
        std::string piece = pieces.empty() ? std::string() : std::string(ContinuationPrefix);
        piece.append(line.substr(start, end - start));
        pieces.push_back(std::move(piece));
        start = end;
    }
    return pieces;
}

std::string FirstListedPiece(const TEntryRecord& record) {
    std::string first = FoldListingLine(FormatListingLine(record)).front();
    return dates::HasLetterOrDigit(first) ? first : std::string();
}

}  // namespace store
