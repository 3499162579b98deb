#pragma once
// What a diary record holds, taken apart for readers outside the program's
// dialogs (export, chart): its kind, and the parts its text was composed of.
// Texts stay Windows-1252 bytes as stored; converting is the caller's job.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "listing/Report.h"
#include "platform/Status.h"
#include "store/EntryRecord.h"

namespace tool {

enum class EntryKind {
    kText,    // stamp "dd/mm/yy @ hh:mm:ss": summary, note and score
    kButton,  // stamp "dd/mm/yy": six headings, each with its score
};

struct HeadingScore {
    std::string heading;
    int score = 0;  // 0..10, or store::kNotScored (-1) for a row left unscored

    bool Scored() const { return score >= 0; }
    bool operator==(const HeadingScore&) const = default;
};

// The six subject headings as the settings hold them (Windows-1252).
using KnownHeadings = std::array<std::string, 6>;

struct EntryFields {
    EntryKind kind = EntryKind::kText;
    // Text entries: the text split at the composition's separator "  = ",
    // without the closing ")". A text cut at 500 bytes before its separator
    // is all summary; one cut inside the note has no ")".
    std::string summary;
    std::string note;
    // Button entries: the headings and scores in order; fewer than six when
    // the text is damaged, none when it is not in the button format at all
    // (the whole text is then in summary). A heading that itself holds
    // " = 3 :" can make a text readable in more than one way: the reading
    // whose headings are the known ones (those the settings hold) is taken
    // when there is one, else the first that accounts for the whole text.
    std::vector<HeadingScore> headings;
};

EntryFields SplitEntry(const store::TEntryRecord& record, const KnownHeadings* known = nullptr);

// The subject headings the settings hold now (empty where none is set).
KnownHeadings HeadingsFromSettings();

// The records of the diary of dataDir that criteria selects, in file order
// (the order the reports list shows). An absent diary is Ok and empty; on a
// failed read the records read before it are kept and the failure returned.
platform::Status ReadSelectedEntries(std::string_view dataDir,
                                     const listing::ReportCriteria& criteria,
                                     std::vector<store::TEntryRecord>* entries);

}  // namespace tool
