#pragma once
// TEntryRecord: one entry of the diary file, and its 534-byte codec.
// The byte layout is described in store/RecordFormat.md.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dates/DiaryDates.h"

namespace store {

inline constexpr std::size_t RecordSize = 534;
inline constexpr std::size_t TextFieldSize = 501;  // 500 characters and a NUL
inline constexpr std::size_t StampFieldSize = 25;  // 24 characters and a NUL
inline constexpr std::size_t KeyOffset = 526;
inline constexpr std::size_t ScoreOffset = 530;
inline constexpr std::size_t MaxTextLength = TextFieldSize - 1;
inline constexpr std::size_t MaxStampLength = StampFieldSize - 1;

using RecordBytes = std::array<char, RecordSize>;

// The fields follow each other without gaps and fill the record exactly:
// text at 0, stamp at 501, key at 526, score at 530, 534 bytes in all.
static_assert(TextFieldSize + StampFieldSize == KeyOffset, "the key follows the stamp");
static_assert(KeyOffset + sizeof(std::int32_t) == ScoreOffset, "the score follows the key");
static_assert(ScoreOffset + sizeof(std::int32_t) == RecordSize, "the score ends the record");
static_assert(RecordSize == 534 && KeyOffset == 526 && ScoreOffset == 530,
              "the diary file's record layout is fixed: files written before must still read");
static_assert(sizeof(RecordBytes) == RecordSize);

// Text and Stamp are Windows-1252 byte strings without their terminator.
struct TEntryRecord {
    std::string Text;         // at most 500 bytes when encoded
    std::string Stamp;        // at most 24 bytes when encoded
    std::int32_t Key = 0;     // the entry's instant
    std::int32_t Score = -1;  // 0..10, or -1 (and anything below) for none

    bool operator==(const TEntryRecord&) const = default;
};

// Field by field, little-endian; Text and Stamp are cut to their field less
// the terminator, and every byte after a terminator is zero.
RecordBytes EncodeRecord(const TEntryRecord& record);
// Text and Stamp are taken up to their terminator, or the whole field when it
// has none.
TEntryRecord DecodeRecord(const char* bytes);
// The fields a decode fills, to be or-ed together; a reader that needs only
// some of them (a key to compare, a stamp to match) skips copying the rest.
enum RecordFields : unsigned {
    kKeyField = 1u << 0,
    kScoreField = 1u << 1,
    kStampField = 1u << 2,
    kTextField = 1u << 3,
    kAllFields = kKeyField | kScoreField | kStampField | kTextField,
};
// The same into an existing record, reusing its buffers (readers of long
// diaries decode every record into one). Only the fields given are filled;
// the others keep what they held.
void DecodeRecord(const char* bytes, TEntryRecord* record, unsigned fields = kAllFields);
// The Key of the record whose RecordSize bytes start at bytes, without
// decoding the rest (rebuilds compare keys of records they copy unchanged).
std::int32_t DecodeKey(const char* bytes);

}  // namespace store
