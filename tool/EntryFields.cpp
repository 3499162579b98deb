#include "tool/EntryFields.h"

#include <array>
#include <memory>
#include <utility>

#include "store/Diary.h"

namespace tool {
namespace {

constexpr std::string_view kTextSeparator = "  = ";
constexpr std::string_view kScoreSign = " = ";
// What follows each heading's score in a button entry's text (the program
// composes them unevenly); the last score ends the text.
constexpr std::array<std::string_view, 6> kAfterScore = {" : ", " :", " ", " : ", " : ", ""};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a score of one or two digits at text[at]; its end in *end.
bool ReadScore(std::string_view text, std::size_t at, int* score, std::size_t* end) {
    std::size_t i = at;
    int value = 0;
    while (i < text.size() && i - at < 2 && IsDigit(text[i])) {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == at || value > 10) return false;
    *score = value;
    *end = i;
    return true;
}

// Parses the headings from index `heading` on, starting at text[from].
// Headings may themselves hold " = 3 : ", so every place where a score and
// the right separator follow is tried, first to last, until the rest of the
// text parses too. Returns true for a parse that reaches the end of the
// text; otherwise *best keeps the longest run of headings found. *dead
// marks the (heading, from) pairs already known to lead nowhere, so a text
// full of " = 1 : " costs at most six passes per position, never an
// exponential search.
bool SplitButtonFrom(std::string_view text, std::size_t heading, std::size_t from,
                     std::vector<HeadingScore>* parsed, std::vector<HeadingScore>* best,
                     std::vector<bool>* dead) {
    if (parsed->size() > best->size()) *best = *parsed;
    if (heading == kAfterScore.size()) return from == text.size();
    const std::size_t state = heading * (text.size() + 1) + from;
    if ((*dead)[state]) return false;
    const std::string_view after = kAfterScore[heading];
    for (std::size_t sign = text.find(kScoreSign, from); sign != std::string_view::npos;
         sign = text.find(kScoreSign, sign + 1)) {
        int score = 0;
        std::size_t end = 0;
        if (!ReadScore(text, sign + kScoreSign.size(), &score, &end)) continue;
        if (text.substr(end, after.size()) != after) continue;
        parsed->push_back({std::string(text.substr(from, sign - from)), score});
        if (SplitButtonFrom(text, heading + 1, end + after.size(), parsed, best, dead)) {
            return true;
        }
        parsed->pop_back();
    }
    (*dead)[state] = true;
    return false;
}

// The headings and scores of a button entry's text, in order: all six when
// the text is in the button format, else as many as its start holds.
std::vector<HeadingScore> SplitButtonText(std::string_view text) {
    std::vector<HeadingScore> parsed;
    std::vector<HeadingScore> best;
    std::vector<bool> dead(kAfterScore.size() * (text.size() + 1), false);
    return SplitButtonFrom(text, 0, 0, &parsed, &best, &dead) ? parsed : best;
}

}  // namespace

EntryFields SplitEntry(const store::TEntryRecord& record) {
    EntryFields fields;
    const std::string_view text = record.Text;
    // A text entry's stamp carries its time ("dd/mm/yy @ hh:mm:ss"); a
    // button entry's is the date alone, and it has no overall score.
    const bool button = record.Stamp.find('@') == std::string::npos && record.Score < 0;
    if (button) {
        fields.kind = EntryKind::kButton;
        fields.headings = SplitButtonText(text);
        if (fields.headings.empty()) fields.summary = record.Text;
        return fields;
    }
    // The note is one line: the separator is the last one with no line
    // break after it.
    std::size_t at = text.rfind(kTextSeparator);
    while (at != std::string_view::npos &&
           text.find_first_of("\r\n", at) != std::string_view::npos) {
        at = at == 0 ? std::string_view::npos : text.rfind(kTextSeparator, at - 1);
    }
    if (at == std::string_view::npos) {
        // Cut at 500 bytes before or inside the separator: what there is of
        // the separator is not the summary's.
        std::string_view summary = text;
        if (summary.size() == store::MaxTextLength) {
            for (std::size_t k = kTextSeparator.size() - 1; k > 0; --k) {
                if (summary.ends_with(kTextSeparator.substr(0, k))) {
                    summary.remove_suffix(k);
                    break;
                }
            }
        }
        fields.summary = summary;
        return fields;
    }
    fields.summary = text.substr(0, at);
    std::string_view note = text.substr(at + kTextSeparator.size());
    if (!note.empty() && note.back() == ')') note.remove_suffix(1);
    fields.note = note;
    return fields;
}

platform::Status ReadSelectedEntries(std::string_view dataDir,
                                     const listing::ReportCriteria& criteria,
                                     std::vector<store::TEntryRecord>* entries) {
    std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(dataDir);
    store::TEntryRecord record;
    while (store::ReadNextRecord(*reader, &record)) {
        if (criteria.Selects(record)) entries->push_back(record);
    }
    platform::Status status = reader->status();
    store::CloseDiary(std::move(reader));
    return status;
}

}  // namespace tool
