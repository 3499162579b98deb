#pragma once
// Diary entries written out as CSV, JSON or Markdown, all UTF-8. Plain
// functions from records to text: the export command writes what they
// return.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/EntryRecord.h"
#include "tool/EntryFields.h"

namespace tool {

enum class ExportFormat { kCsv, kJson, kMarkdown };

// "csv", "json" or "markdown" (also "md"); nothing for any other name.
std::optional<ExportFormat> ParseExportFormat(std::string_view name);

// The local date ("2026-12-06") and time ("21:05:09") of an instant.
std::string IsoLocalDate(std::int64_t instant);
std::string IsoLocalTime(std::int64_t instant);

// One entry as every format shows it, its texts converted to UTF-8.
struct ExportedEntry {
    EntryKind kind = EntryKind::kText;
    std::string date;  // local date of the key, "2026-12-06"
    std::string time;  // local time of the key, "21:05:09"
    std::int64_t key = 0;
    std::string stamp;                   // as stored
    std::optional<int> score;            // the record's Score when 0 or more
    std::string summary;                 // text entries, or a button entry's text that
    std::string note;                    // is not in the button format
    std::vector<HeadingScore> headings;  // button entries
};

// How the exports read and write entries.
struct ExportOptions {
    // The subject headings the settings hold, to read button entries by
    // (see SplitEntry); none when not given.
    std::optional<KnownHeadings> known;
    // CSV: a cell of the diary's text (stamp, summary, note, heading) that
    // starts with "=", "+", "-" or "@" gets a "'" before it, so that a
    // spreadsheet shows it as text and never runs it as a formula.
    bool csvSafe = false;
    // Markdown: what the note is called (UTF-8), the user's own note title.
    std::string noteTitle = "Note";
};

ExportedEntry ToExported(const store::TEntryRecord& record, const ExportOptions& options = {});

// RFC 4180: a header row (kind,date,time,key,stamp,score,summary,note,
// heading1,score1,...,heading6,score6), records ending in CR LF, and fields
// holding a comma, quote, CR or LF quoted, with quotes doubled. Entries in
// the order given. A row left unscored has its heading and an empty score.
std::string FormatCsv(const std::vector<store::TEntryRecord>& entries,
                      const ExportOptions& options = {});

// One indented array of objects, in the order given: kind, date, time, key,
// stamp, score (null when none); summary and note for text entries;
// "headings": [{"heading", "score"}] for button entries, the score null for
// a row left unscored.
std::string FormatJson(const std::vector<store::TEntryRecord>& entries,
                       const ExportOptions& options = {});

// What the Markdown's opening line says was exported (UTF-8).
struct ExportTitle {
    std::string firstDay;    // dd/mm/yy
    std::string lastDay;     // dd/mm/yy
    std::string searchWord;  // empty when not searching
};

// A title, then one section per local day ("## Sunday 06 December 2026"),
// days in date order and entries within a day in key order. Diary texts
// are escaped so that none can become a heading, list, link or markup.
// The note is titled with options.noteTitle; a row left unscored says "not
// scored".
std::string FormatMarkdown(const std::vector<store::TEntryRecord>& entries,
                           const ExportTitle& title, const ExportOptions& options = {});

// One line of text (UTF-8, no line break) as Markdown showing it as it is.
// Leading blanks are dropped: Markdown would not show them either.
std::string EscapeMarkdownLine(std::string_view line);

}  // namespace tool
