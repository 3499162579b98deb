// Appending a record to the end of the diary.
//
// A plain append is the fast path and the common one, but a failed write can
// leave part of a record at the end, and a failed sync leaves a record the
// caller is told was not saved. So after a failure the diary is put back as
// it was: an absent diary is removed again, otherwise the diary is rebuilt
// with its old whole records. If that repair fails too (a full disk), what
// remains is at most a trailing fragment, which readers skip and the next
// append or rebuild drops; or the whole record after a failed sync.
//
// An append writes into the diary file itself, so its version must be a
// copy made before it. On a nearly full disk that copy may take the room the
// record needs: the copy is then removed and the append tried once more.

#include <cerrno>
#include <optional>
#include <string>

#include "store/Diary.h"
#include "store/DiaryLock.h"
#include "store/Rebuild.h"

namespace store {
namespace {

// The old whole records, then one more (a trailing fragment is dropped).
class AppendPlan : public RebuildPlan {
public:
    explicit AppendPlan(const TEntryRecord& record) : bytes_(EncodeRecord(record)) {}
    platform::Status OnRecord(std::int64_t, const char* record, RecordWriter& out) override {
        return out.Add(record);
    }
    platform::Status OnEnd(std::int64_t, RecordWriter& out) override {
        return out.Add(bytes_.data());
    }

private:
    RecordBytes bytes_;
};

// The first `keep` records only.
class TruncatePlan : public RebuildPlan {
public:
    explicit TruncatePlan(std::int64_t keep) : keep_(keep) {}
    platform::Status OnRecord(std::int64_t index, const char* record, RecordWriter& out) override {
        return index < keep_ ? out.Add(record) : platform::Status::Ok();
    }
    platform::Status OnEnd(std::int64_t, RecordWriter&) override { return platform::Status::Ok(); }

private:
    std::int64_t keep_;
};

// The diary's size in bytes; an absent diary has none.
platform::Status DiarySize(const std::string& diary, std::optional<std::uint64_t>* size) {
    std::uint64_t bytes = 0;
    platform::Status status = platform::Env::Default()->GetFileSize(diary, &bytes);
    if (status.ok()) {
        *size = bytes;
    } else if (status.code() == ENOENT) {
        size->reset();
        return platform::Status::Ok();
    }
    return status;
}

// Appends to an existing diary (its folder entry is durable already).
platform::Status AppendWhole(const std::string& diary, const TEntryRecord& record) {
    platform::Env* env = platform::Env::Default();
    const RecordBytes bytes = EncodeRecord(record);
    std::unique_ptr<platform::WritableFile> file;
    platform::Status status = env->NewAppendableFile(diary, &file);
    if (status.ok()) {
        status = file->Append(std::string_view(bytes.data(), bytes.size()));
    }
    if (status.ok()) {
        status = file->Sync();
    }
    if (status.ok()) {
        status = file->Close();
    }
    return status;
}

// Puts the diary back to `before` after a failed append, when it changed.
void UndoAppend(std::string_view dataDir, std::optional<std::uint64_t> before) {
    const std::string diary = DiaryPath(dataDir);
    std::optional<std::uint64_t> now;
    if (!DiarySize(diary, &now).ok() || now == before) {
        return;
    }
    // The undo is a best effort after a failure already being reported: when
    // it fails too, the diary keeps the whole records it has, which is what
    // the append's own failure message leads the user to check.
    if (!before) {
        (void)platform::Env::Default()->RemoveFile(diary);
        return;
    }
    TruncatePlan plan(static_cast<std::int64_t>(*before / RecordSize));
    (void)RebuildDiary(dataDir, plan);  // on failure, at most a fragment is left
}

// Gives back the room a version copy took, after an append that found none.
void RemoveVersion(std::string_view dataDir, VersionRequest* version) {
    (void)platform::Env::Default()->RemoveFile(
        platform::JoinPath(VersionsPath(dataDir), version->made));
    version->status = platform::Status::Error(
        ENOSPC, "The version " + version->made + " was removed again to make room for the change");
    version->made.clear();
}

}  // namespace

platform::Status AppendRecord(std::string_view dataDir, const TEntryRecord& record, bool* inPlace,
                              VersionRequest* version) {
    if (inPlace) {
        *inPlace = false;
    }
    std::unique_ptr<platform::FileLock> lock;
    platform::Status status = LockDiary(dataDir, &lock);
    std::string diary;
    if (status.ok()) {
        status = DiaryTargetPath(dataDir, &diary);
    }
    std::optional<std::uint64_t> before;
    if (status.ok()) {
        status = DiarySize(diary, &before);
    }
    if (!status.ok()) {
        return status;
    }
    if (!before || *before % RecordSize != 0) {
        // A new diary is made private through the hold file; appending to a
        // fragment would misalign every later record.
        AppendPlan plan(record);
        return RebuildDiary(dataDir, plan, inPlace, version);
    }
    if (version) {
        version->status = KeepVersionBeforeChange(dataDir, version->change, &version->made);
    }
    status = AppendWhole(diary, record);
    if (!status.ok() && status.code() == ENOSPC && version && !version->made.empty()) {
        RemoveVersion(dataDir, version);
        UndoAppend(dataDir, before);
        std::optional<std::uint64_t> now;
        if (DiarySize(diary, &now).ok() && now == before) {
            status = AppendWhole(diary, record);
        }
    }
    if (!status.ok()) {
        UndoAppend(dataDir, before);
    }
    if (inPlace) {
        std::optional<std::uint64_t> now;
        *inPlace = status.ok() ||
                   (DiarySize(diary, &now).ok() && now && *now == before.value_or(0) + RecordSize);
    }
    return status;
}

}  // namespace store
