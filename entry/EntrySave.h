#pragma once
// Storing an entry: the record goes into the diary file, then the day of
// saving is noted under LastDate in the settings. Plain functions over
// values; the dialogs only gather the record and report the outcome.

#include <string_view>

#include "platform/Status.h"
#include "store/EntryRecord.h"

namespace entry {

struct EntrySaveResult {
    enum class Outcome {
        kSaved,               // the record is stored and LastDate written
        kNotSaved,            // the record could not be stored; LastDate untouched
        kLastDateNotWritten,  // the record is stored, but LastDate could not be written
        kNotConfirmed,        // the record is in the diary (LastDate written if it could
                              // be), but the disk failed to confirm the diary is kept (a
                              // power cut could lose it); saving again would store it twice
    };
    Outcome outcome = Outcome::kSaved;
    platform::Status status;  // why, unless kSaved
    // Why no version of the diary could be kept before the change (Ok when
    // one was kept or none was due, and whenever the entry was not stored).
    // Never changes the outcome.
    platform::Status versionStatus;

    bool stored() const { return outcome != Outcome::kNotSaved; }
};

// Where a record goes in the diary file.
enum class Placement {
    kInKeyOrder,  // a text entry: before the first record with a greater Key
    kAtEnd,       // a button entry: appended, whatever its Key
};

// Stores record in the diary file of dataDir at its placement, keeping a
// version of the diary when one is due (the first change of the day, see
// store/Versions.h) whether or not the version could be kept; both under the
// diary's lock, so another copy of the program saving at the same moment
// waits, or after a short while gets a message that the diary is busy (the
// entry is then not saved and the dialog keeps it). Once
// it is stored, writes compactDate (today's, whatever day the entry is for)
// under LastDate. A diary that could not be changed is left as it was. A
// record that reached the diary counts as stored even when the store
// reports a failure after that (kNotConfirmed).
EntrySaveResult SaveEntry(const store::TEntryRecord& record, Placement placement,
                          std::string_view dataDir, std::string_view compactDate);

}  // namespace entry
