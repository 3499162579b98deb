// Fuzz target: the diary reader and every change to the diary, on any file
// bytes, with short reads and with any one file operation failing.
// - The reader returns exactly the file's whole records, in order; Text and
//   Stamp end at their field's first NUL or at the field's end, never in the
//   next field; a trailing fragment is skipped without a failure.
// - The lookup of a record's listed line finds a record listed by that same
//   line, no later than the record itself.
// - An insertion, append or deletion that succeeds leaves exactly the old
//   whole records, byte for byte, with the one record added or removed; a
//   trailing fragment is dropped. One that fails (a file operation failed,
//   or the record to delete is not at its index) leaves the old diary byte
//   for byte or, when only the last step failed, the complete new one, and
//   says which (inPlace). No
//   hold file or other file is left behind, unless removing it failed.

#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "dates/TextOps.h"
#include "store/Diary.h"
#include "store/ListingLine.h"
#include "support/env/FaultEnv.h"
#include "support/env/MemEnv.h"

namespace {

using store::RecordSize;
constexpr char kDataDir[] = "/mem/data";

// The whole records of a diary's bytes.
std::vector<std::string> WholeRecords(const std::optional<std::string>& bytes) {
    std::vector<std::string> records;
    for (std::size_t at = 0; bytes && at + RecordSize <= bytes->size(); at += RecordSize) {
        records.push_back(bytes->substr(at, RecordSize));
    }
    return records;
}

std::string Joined(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& record : records) bytes += record;
    return bytes;
}

std::string FieldText(const std::string& record, std::size_t offset, std::size_t size) {
    const void* nul = std::memchr(record.data() + offset, '\0', size);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - record.data()) - offset
            : size;
    return record.substr(offset, length);
}

