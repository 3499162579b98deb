#pragma once
// The one way the diary's existing content is changed: a rebuild through the
// hold file. A plan decides what the new diary holds, record by record; the
// rebuild streams the old diary through it into the hold file (through the
// shared whole-file write, platform/FileCopy.h), syncs and closes it,
// renames it over the diary and syncs the folder. All of it runs under the
// diary's lock (DiaryLock.h), which is what lets the hold file keep its one
// name: a hold file left by a crash is removed and the new one created
// exclusively, never through a link.

#include <cstdint>
#include <string_view>

#include "platform/Status.h"
#include "store/RecordFile.h"
#include "store/Versions.h"

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

// Rebuilds the diary of dataDir through plan, holding the diary's lock. An
// absent diary reads as empty (the new one is made 0600: a diary is
// private); a trailing fragment is dropped. The new diary keeps the old
// one's permissions and group. A diary that is a link keeps being one: its
// target is replaced, through a hold file in the target's folder. When
// `version` is given, a version is kept when due just before the rename,
// as a second name of the old diary file (no bytes written; a copy where
// links fail); a version that cannot be kept never stops the rebuild.
// On failure (the diary exists but cannot be opened or read, a write, sync
// or rename fails, or the plan fails) the hold file is removed and the
// failure returned; the diary is then as it was, except after a failed
// folder sync, when the new content is in place but may not survive a crash.
// *inPlace (when given) tells which: true when the diary holds the new
// content, after success or after a failed folder sync alone.
platform::Status RebuildDiary(std::string_view dataDir, RebuildPlan& plan, bool* inPlace = nullptr,
                              VersionRequest* version = nullptr);

}  // namespace store
