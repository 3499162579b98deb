#include "store/ListingLine.h"

#include <algorithm>

#include "dates/TextOps.h"

namespace store {

std::string FormatListingLine(const TEntryRecord& record) {
    std::string line = record.Stamp;
    if (record.Score >= 0) {
        line.append(" Score = ").append(std::to_string(record.Score)).append("   ");
    } else {
        line.append("  ");
    }
    line.append(record.Text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

std::vector<std::string> FoldListingLine(std::string_view line) {
    if (line.size() <= FoldThreshold) {
        return {std::string(line)};
    }
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t j = 0; j < line.size() && pieces.size() < static_cast<std::size_t>(MaxPieces);
         ++j) {
        piece.push_back(line[j]);
        const bool cut = line[j] == ' ' && piece.size() > FoldThreshold;
        if (cut || j + 1 == line.size()) {
            pieces.push_back(pieces.empty() ? piece : std::string(ContinuationPrefix) + piece);
            piece.clear();
        }
    }
    return pieces;
}

std::string FirstListedPiece(const TEntryRecord& record) {
    std::string first = FoldListingLine(FormatListingLine(record)).front();
    return dates::HasLetterOrDigit(first) ? first : std::string();
}

}  // namespace store