std::int32_t LittleEndian32(const std::string& record, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = bits << 8 | static_cast<unsigned char>(record[offset + static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int32_t>(bits);
}

// Reads the diary through the store and checks it against its bytes.
void CheckReader(const std::optional<std::string>& bytes) {
    const std::vector<std::string> whole = WholeRecords(bytes);
    std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(kDataDir);
    store::TEntryRecord record;
    std::size_t count = 0;
    for (; store::ReadNextRecord(*reader, &record); ++count) {
        FUZZ_CHECK(count < whole.size());
        const std::string& raw = whole[count];
        FUZZ_CHECK(record.Text == FieldText(raw, 0, store::TextFieldSize));
        FUZZ_CHECK(record.Stamp == FieldText(raw, store::TextFieldSize, store::StampFieldSize));
        FUZZ_CHECK(record.Key == LittleEndian32(raw, store::KeyOffset));
        FUZZ_CHECK(record.Score == LittleEndian32(raw, store::ScoreOffset));
    }
    FUZZ_CHECK(count == whole.size());
    FUZZ_CHECK(reader->status().ok());
}

void CheckLookup(const std::vector<std::string>& whole, std::size_t index) {
    const std::string line = store::FirstListedPiece(store::DecodeRecord(whole[index].data()));
    const std::optional<store::RecordLocation> found = store::FindKeyForLine(kDataDir, line);
    if (line.empty() || line.starts_with(store::ContinuationPrefix)) {
        FUZZ_CHECK(!found);  // no line, or one that reads as a continuation
        return;
    }
    FUZZ_CHECK(found && found->index >= 0 && static_cast<std::size_t>(found->index) <= index);
    const std::string& raw = whole[static_cast<std::size_t>(found->index)];
    FUZZ_CHECK(found->record == store::DecodeRecord(raw.data()));
    FUZZ_CHECK(store::FirstListedPiece(found->record) == line);
}

enum class Kind { kInsert, kAppend, kDelete, kDeleteStale };

struct Change {
    Kind kind;
    store::TEntryRecord record;
    std::size_t index;
};

// What the diary holds after the change succeeds; nothing when it must fail.
std::optional<std::string> Expected(const std::optional<std::string>& before, const Change& c) {
    std::vector<std::string> whole = WholeRecords(before);
    const store::RecordBytes encoded = store::EncodeRecord(c.record);
    const std::string added(encoded.data(), encoded.size());
    switch (c.kind) {
        case Kind::kInsert: {
            auto at = whole.begin();
            while (at != whole.end() && LittleEndian32(*at, store::KeyOffset) <= c.record.Key) ++at;
            whole.insert(at, added);
            break;
        }
        case Kind::kAppend:
            whole.push_back(added);
            break;
        case Kind::kDelete:
        case Kind::kDeleteStale:
            if (c.index >= whole.size() || store::DecodeRecord(whole[c.index].data()) != c.record) {
                return std::nullopt;
            }
            whole.erase(whole.begin() + static_cast<std::ptrdiff_t>(c.index));
            break;
    }
    return Joined(whole);
}

platform::Status Apply(const Change& c, bool* inPlace) {
    switch (c.kind) {
        case Kind::kInsert:
            return store::InsertRecordInOrder(kDataDir, c.record, inPlace);
        case Kind::kAppend:
            return store::AppendRecord(kDataDir, c.record, inPlace);
        default:
            return store::DeleteRecordAt(kDataDir, {static_cast<std::int64_t>(c.index), c.record},
                                         inPlace);
    }
}

// The change, read before the diary's bytes; a deletion of the record at
// its index gets that record once the diary is known (ForDiary).
Change ReadChange(FuzzedDataProvider& input) {
    Change c{static_cast<Kind>(input.ConsumeIntegralInRange(0, 3)), {}, 0};
    c.index = input.ConsumeIntegral<std::uint16_t>();
    c.record.Text = input.ConsumeRandomLengthString(600);
    c.record.Stamp = input.ConsumeRandomLengthString(30);
    c.record.Key = input.ConsumeIntegral<std::int32_t>();
    c.record.Score = input.ConsumeIntegral<std::int32_t>();
    return c;
}

void ForDiary(const std::vector<std::string>& whole, Change* c) {
    if (c->kind != Kind::kDelete || whole.empty()) return;
    c->index %= whole.size();
    c->record = store::DecodeRecord(whole[c->index].data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    fuzzing::MemEnv mem;
    platform::FaultEnv faults(&mem);
    platform::ScopedEnv scoped(&faults);
    mem.SetMaxRead(input.ConsumeIntegralInRange<std::size_t>(0, 70000));
    const int failAt = input.ConsumeIntegralInRange(0, 12);
    const unsigned failOps = input.ConsumeIntegral<unsigned>() & platform::FaultEnv::kAll;
    const int error = input.PickValueInArray({ENOSPC, EIO, EACCES});
    const std::size_t lookupAt = input.ConsumeIntegral<std::uint16_t>();
    const bool exists = input.ConsumeBool();
    Change change = ReadChange(input);
    const std::string diaryBytes = input.ConsumeRemainingBytesAsString();
    const std::string diary = store::DiaryPath(kDataDir);
    std::optional<std::string> before;
    if (exists) {
        mem.Put(diary, diaryBytes);
        before = diaryBytes;
    }
    const std::vector<std::string> whole = WholeRecords(before);
    ForDiary(whole, &change);

    CheckReader(before);
    if (!whole.empty()) CheckLookup(whole, lookupAt % whole.size());

    const std::optional<std::string> expected = Expected(before, change);
    faults.FailNth(failAt, failOps, error);
    bool inPlace = false;
    const platform::Status status = Apply(change, &inPlace);
    const bool fired = faults.fired();
    faults.FailNth(0, 0, 0);
    const std::optional<std::string> after = mem.Contents(diary);
    // Only a failed removal of the hold file leaves it (the next change
    // writes over it); nothing else is ever left.
    const bool holdLeft = mem.FileExists(store::HoldPath(kDataDir));
    FUZZ_CHECK(!holdLeft || (fired && (failOps & platform::FaultEnv::kRemove) != 0));
    FUZZ_CHECK(mem.files().size() <= (holdLeft ? 2u : 1u));
    FUZZ_CHECK(status.ok() || fired || !expected);
    FUZZ_CHECK(inPlace ? expected && after == expected : after == before);
    FUZZ_CHECK(!status.ok() || inPlace);
    CheckReader(after);
    return 0;
}
