// The edit form: made from a record, read back into one.
#include "tool/EditForm.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

#include "dates/DiaryDates.h"
#include "platform/CodePage.h"
#include "store/ButtonText.h"
#include "store/Diary.h"
#include "store/TextFit.h"
#include "tool/ExportFormats.h"

namespace tool {
namespace {

constexpr std::size_t kNoteLength = 79;      // the note box's bytes
constexpr std::size_t kSummaryLength = 499;  // the summary box's bytes
constexpr std::string_view kScoreField = "Score:";
constexpr std::string_view kNoteField = "Note:";
constexpr std::string_view kSummaryField = "Summary:";

std::string LineAt(std::size_t line) {
    return "line " + std::to_string(line) + ": ";
}

// The form's lines, without their line ends (LF, or CR LF from an editor
// that writes those); a form ending in a line end has no empty last line.
std::vector<std::string_view> Lines(std::string_view form) {
    if (form.ends_with('\n')) form.remove_suffix(1);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = form.find('\n', start);
        std::string_view line = form.substr(start, end == form.npos ? form.npos : end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (end == form.npos) break;
        start = end + 1;
    }
    return lines;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == line.npos;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == text.npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A field's value: what follows its name, less one space after the colon.
std::string_view ValueOf(std::string_view line, std::string_view field) {
    std::string_view value = line.substr(field.size());
    if (value.starts_with(' ')) value.remove_prefix(1);
    return value;
}

bool StartsWithField(std::string_view line, std::string_view field) {
    if (line.size() < field.size()) return false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) !=
            std::tolower(static_cast<unsigned char>(field[i]))) {
            return false;
        }
    }
    return true;
}

// A score as typed: "-" (or nothing, where allowed) for none, or 0 to 10.
std::optional<int> ReadScoreText(std::string_view text, bool emptyIsNone) {
    text = Trimmed(text);
    if (text == "-" || (emptyIsNone && text.empty())) return store::kNotScored;
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 10) return std::nullopt;
    return value;
}

std::size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// text (UTF-8) as the diary keeps it; false, naming the first character the
// diary cannot keep, when there is one.
bool ToDiaryText(std::string_view text, std::size_t line, std::string* bytes, std::string* why) {
    bytes->clear();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length =
            std::min(Utf8Length(static_cast<unsigned char>(text[at])), text.size() - at);
        const std::string_view character = text.substr(at, length);
        const std::optional<std::string> converted = platform::Utf8ToCp1252(character);
        if (!converted) {
            *why = LineAt(line) + "\"" + std::string(character) +
                   "\" cannot be kept in the diary (it keeps its texts in Windows-1252); "
                   "replace it";
            return false;
        }
        const unsigned char c = static_cast<unsigned char>((*converted)[0]);
        if (converted->size() == 1 && c < 0x20 && c != '\t') {
            char code[8];
            std::snprintf(code, sizeof code, "%02X", c);
            *why = LineAt(line) + "holds the control character 0x" + code +
                   ", which the diary cannot keep; remove it";
            return false;
        }
        *bytes += *converted;
        at += length;
    }
    return true;
}

std::string Kind(const store::TEntryRecord& record, const EntryFields& fields) {
    const std::string day = platform::Cp1252ToUtf8(dates::FormatLongDate(record.Key));
    if (fields.kind == EntryKind::kButton) return "Jotwel button entry of " + day;
    return "Jotwel text entry of " + day + ", " + IsoLocalTime(record.Key);
}

std::string TextForm(const store::TEntryRecord& record, const EntryFields& fields,
                     std::string_view noteTitle) {
    std::string summary = platform::Cp1252ToUtf8(fields.summary);
    for (std::size_t at; (at = summary.find("\r\n")) != summary.npos;) summary.erase(at, 1);
    return "# " + Kind(record, fields) + " (key " + std::to_string(record.Key) +
           ").\n"
           "# Change it and save. Leave the editor without a change to change nothing.\n"
           "# Score: 0 to 10, or - for none.\n"
           "# Note (\"" +
           std::string(noteTitle) +
           "\"): one line of at most 79 characters.\n"
           "# Summary: every line below \"Summary:\", at most 499 characters in all\n"
           "# (a line break counts as two).\n"
           "Score: " +
           (record.Score >= 0 ? std::to_string(record.Score) : "-") +
           "\nNote: " + platform::Cp1252ToUtf8(fields.note) + "\nSummary:\n" + summary + "\n";
}

bool ButtonRows(const store::TEntryRecord& record, const EntryFields& fields,
                std::array<std::string, store::kButtonRows>* headings,
                std::array<int, store::kButtonRows>* scores) {
    if (fields.headings.size() != store::kButtonRows) return false;
    for (std::size_t i = 0; i < store::kButtonRows; ++i) {
        (*headings)[i] = fields.headings[i].heading;
        (*scores)[i] = fields.headings[i].score;
    }
    return store::ComposeButtonText(*headings, *scores) == record.Text;
}

