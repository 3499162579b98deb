#pragma once
// Looking a diary file over for damage, record by record from its raw bytes
// (store/RecordFormat.md gives the rules), as values the check command
// prints and tests read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace tool {

enum class ProblemKind {
    kHoldFile,           // Jotwel.hld left over from a change that did not finish
    kFragment,           // the size is not a whole number of records
    kTextUnterminated,   // the 501-byte text field holds no NUL
    kStampUnterminated,  // the 25-byte stamp field holds no NUL
    kOutOfOrder,         // a text entry's key below that of the text entry before it
    kKeyOutOfRange,      // the key's local date lies outside the years 2005-2038
};
inline constexpr std::size_t kProblemKinds = 6;
// Problems of one kind kept in full; the rest are only counted, so a
// wrecked file does not flood the terminal (or memory).
inline constexpr std::size_t kProblemsKeptPerKind = 20;

struct Problem {
    ProblemKind kind = ProblemKind::kFragment;
    std::int64_t record = 0;   // 1-based index of the record; 0 for the file
    std::uint64_t offset = 0;  // byte offset of the record or the fragment
    std::string stamp;         // the record's Stamp as stored (Windows-1252)
    std::int32_t key = 0;      // the record's Key
    std::uint64_t size = 0;    // kFragment, kHoldFile: length in bytes
    // kOutOfOrder: the text entry before it in the file.
    std::int64_t previousRecord = 0;
    std::int32_t previousKey = 0;
};

struct DiaryCheck {
    // Ok, or why the diary could not be opened or read to its end.
    platform::Status status;
    std::uint64_t size = 0;  // bytes read: whole records and any fragment
    std::int64_t textEntries = 0;
    std::int64_t buttonEntries = 0;
    // In file order within each kind; at most kProblemsKeptPerKind of each.
    std::vector<Problem> problems;
    // Problems found of each kind (indexed by ProblemKind), kept or not.
    std::array<std::int64_t, kProblemKinds> found{};

    std::int64_t TotalFound() const;
};

// Reads the diary of dataDir and its hold file and lists what is wrong.
// REQUIRES: the diary exists (an absent one reads as empty).
DiaryCheck CheckDiary(std::string_view dataDir);
// The same for the records of any diary file (a copy from elsewhere),
// without a hold file. An absent file reads as empty.
DiaryCheck CheckDiaryFile(const std::string& path);
// Adds what is wrong with the records of the file at path to *check.
void CheckRecords(const std::string& path, DiaryCheck* check);

// The check as lines (UTF-8, without line ends): the problems grouped by
// kind, each kept one naming its record (index, byte offset, stamp), a
// line "... and N more" for those not kept, then the summary line: entries,
// of which text and button, and size.
std::vector<std::string> DescribeCheck(const DiaryCheck& check, std::string_view dataDir);

}  // namespace tool
