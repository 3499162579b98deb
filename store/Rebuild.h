#pragma once
// The one way the diary's existing content is changed: a rebuild through the
// hold file. A plan decides what the new diary holds, record by record; the
// rebuild streams the old diary through it into a hold file created afresh,
// syncs and closes it, renames it over the diary and syncs the folder.

#include <cstdint>
#include <string_view>

#include "platform/Status.h"
#include "store/RecordFile.h"

namespace store {

class RebuildPlan {
public:
    virtual ~RebuildPlan() = default;
    // Called for each whole record of the old diary in file order, with its
    // index: writes whatever takes its place (the record itself, nothing, or
    // more) to out. A failure stops the rebuild, which then changes nothing.
    virtual platform::Status OnRecord(std::int64_t index, const char* record,
                                      RecordWriter& out) = 0;
    // Called after the last record with the number of records read: writes
    // whatever follows them.
    virtual platform::Status OnEnd(std::int64_t count, RecordWriter& out) = 0;
};

// Rebuilds the diary of dataDir through plan. An absent diary reads as
// empty; a trailing fragment is dropped. A leftover hold file is replaced.
// On failure (the diary exists but cannot be opened or read, a write, sync
// or rename fails, or the plan fails) the hold file is removed and the
// failure returned; the diary is then as it was, except after a failed
// folder sync, when the new content is in place but may not survive a crash.
// *inPlace (when given) tells which: true when the diary holds the new
// content, after success or after a failed folder sync alone.
platform::Status RebuildDiary(std::string_view dataDir, RebuildPlan& plan, bool* inPlace = nullptr);

}  // namespace store