std::string ButtonForm(const store::TEntryRecord& record, const EntryFields& fields) {
    std::string form = "# " + Kind(record, fields) + " (key " + std::to_string(record.Key) +
                       ").\n"
                       "# Change the scores and save. Leave the editor without a change to "
                       "change nothing.\n"
                       "# Each line: the score (0 to 10, or - for not scored), then its "
                       "heading,\n"
                       "# which is not changed here.\n";
    for (const HeadingScore& row : fields.headings) {
        std::string score = row.Scored() ? std::to_string(row.score) : "-";
        score.resize(4, ' ');
        form += score + platform::Cp1252ToUtf8(row.heading) + "\n";
    }
    return form;
}

bool ReadTextForm(const std::vector<std::string_view>& lines, store::TEntryRecord* edited,
                  std::string* why) {
    std::optional<int> score;
    std::optional<std::string> note;
    std::size_t noteLine = 0;
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t number = i + 1;
        if (line.starts_with('#') || IsBlank(line)) continue;
        if (StartsWithField(line, kSummaryField)) break;
        if (StartsWithField(line, kScoreField)) {
            score = ReadScoreText(ValueOf(line, kScoreField), true);
            if (!score) {
                *why = LineAt(number) + "the score must be 0 to 10, or - for none";
                return false;
            }
        } else if (StartsWithField(line, kNoteField)) {
            note.emplace();
            if (!ToDiaryText(ValueOf(line, kNoteField), number, &*note, why)) return false;
            noteLine = number;
            if (note->size() > kNoteLength) {
                *why = LineAt(number) + "the note is " + std::to_string(note->size()) +
                       " characters long; it takes at most 79";
                return false;
            }
        } else {
            *why = LineAt(number) +
                   "is not a line of the form (Score:, Note: or Summary:, or a comment "
                   "starting with #)";
            return false;
        }
    }
    if (!score || !note || i == lines.size()) {
        *why = std::string("the form has no \"") +
               (!score  ? "Score:"
                : !note ? "Note:"
                        : "Summary:") +
               "\" line; put it back";
        return false;
    }
    const std::size_t summaryLine = i + 1;
    std::string summary;
    std::string_view first = ValueOf(lines[i], kSummaryField);
    bool any = !IsBlank(first);
    if (any && !ToDiaryText(first, summaryLine, &summary, why)) return false;
    for (std::size_t k = i + 1; k < lines.size(); ++k) {
        std::string bytes;
        if (!ToDiaryText(lines[k], k + 1, &bytes, why)) return false;
        if (any) summary += "\r\n";
        summary += bytes;
        any = true;
    }
    if (summary.size() > kSummaryLength) {
        *why = LineAt(summaryLine) + "the summary is " + std::to_string(summary.size()) +
               " characters long (a line break counts as two); it takes at most 499";
        return false;
    }
    if (const std::size_t over = store::CharactersToRemove(summary, *note); over > 0) {
        *why = LineAt(noteLine) +
               "the summary and the note are too long to be kept together "
               "in one entry; remove " +
               std::to_string(over) + " characters from them (a line break counts as two)";
        return false;
    }
    const store::TEntryRecord composed =
        store::MakeTextEntryRecord(summary, *note, *score, edited->Key);
    edited->Text = composed.Text;
    edited->Score = *score;
    return true;
}

bool ReadButtonForm(const std::vector<std::string_view>& lines, const EntryFields& fields,
                    store::TEntryRecord* edited, std::string* why) {
    std::array<std::string, store::kButtonRows> headings;
    std::array<int, store::kButtonRows> scores{};
    ButtonRows(*edited, fields, &headings, &scores);
    std::size_t row = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with('#') || IsBlank(line)) continue;
        if (row == store::kButtonRows) {
            *why = LineAt(i + 1) + "is a seventh row of scores; a button entry has six";
            return false;
        }
        const std::string_view rest = Trimmed(line);
        const std::optional<int> score =
            ReadScoreText(rest.substr(0, rest.find_first_of(" \t")), false);
        if (!score) {
            *why = LineAt(i + 1) +
                   "the row must start with its score: 0 to 10, or - for not "
                   "scored";
            return false;
        }
        scores[row++] = *score;
    }
    if (row < store::kButtonRows) {
        *why = "the form has " + std::to_string(row) +
               " rows of scores; a button entry has six, one for each heading in order";
        return false;
    }
    std::string text = store::ComposeButtonText(headings, scores);
    text.resize(std::min(text.size(), store::MaxTextLength));
    edited->Text = text;
    return true;
}

}  // namespace

std::string MakeEditForm(const store::TEntryRecord& record, const EntryFields& fields,
                         std::string_view noteTitle, std::string* why) {
    if (fields.kind == EntryKind::kText) return TextForm(record, fields, noteTitle);
    std::array<std::string, store::kButtonRows> headings;
    std::array<int, store::kButtonRows> scores{};
    if (!ButtonRows(record, fields, &headings, &scores)) {
        *why =
            "this button entry's text is not six headings with their scores (it is "
            "damaged), so it cannot be edited as a form";
        return {};
    }
    return ButtonForm(record, fields);
}

bool ReadEditForm(std::string_view form, const store::TEntryRecord& original,
                  const EntryFields& fields, store::TEntryRecord* edited, std::string* why) {
    *edited = original;
    const std::vector<std::string_view> lines = Lines(form);
    return fields.kind == EntryKind::kText ? ReadTextForm(lines, edited, why)
                                           : ReadButtonForm(lines, fields, edited, why);
}

}  // namespace tool
