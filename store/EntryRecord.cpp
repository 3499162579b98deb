// The 534-byte record codec: the one place where a TEntryRecord becomes bytes
// and bytes become a TEntryRecord (layout in store/RecordFormat.md).

#include "store/EntryRecord.h"

#include <algorithm>
#include <cstring>

namespace store {
namespace {

// Copies text into a field of fieldSize bytes: at most fieldSize - 1 bytes,
// stopping at an embedded NUL, then zeros to the end of the field.
void PutText(std::string_view text, std::size_t fieldSize, char* field) {
    const std::size_t length = std::min({text.find('\0'), text.size(), fieldSize - 1});
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, fieldSize - length);
}

// The text up to the field's first NUL, or the whole field when it has none.
void GetText(const char* field, std::size_t fieldSize, std::string* text) {
    text->assign(field, strnlen(field, fieldSize));
}

void PutInt32(std::int32_t value, char* out) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
}

std::int32_t GetInt32(const char* in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[i])) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

}  // namespace

RecordBytes EncodeRecord(const TEntryRecord& record) {
    RecordBytes bytes;
    PutText(record.Text, TextFieldSize, bytes.data());
    PutText(record.Stamp, StampFieldSize, bytes.data() + TextFieldSize);
    PutInt32(record.Key, bytes.data() + KeyOffset);
    PutInt32(record.Score, bytes.data() + ScoreOffset);
    return bytes;
}

TEntryRecord DecodeRecord(const char* bytes) {
    TEntryRecord record;
    DecodeRecord(bytes, &record);
    return record;
}

void DecodeRecord(const char* bytes, TEntryRecord* record, unsigned fields) {
    if (fields & kTextField) GetText(bytes, TextFieldSize, &record->Text);
    if (fields & kStampField) GetText(bytes + TextFieldSize, StampFieldSize, &record->Stamp);
    if (fields & kKeyField) record->Key = DecodeKey(bytes);
    if (fields & kScoreField) record->Score = GetInt32(bytes + ScoreOffset);
}

std::int32_t DecodeKey(const char* bytes) {
    return GetInt32(bytes + KeyOffset);
}

}  // namespace store
