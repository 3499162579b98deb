#pragma once
// Changing records already in the diary: one record put in place of
// another, or the whole diary made anew from what it holds. Both are
// rebuilds (store/Rebuild.h): the old diary is read inside the rebuild, so
// a change made meanwhile by another copy of the program is never lost, and
// a crash at any moment leaves the old or the new diary, whole.

#include <functional>
#include <string_view>
#include <vector>

#include "platform/Status.h"
#include "store/Diary.h"
#include "store/EntryRecord.h"

namespace store {

// Rebuilds the diary with replacement in place of the record at location.
// Fails (and changes nothing) when the record at that index is no longer
// location.record (its decoded fields differ) or the diary has no such
// index. *inPlace as for DeleteRecordAt.
platform::Status ReplaceRecordAt(std::string_view dataDir, const RecordLocation& location,
                                 const TEntryRecord& replacement, bool* inPlace = nullptr);

// Given every record of the diary as it stands (file order), fills *next
// with the records of the new diary, or fails to leave the diary unchanged.
using RecordsRewrite = std::function<platform::Status(const std::vector<TEntryRecord>& current,
                                                      std::vector<TEntryRecord>* next)>;

// Rebuilds the diary as rewrite makes it of its current records. The whole
// diary is held in memory for it (a record a day is some 200 kB a year).
// *inPlace as for DeleteRecordAt.
platform::Status RewriteDiary(std::string_view dataDir, const RecordsRewrite& rewrite,
                              bool* inPlace = nullptr);

}  // namespace store
