#pragma once
// Folding another copy of the diary into this one: which records each
// holds, and the diary that holds them all. Plain values, so the rules are
// tested without files.

#include <string>
#include <utility>
#include <vector>

#include "platform/Status.h"
#include "store/EntryRecord.h"

namespace tool {

struct MergePlan {
    // The new diary: every record of both, a record the same in all its
    // fields in both kept once (as often as the diary that holds it more
    // often has it); text entries in key order, then button entries in key
    // order; records of equal key in the order this diary, then the other,
    // holds them.
    std::vector<store::TEntryRecord> merged;
    std::vector<store::TEntryRecord> added;     // the other's records this diary lacks
    std::vector<store::TEntryRecord> onlyMine;  // this diary's records the other lacks
    // Records of the same key and kind that differ (this diary's, the
    // other's): both are kept, and told of.
    std::vector<std::pair<store::TEntryRecord, store::TEntryRecord>> differing;
    std::size_t shared = 0;  // records both hold

    bool AddsNothing() const { return added.empty(); }
};

MergePlan PlanMerge(const std::vector<store::TEntryRecord>& mine,
                    const std::vector<store::TEntryRecord>& other);

// Every whole record of the diary file at path, in file order. An absent
// file fails (ENOENT).
platform::Status ReadDiaryFile(const std::string& path, std::vector<store::TEntryRecord>* records);

// One record as a line for the terminal (UTF-8): its stamp, its score (or
// that it is a button entry) and the start of its text on one line.
std::string DescribeRecord(const store::TEntryRecord& record);

}  // namespace tool
