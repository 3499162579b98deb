#include "platform/ProfileDocument.h"

#include <algorithm>
#include <utility>

#include "platform/CodePage.h"

namespace platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\v\f";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// One pair of matching quotes around the whole value is removed.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

constexpr char kEndOfText = '\x1A';  // Ctrl-Z

// The line end that ends a line at `at` (CR LF, LF or a lone CR; empty at
// the end of the text).
std::string_view LineEndAt(std::string_view text, std::size_t at) {
    if (at >= text.size()) return {};
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return "\r\n";
    return text.substr(at, 1);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeadingBlanks(text);
    return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

ProfileDocument::ProfileDocument(std::string bytes) : bytes_(std::move(bytes)) {
    utf8_ = bytes_.starts_with(kByteOrderMark);
    const std::size_t start = utf8_ ? kByteOrderMark.size() : 0;
    textEnd_ = std::min(bytes_.find(kEndOfText, start), bytes_.size());
    for (std::size_t offset = start; offset < textEnd_; offset = lines_.back().next) {
        lines_.push_back(ParseLine(offset));
    }
    const std::string_view text = std::string_view(bytes_).substr(0, textEnd_);
    lineEnd_ = lines_.empty() ? std::string_view()
                              : LineEndAt(text, lines_[0].offset + lines_[0].text.size());
    if (lineEnd_.empty()) lineEnd_ = "\r\n";
}

ProfileDocument::Line ProfileDocument::ParseLine(std::size_t offset) const {
    const std::string_view text = std::string_view(bytes_).substr(0, textEnd_);
    Line line;
    line.offset = offset;
    const std::size_t end = std::min(text.find_first_of("\r\n", offset), text.size());
    const std::string_view lineEnd = LineEndAt(text, end);
    line.next = end + lineEnd.size();
    line.hasLineEnd = !lineEnd.empty();
    line.text = text.substr(offset, end - offset);
    Classify(&line);
    return line;
}

void ProfileDocument::Classify(Line* line) {
    const std::string_view trimmed = TrimBlanks(line->text);
    const std::size_t close = trimmed.rfind(']');
    const std::size_t equals = line->text.find('=');
    if (trimmed.empty()) {
        line->kind = Kind::kBlank;
    } else if (trimmed.front() == '[' && close != std::string_view::npos) {
        line->kind = Kind::kHeader;
        line->name = TrimBlanks(trimmed.substr(1, close - 1));
    } else if (equals != std::string_view::npos) {
        line->kind = Kind::kKey;
        line->name = TrimBlanks(line->text.substr(0, equals));
        line->value = line->text.substr(equals + 1);
    } else {
        line->kind = Kind::kOther;
    }
}

std::size_t ProfileDocument::NextHeader(std::size_t from) const {
    while (from < lines_.size() && lines_[from].kind != Kind::kHeader) ++from;
    return from;
}

// The lines before the first header form the section with the empty name;
// it exists only when there are such lines.
std::optional<ProfileDocument::Range> ProfileDocument::FindSection(std::string_view name) const {
    name = TrimBlanks(name);
    if (name.empty() && !lines_.empty() && lines_[0].kind != Kind::kHeader) {
        return Range{0, NextHeader(0)};
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::kHeader && SameName(lines_[i].name, name)) {
            return Range{i, NextHeader(i + 1)};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::FindKey(Range section, std::string_view key) const {
    key = TrimBlanks(key);
    for (std::size_t i = section.begin; i < section.end; ++i) {
        if (lines_[i].kind == Kind::kKey && SameName(lines_[i].name, key)) return i;
    }
    return std::nullopt;
}

bool ProfileDocument::SameName(std::string_view stored, std::string_view wanted) const {
    return EqualIgnoringAsciiCase(ToCodePage(stored), wanted);
}

std::string ProfileDocument::ToCodePage(std::string_view stored) const {
    return utf8_ ? Utf8ToCp1252Lossy(stored) : std::string(stored);
}

std::string ProfileDocument::FromCodePage(std::string_view text) const {
    return utf8_ ? Cp1252ToUtf8(text) : std::string(text);
}

std::optional<std::string> ProfileDocument::Value(std::string_view section,
                                                  std::string_view key) const {
    const std::optional<Range> range = FindSection(section);
    const std::optional<std::size_t> line = range ? FindKey(*range, key) : std::nullopt;
    if (!line) return std::nullopt;
    return ToCodePage(Unquote(TrimBlanks(lines_[*line].value)));
}

// A key with an empty name is left out: in the NUL-separated list it would
// read as the list's end.
std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const std::optional<Range> range = FindSection(section);
    for (std::size_t i = range ? range->begin : 0; range && i < range->end; ++i) {
        if (lines_[i].kind == Kind::kKey && !lines_[i].name.empty()) {
            names.push_back(ToCodePage(lines_[i].name));
        }
    }
    return names;
}

std::string ProfileDocument::WithValue(std::string_view section, std::string_view key,
                                       std::string_view value) const {
    value = TrimLeadingBlanks(value);
    const std::optional<Range> range = FindSection(section);
    if (!range) return WithSectionAdded(TrimBlanks(section), TrimBlanks(key), value);
    if (const std::optional<std::size_t> line = FindKey(*range, key)) {
        return WithKeyReplaced(lines_[*line], value);
    }
    return WithKeyAdded(*range, TrimBlanks(key), value);
}

std::string ProfileDocument::KeyLine(std::string_view key, std::string_view value) const {
    return FromCodePage(key) + "=" + FromCodePage(value) + std::string(lineEnd_);
}

std::string ProfileDocument::WithKeyReplaced(const Line& line, std::string_view value) const {
    const std::size_t valueStart = line.offset + (line.value.data() - line.text.data());
    const std::size_t textEnd = line.offset + line.text.size();
    return bytes_.substr(0, valueStart) + FromCodePage(value) + bytes_.substr(textEnd);
}

// The new line goes after the section's last non-blank line, so blank lines
// that set the next section apart stay where they are.
std::string ProfileDocument::WithKeyAdded(Range section, std::string_view key,
                                          std::string_view value) const {
    std::size_t at = lines_[section.begin].offset;
    std::string insert = KeyLine(key, value);
    for (std::size_t i = section.end; i-- > section.begin;) {
        if (lines_[i].kind == Kind::kBlank) continue;
        at = lines_[i].next;
        if (!lines_[i].hasLineEnd) insert = std::string(lineEnd_) + insert;
        break;
    }
    std::string out = bytes_;
    out.insert(at, insert);
    return out;
}

std::string ProfileDocument::WithSectionAdded(std::string_view section, std::string_view key,
                                              std::string_view value) const {
    // The new section goes at the end of the text, before a Ctrl-Z.
    std::string out = bytes_.substr(0, textEnd_);
    if (!lines_.empty() && !lines_.back().hasLineEnd) out += lineEnd_;
    out += "[" + FromCodePage(section) + "]" + std::string(lineEnd_) + KeyLine(key, value);
    return out + bytes_.substr(textEnd_);
}

}  // namespace platform
