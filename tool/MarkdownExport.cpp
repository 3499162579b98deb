// Entries as Markdown: one section per day, each entry under its time.
//
// Diary texts are shown literally. Markdown gives meaning to some
// characters anywhere in a line (emphasis, code, links, HTML, entities,
// tables, strikethrough, bare web and mail addresses) and to others only
// at the start of a line (headings, lists, quotes, rules, underlined
// headings, indented code); EscapeMarkdownLine puts a backslash before each
// of them where it would count, which every CommonMark reader removes.
#include <algorithm>
#include <cctype>

#include "dates/DiaryDates.h"
#include "platform/CodePage.h"
#include "tool/ExportFormats.h"

namespace tool {
namespace {

constexpr std::string_view kAlwaysEscaped = "\\`*_[]<>#|~&@";

bool StartsList(std::string_view line, std::size_t at) {
    if (at == 0) return line[0] == '-' || line[0] == '+' || line[0] == '=';
    // "12." or "12)" opens a numbered list.
    return (line[at] == '.' || line[at] == ')') &&
           std::all_of(line.begin(), line.begin() + at,
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool EndsWww(std::string_view line, std::size_t at) {
    if (at < 3) return false;
    std::string www(line.substr(at - 3, 3));
    for (char& c : www) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return www == "www";
}

bool NeedsEscape(std::string_view line, std::size_t at) {
    const char c = line[at];
    return kAlwaysEscaped.find(c) != kAlwaysEscaped.npos || StartsList(line, at) ||
           (c == ':' && at + 1 < line.size() && line[at + 1] == '/') ||
           (c == '.' && EndsWww(line, at));
}

// The lines of a text at CR LF, CR or LF, without trailing empty lines.
std::vector<std::string_view> TextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    while (!lines.empty() && EscapeMarkdownLine(lines.back()).empty()) lines.pop_back();
    return lines;
}

// A paragraph keeping the text's lines (a backslash at a line's end breaks
// the line). Nothing for a blank text.
void AppendParagraph(std::string_view prefix, std::string_view text, std::string* md) {
    const std::vector<std::string_view> lines = TextLines(text);
    if (lines.empty()) return;
    *md += "\n";
    *md += prefix;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        *md += EscapeMarkdownLine(lines[i]);
        *md += i + 1 < lines.size() ? "\\\n" : "\n";
    }
}

// The note title as the label before a note: a colon of its own, or blanks
// at its end, would double the one the label adds.
std::string NoteLabel(std::string_view title) {
    while (!title.empty() && (title.back() == ':' || title.back() == ' ')) title.remove_suffix(1);
    return EscapeMarkdownLine(title.empty() ? std::string_view("Note") : title);
}

void AppendEntry(const store::TEntryRecord& record, const ExportOptions& options, std::string* md) {
    const ExportedEntry entry = ToExported(record, options);
    *md += "\n### " + entry.time +
           (entry.kind == EntryKind::kButton ? " · button entry" : " · text entry");
    if (entry.score) *md += " · score " + std::to_string(*entry.score);
    *md += "\n";
    AppendParagraph("", entry.summary, md);
    AppendParagraph("*" + NoteLabel(options.noteTitle) + ":* ", entry.note, md);
    if (!entry.headings.empty()) *md += "\n";
    for (const HeadingScore& heading : entry.headings) {
        *md += "- " + EscapeMarkdownLine(heading.heading) + ": " +
               (heading.Scored() ? std::to_string(heading.score) : "not scored") + "\n";
    }
}

std::string Title(const ExportTitle& title) {
    std::string text = "# Jotwel diary\n\nEntries from " + title.firstDay + " to " + title.lastDay;
    if (!title.searchWord.empty()) {
        text += " holding \u201C" + EscapeMarkdownLine(title.searchWord) + "\u201D";
    }
    return text + ".\n";
}

bool SameLocalDay(std::int64_t a, std::int64_t b) {
    const dates::LocalTime x = dates::ToLocalTime(a), y = dates::ToLocalTime(b);
    return x.year == y.year && x.month == y.month && x.day == y.day;
}

}  // namespace

std::string EscapeMarkdownLine(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    std::string escaped;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (NeedsEscape(line, at)) escaped += '\\';
        escaped += line[at];
    }
    return escaped;
}

std::string FormatMarkdown(const std::vector<store::TEntryRecord>& entries,
                           const ExportTitle& title, const ExportOptions& options) {
    std::vector<store::TEntryRecord> byKey = entries;
    std::stable_sort(byKey.begin(), byKey.end(),
                     [](const auto& a, const auto& b) { return a.Key < b.Key; });
    std::string md = Title(title);
    if (byKey.empty()) md += "\nNo entries.\n";
    for (std::size_t i = 0; i < byKey.size(); ++i) {
        if (i == 0 || !SameLocalDay(byKey[i - 1].Key, byKey[i].Key)) {
            md += "\n## " + dates::FormatLongDate(byKey[i].Key) + "\n";
        }
        AppendEntry(byKey[i], options, &md);
    }
    return md;
}

}  // namespace tool
