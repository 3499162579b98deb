#pragma once
// The lines of a private-profile file and what each one is: the parsing and
// editing behind PrivateProfile.h.
//
// The document keeps the file's bytes as they are and edits them in place,
// so every line that a write does not touch stays byte for byte. Names and
// values are taken and handed out in Windows-1252; when the file starts with
// a UTF-8 byte-order mark they are converted from and to UTF-8 at that
// boundary, and the lines themselves stay UTF-8.
//
// A line is blank (only blanks), a section header ("[name]" after blanks;
// the name runs to the last "]"), a key line (holds "="; the key is what
// precedes the first "=") or anything else, which is kept but means nothing.
// Blanks are space, tab, vertical tab and form feed. Lines end with CR LF,
// LF or a lone CR; the last line may have no line end. A Ctrl-Z (0x1A) ends
// the text, as it does for the desktop's own profile functions: the bytes
// from it on are kept as they are and never read as lines.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// text without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

class ProfileDocument {
public:
    // Parses a file's whole content (empty for a missing file).
    explicit ProfileDocument(std::string bytes);
    ProfileDocument(const ProfileDocument&) = delete;
    ProfileDocument& operator=(const ProfileDocument&) = delete;

    // The value of key in the first section named section, trimmed and
    // stripped of one pair of matching quotes; nothing when the section or
    // the key is missing. Names are trimmed and compared ignoring ASCII case.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // The non-empty key names of the first section named section, in file
    // order; empty when the section is missing.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The whole file with value (its leading blanks dropped) stored under key
    // of section: in the key's first line (the text before "=" is kept), or
    // as a new line after the section's last non-blank line, or as a new
    // section at the end of the text. New lines use the file's line end (that
    // of its first line; CR LF when it has none).
    std::string WithValue(std::string_view section, std::string_view key,
                          std::string_view value) const;

private:
    enum class Kind { kBlank, kHeader, kKey, kOther };
    struct Line {
        std::size_t offset = 0;  // start of the line in bytes_
        std::string_view text;   // the line without its line end
        std::size_t next = 0;    // start of the next line
        bool hasLineEnd = false;
        Kind kind = Kind::kBlank;
        std::string_view name;   // header, key: the trimmed name
        std::string_view value;  // key: everything after the first "="
    };
    // Lines [begin, end) of a section; begin is its header, if it has one.
    struct Range {
        std::size_t begin, end;
    };

    Line ParseLine(std::size_t offset) const;
    static void Classify(Line* line);
    std::optional<Range> FindSection(std::string_view name) const;
    std::optional<std::size_t> FindKey(Range section, std::string_view key) const;
    std::size_t NextHeader(std::size_t from) const;
    bool SameName(std::string_view stored, std::string_view wanted) const;
    std::string ToCodePage(std::string_view stored) const;
    std::string FromCodePage(std::string_view text) const;
    std::string KeyLine(std::string_view key, std::string_view value) const;
    std::string WithKeyReplaced(const Line& line, std::string_view value) const;
    std::string WithKeyAdded(Range section, std::string_view key, std::string_view value) const;
    std::string WithSectionAdded(std::string_view section, std::string_view key,
                                 std::string_view value) const;

    std::string bytes_;
    std::size_t textEnd_ = 0;  // the first Ctrl-Z, or the size
    bool utf8_ = false;
    std::string_view lineEnd_;  // "\r\n", "\n" or "\r"
    std::vector<Line> lines_;
};

}  // namespace platform
