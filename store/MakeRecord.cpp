// How the two kinds of entry become records.

#include <algorithm>
#include <string>

#include "dates/DiaryDates.h"
#include "store/ButtonText.h"
#include "store/Diary.h"
#include "store/TextFit.h"

namespace store {

std::string ComposeTextEntry(std::string_view summary, std::string_view note) {
    std::string text;
    text.reserve(summary.size() + note.size() + 5);
    text.append(summary).append("  = ").append(note).append(")");
    return text;
}

std::size_t CharactersToRemove(std::string_view summary, std::string_view note) {
    const std::size_t composed = ComposeTextEntry(summary, note).size();
    // What follows the last typed byte: "  = )" after a summary alone, ")"
    // after a note.
    const std::size_t cuttableTail = note.empty() ? composed - summary.size() : 1;
    const std::size_t needed = composed - cuttableTail;
    return needed > MaxTextLength ? needed - MaxTextLength : 0;
}

TEntryRecord MakeTextEntryRecord(std::string_view summary, std::string_view note, int score,
                                 dates::Instant key) {
    TEntryRecord record;
    record.Text = ComposeTextEntry(summary, note).substr(0, MaxTextLength);
    record.Stamp = dates::FormatStamp(key);
    record.Key = static_cast<std::int32_t>(key);
    record.Score = score;
    return record;
}

std::string ComposeButtonText(const std::array<std::string, kButtonRows>& headings,
                              const std::array<int, kButtonRows>& scores) {
    std::string text;
    for (std::size_t i = 0; i < kButtonRows; ++i) {
        text.append(headings[i]).append(kButtonScoreSign).append(std::to_string(scores[i]));
        text.append(kButtonAfterScore[i]);
    }
    return text;
}

TEntryRecord MakeButtonEntryRecord(const std::array<std::string, 6>& headings,
                                   const std::array<int, 6>& scores, dates::Instant key) {
    TEntryRecord record;
    record.Text = ComposeButtonText(headings, scores);
    record.Text.resize(std::min(record.Text.size(), MaxTextLength));
    record.Stamp = dates::FormatShortDate(key);
    record.Key = static_cast<std::int32_t>(key);
    record.Score = -1;
    return record;
}

}  // namespace store
