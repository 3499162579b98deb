// How the two kinds of entry become records.

#include <algorithm>
#include <string>

#include "dates/DiaryDates.h"
#include "store/Diary.h"

namespace store {

std::string ComposeTextEntry(std::string_view summary, std::string_view note) {
    std::string text;
    text.reserve(summary.size() + note.size() + 5);
    text.append(summary).append("  = ").append(note).append(")");
    return text;
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

TEntryRecord MakeButtonEntryRecord(const std::array<std::string, 6>& headings,
                                   const std::array<int, 6>& scores, dates::Instant key) {
    // What follows each heading-and-score pair; the separators are uneven.
    static constexpr const char* kAfter[6] = {" : ", " :", " ", " : ", " : ", ""};
    TEntryRecord record;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        record.Text.append(headings[i]).append(" = ").append(std::to_string(scores[i]));
        record.Text.append(kAfter[i]);
    }
    record.Text.resize(std::min(record.Text.size(), MaxTextLength));
    record.Stamp = dates::FormatShortDate(key);
    record.Key = static_cast<std::int32_t>(key);
    record.Score = -1;
    return record;
}

}  // namespace store
