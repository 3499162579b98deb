// The diary's paths, the two rebuilds that change its existing content, and
// the lookup of a listed line.

#include "store/Diary.h"

#include <utility>

#include "dates/TextOps.h"
#include "store/DiaryLock.h"
#include "store/ListingLine.h"
#include "store/Rebuild.h"

namespace store {
namespace {

// The old records with one more placed before the first record whose Key is
// greater, or after them all.
class InsertPlan : public RebuildPlan {
public:
    explicit InsertPlan(const TEntryRecord& record) : bytes_(EncodeRecord(record)) {}

    platform::Status OnRecord(std::int64_t, const char* record, RecordWriter& out) override {
        if (!placed_ && DecodeKey(record) > DecodeKey(bytes_.data())) {
            placed_ = true;
            platform::Status status = out.Add(bytes_.data());
            if (!status.ok()) {
                return status;
            }
        }
        return out.Add(record);
    }
    platform::Status OnEnd(std::int64_t, RecordWriter& out) override {
        return placed_ ? platform::Status::Ok() : out.Add(bytes_.data());
    }

private:
    RecordBytes bytes_;
    bool placed_ = false;
};

// The old records less the one at a location, which must still hold the
// record that was found there.
class DeletePlan : public RebuildPlan {
public:
    DeletePlan(const RecordLocation& location, std::string diary)
        : location_(location), diary_(std::move(diary)) {}

    platform::Status OnRecord(std::int64_t index, const char* record, RecordWriter& out) override {
        if (index != location_.index) {
            return out.Add(record);
        }
        found_ = DecodeRecord(record) == location_.record;
        return found_ ? platform::Status::Ok() : Moved();
    }
    platform::Status OnEnd(std::int64_t, RecordWriter&) override {
        return found_ ? platform::Status::Ok() : Moved();
    }

private:
    platform::Status Moved() const {
        return platform::Status::Error(
            0, "The entry is no longer where it was listed in " + diary_ + " (list it again)");
    }

    const RecordLocation& location_;
    std::string diary_;
    bool found_ = false;
};

// True when line can be the listed line of a record with this Stamp: a
// record's line starts with its Stamp, CR and LF shown as spaces.
bool StartsWithStamp(std::string_view line, std::string_view stamp) {
    if (line.size() < stamp.size()) {
        return false;
    }
    for (std::size_t i = 0; i < stamp.size(); ++i) {
        const char shown = stamp[i] == '\r' || stamp[i] == '\n' ? ' ' : stamp[i];
        if (line[i] != shown) {
            return false;
        }
    }
    return true;
}

// Whether no whole record of the diary has a Key greater than key, so that
// an ordered insertion puts the record after them all, where an append
// writes the same bytes without copying the diary. Reads the keys alone. A
// diary that cannot be read fails, as the change would.
platform::Status NoGreaterKey(std::string_view dataDir, std::int32_t key, bool* none) {
    *none = false;
    std::unique_ptr<RecordReader> records;
    platform::Status status = OpenRecordReader(DiaryPath(dataDir), &records);
    if (!status.ok()) {
        return status;
    }
    const char* run = nullptr;
    for (std::size_t count = 0; records->NextRun(&run, &count);) {
        for (std::size_t i = 0; i < count; ++i) {
            if (DecodeKey(run + i * RecordSize) > key) {
                return platform::Status::Ok();
            }
        }
    }
    *none = records->status().ok();
    return records->status();
}

}  // namespace

std::string DiaryPath(std::string_view dataDir) {
    return platform::JoinPath(dataDir, kDiaryFileName);
}

std::string HoldPath(std::string_view dataDir) {
    return platform::JoinPath(dataDir, kHoldFileName);
}

platform::Status InsertRecordInOrder(std::string_view dataDir, const TEntryRecord& record,
                                     bool* inPlace, VersionRequest* version) {
    // The choice between an append and a rebuild is made under the lock the
    // change itself takes again, so no other copy can add a record between.
    std::unique_ptr<platform::FileLock> lock;
    platform::Status status = LockDiary(dataDir, &lock);
    bool last = false;
    if (status.ok()) status = NoGreaterKey(dataDir, record.Key, &last);
    if (!status.ok()) {
        if (inPlace) *inPlace = false;
        return status;
    }
    if (last) {
        return AppendRecord(dataDir, record, inPlace, version);
    }
    InsertPlan plan(record);
    return RebuildDiary(dataDir, plan, inPlace, version);
}

platform::Status DeleteRecordAt(std::string_view dataDir, const RecordLocation& location,
                                bool* inPlace, VersionRequest* version) {
    DeletePlan plan(location, DiaryPath(dataDir));
    return RebuildDiary(dataDir, plan, inPlace, version);
}

std::optional<RecordLocation> FindKeyForLine(std::string_view dataDir, std::string_view line,
                                             platform::Status* readStatus) {
    if (readStatus) *readStatus = platform::Status::Ok();
    if (!dates::HasLetterOrDigit(line) || line.starts_with(ContinuationPrefix)) {
        return std::nullopt;
    }
    std::unique_ptr<DiaryReader> reader = OpenDiaryForReading(dataDir);
    RecordLocation location;
    for (; reader->ReadNext(&location.record, kStampField); ++location.index) {
        if (!StartsWithStamp(line, location.record.Stamp)) {
            continue;
        }
        reader->DecodeMore(&location.record, kAllFields);
        if (FirstListedPiece(location.record) == line) {
            return location;
        }
    }
    if (readStatus) *readStatus = reader->status();
    return std::nullopt;
}

}  // namespace store
