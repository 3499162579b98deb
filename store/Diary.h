#pragma once
// The diary file Jotwel.dat and its hold file Jotwel.hld in the data
// directory. Every operation opens, works and closes within one call; all
// file access goes through platform::Env.
//
// Changes to existing content (an ordered insertion before a later record,
// a deletion) rebuild the diary through the hold file: the complete new
// content is written to a hold file created afresh, synced, renamed over the
// diary file, and the folder is synced. A crash at any moment leaves either
// the old or the new diary, whole. On failure the diary is left exactly as it
// was, the hold file is removed, and the failure is returned with its reason.
// One exception: when only the final folder sync fails, the new content is
// already in place (it may not survive a power cut), and the failure is still
// returned.
//
// A diary that exists but cannot be opened or read is never replaced: the
// change fails. An absent diary is simply empty. A trailing fragment shorter
// than a record (an append cut short) is skipped by readers and dropped by
// the next change. A leftover hold file is discarded.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Env.h"
#include "platform/Status.h"
#include "store/EntryRecord.h"
#include "store/RecordFile.h"
#include "store/Versions.h"

namespace store {

inline constexpr std::string_view kDiaryFileName = "Jotwel.dat";
inline constexpr std::string_view kHoldFileName = "Jotwel.hld";
// A new diary is private.
inline constexpr int kNewDiaryMode = 0600;

std::string DiaryPath(std::string_view dataDir);
std::string HoldPath(std::string_view dataDir);

// A text entry: Text "%s  = %s)" of summary and note, cut at 500 bytes;
// Stamp FormatStamp(key); Score as given (0..10 or -1). Key is stored in 32
// bits, as the file holds it.
TEntryRecord MakeTextEntryRecord(std::string_view summary, std::string_view note, int score,
                                 dates::Instant key);
// The composed Text of a text entry before any cut (may exceed 500 bytes).
std::string ComposeTextEntry(std::string_view summary, std::string_view note);
// A button entry: Text from the six headings and scores in the button
// format, headings copied as they are; Stamp FormatShortDate(key); Score -1.
TEntryRecord MakeButtonEntryRecord(const std::array<std::string, 6>& headings,
                                   const std::array<int, 6>& scores, dates::Instant key);

// Every change below holds the diary's lock (DiaryLock.h) from its first
// read to its last write, and waits a short while for another copy's change
// before it fails with a message that the diary is busy. When `version` is
// given, a version of the diary is kept first when due (see Versions.h);
// what came of it is told in *version and never stops the change.
//
// Appends the record at the end of the diary and syncs it. An absent diary,
// or one ending in a fragment, is rebuilt with the record at the end
// instead (so a new diary is made private, and the record is never
// misaligned). When a write or sync fails, the diary is put back as it was
// before the failure is returned. A version for an append is a copy; when
// the append then fails for want of room, that copy is removed and the
// append tried once more, so a version never costs a save.
//
// For this and the two rebuilds below, *inPlace (when given) tells whether
// the diary holds the change afterwards: always after success, and after a
// failure that came only once the change was in place (a failed folder
// sync, or a failed sync whose undo failed too). A caller must not repeat a
// change that is in place: it would be made twice.
platform::Status AppendRecord(std::string_view dataDir, const TEntryRecord& record,
                              bool* inPlace = nullptr, VersionRequest* version = nullptr);

// Sequential reader over the diary file. A missing or unreadable file reads
// as empty (check status() to tell them apart); a trailing fragment shorter
// than a record is skipped.
class DiaryReader {
public:
    ~DiaryReader();
    // Reads the next record, decoding only the fields given (the others keep
    // what they held); false at the end of the file or on a failed read.
    bool ReadNext(TEntryRecord* record, unsigned fields = kAllFields);
    // Decodes more fields of the record the last ReadNext read, for a caller
    // that looked at a few fields first (a key in range, a stamp that
    // matches) before it needs the rest.
    void DecodeMore(TEntryRecord* record, unsigned fields) const;
    // Ok, or why the file could not be opened or read. A missing file is Ok.
    const platform::Status& status() const { return status_; }

private:
    friend std::unique_ptr<DiaryReader> OpenDiaryForReading(std::string_view dataDir);
    DiaryReader() = default;
    std::unique_ptr<RecordReader> records_;  // null when the file failed to open
    const char* current_ = nullptr;          // the last record read, in records_'s buffer
    platform::Status status_;
};

std::unique_ptr<DiaryReader> OpenDiaryForReading(std::string_view dataDir);
bool ReadNextRecord(DiaryReader& reader, TEntryRecord* record);
void CloseDiary(std::unique_ptr<DiaryReader> reader);

// Places record before the first record whose Key is greater (in file
// order), or at the end. When no record's Key is greater (the usual case: an
// entry for today or the latest day) the record is appended (AppendRecord,
// with its failure story), which leaves the bytes the rebuild would write
// without copying the diary; otherwise the diary is rebuilt.
platform::Status InsertRecordInOrder(std::string_view dataDir, const TEntryRecord& record,
                                     bool* inPlace = nullptr, VersionRequest* version = nullptr);

// Where a record stands in the diary file: its index (0-based, in records)
// and its content, so that a deletion removes exactly that record.
struct RecordLocation {
    std::int64_t index = 0;
    TEntryRecord record;
};

// The record whose own listing line (its first piece when folded) equals
// line exactly; the first such record in file order. Nothing for headings,
// continuation pieces, separator lines and empty lines. When the diary cannot
// be read nothing is found and *readStatus (if given) says why; a missing
// diary reads as empty.
std::optional<RecordLocation> FindKeyForLine(std::string_view dataDir, std::string_view line,
                                             platform::Status* readStatus = nullptr);

// Rebuilds the diary without the one record at location. Fails (and changes
// nothing) when the record at that index is no longer the same record (its
// decoded fields differ) or the diary has no such index.
platform::Status DeleteRecordAt(std::string_view dataDir, const RecordLocation& location,
                                bool* inPlace = nullptr, VersionRequest* version = nullptr);

}  // namespace store
