#include "tool/EntryFields.h"

#include <array>
#include <memory>
#include <utility>

#include "session/AppValues.h"
#include "session/StartupValues.h"
#include "store/ButtonText.h"
#include "store/Diary.h"

namespace tool {
namespace {

constexpr std::string_view kTextSeparator = "  = ";
using store::kButtonAfterScore;
using store::kButtonScoreSign;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a score at text[at]: "-1" (a row left unscored) or one or two
// digits making 0 to 10; its end in *end.
bool ReadScore(std::string_view text, std::size_t at, int* score, std::size_t* end) {
    if (text.substr(at, 2) == "-1") {
        *score = store::kNotScored;
        *end = at + 2;
        return true;
    }
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

// One search for a reading of a button entry's text. Headings may
// themselves hold " = 3 : ", so every place where a score and the row's
// separator follow is tried, first to last, until the rest of the text
// reads too. With the headings expected (the subject headings the settings
// hold now), a row's heading must be exactly the expected one.
class ButtonTextSplitter {
public:
    ButtonTextSplitter(std::string_view text, const KnownHeadings* expected)
        : text_(text),
          expected_(expected),
          dead_(kButtonAfterScore.size() * (text.size() + 1), false) {}

    // True for a reading that reaches the end of the text, in *parsed;
    // otherwise *best keeps the longest run of rows found.
    bool Split() { return From(0, 0); }
    const std::vector<HeadingScore>& parsed() const { return parsed_; }
    const std::vector<HeadingScore>& best() const { return best_; }

private:
    // Reads the rows from index `row` on, starting at text[from]. dead_
    // marks the (row, from) pairs already known to lead nowhere, so a text
    // full of " = 1 : " costs at most six passes per position, never an
    // exponential search.
    bool From(std::size_t row, std::size_t from) {
        if (parsed_.size() > best_.size()) best_ = parsed_;
        if (row == kButtonAfterScore.size()) return from == text_.size();
        const std::size_t state = row * (text_.size() + 1) + from;
        if (dead_[state]) return false;
        for (std::size_t sign = FirstSign(row, from); sign != std::string_view::npos;
             sign = NextSign(row, sign)) {
            if (TryRow(row, from, sign)) return true;
        }
        dead_[state] = true;
        return false;
    }

    std::size_t FirstSign(std::size_t row, std::size_t from) const {
        if (expected_ == nullptr) return text_.find(kButtonScoreSign, from);
        const std::string& heading = (*expected_)[row];
        if (text_.substr(from, heading.size()) != heading) return std::string_view::npos;
        const std::size_t sign = from + heading.size();
        return text_.substr(sign, kButtonScoreSign.size()) == kButtonScoreSign
                   ? sign
                   : std::string_view::npos;
    }
    std::size_t NextSign(std::size_t, std::size_t sign) const {
        return expected_ ? std::string_view::npos : text_.find(kButtonScoreSign, sign + 1);
    }

    bool TryRow(std::size_t row, std::size_t from, std::size_t sign) {
        int score = 0;
        std::size_t end = 0;
        if (!ReadScore(text_, sign + kButtonScoreSign.size(), &score, &end)) return false;
        const std::string_view after = kButtonAfterScore[row];
        if (text_.substr(end, after.size()) != after) return false;
        parsed_.push_back({std::string(text_.substr(from, sign - from)), score});
        if (From(row + 1, end + after.size())) return true;
        parsed_.pop_back();
        return false;
    }

    std::string_view text_;
    const KnownHeadings* expected_;
    std::vector<bool> dead_;
    std::vector<HeadingScore> parsed_;
    std::vector<HeadingScore> best_;
};

// The headings and scores of a button entry's text, in order: all six when
// the text is in the button format, else as many as its start holds.
std::vector<HeadingScore> SplitButtonText(std::string_view text, const KnownHeadings* known) {
    if (known != nullptr) {
        ButtonTextSplitter withKnown(text, known);
        if (withKnown.Split()) return withKnown.parsed();
    }
    ButtonTextSplitter splitter(text, nullptr);
    return splitter.Split() ? splitter.parsed() : splitter.best();
}

}  // namespace

EntryFields SplitEntry(const store::TEntryRecord& record, const KnownHeadings* known) {
    EntryFields fields;
    const std::string_view text = record.Text;
    // A text entry's stamp carries its time ("dd/mm/yy @ hh:mm:ss"); a
    // button entry's is the date alone, and it has no overall score.
    const bool button = record.Stamp.find('@') == std::string::npos && record.Score < 0;
    if (button) {
        fields.kind = EntryKind::kButton;
        fields.headings = SplitButtonText(text, known);
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

KnownHeadings HeadingsFromSettings() {
    session::AppValues values;
    session::ReadSubjectHeadings(values);
    return values.headings;
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
