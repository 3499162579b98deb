#pragma once
// The plain-text form in which edit shows an entry to the user's editor,
// and reading it back. Plain functions over values: the form is UTF-8, the
// record Windows-1252.
//
// A text entry's form is three fields, the summary last so that it may run
// over many lines:
//
//     # (comments: what the entry is and the rules)
//     Score: 6
//     Note: Knee fine
//     Summary:
//     Quiet day
//     read in the evening
//
// A button entry's form is one line per row, its score (0 to 10, or "-"
// for a row not scored) and then its heading, which the form does not
// change. Lines starting with "#" are comments (in a text entry's form,
// only above "Summary:").

#include <string>
#include <string_view>

#include "store/EntryRecord.h"
#include "tool/EntryFields.h"

namespace tool {

// The form of record, whose fields are split. noteTitle (UTF-8) names the
// note in a comment. Empty when the record cannot be edited as a form (a
// button entry whose text is not six rows in the button format): *why
// then says so.
std::string MakeEditForm(const store::TEntryRecord& record, const EntryFields& fields,
                         std::string_view noteTitle, std::string* why);

// Reads an edited form back into *edited: original with the text (and, for
// a text entry, score) the form gives, the key and stamp unchanged. On a
// mistake returns false with *why naming the line at fault ("line 7: ...")
// or what is missing.
bool ReadEditForm(std::string_view form, const store::TEntryRecord& original,
                  const EntryFields& fields, store::TEntryRecord* edited, std::string* why);

}  // namespace tool
