#include "store/Rebuild.h"

#include <memory>
#include <string>

#include "platform/Env.h"
#include "platform/FileCopy.h"
#include "store/Diary.h"
#include "store/DiaryLock.h"

namespace store {
namespace {

// Streams every record of in through plan into out. The shared write syncs
// and closes it.
platform::Status WriteRebuilt(RecordReader& in, RebuildPlan& plan, platform::WritableFile& out) {
    RecordWriter writer(&out);
    platform::Status status;
    std::int64_t index = 0;
    const char* run = nullptr;
    for (std::size_t count = 0; status.ok() && in.NextRun(&run, &count);) {
        for (std::size_t i = 0; status.ok() && i < count; ++i, ++index) {
            status = plan.OnRecord(index, run + i * RecordSize, writer);
        }
        if (status.ok()) {
            status = writer.EndRun();  // the next run reuses the reader's memory
        }
    }
    if (status.ok()) {
        status = in.status();
    }
    if (status.ok()) {
        status = plan.OnEnd(index, writer);
    }
    if (status.ok()) {
        status = writer.EndRun();
    }
    return status;
}

}  // namespace

platform::Status RebuildDiary(std::string_view dataDir, RebuildPlan& plan, bool* inPlace,
                              VersionRequest* version) {
    if (inPlace) *inPlace = false;
    std::unique_ptr<platform::FileLock> lock;
    platform::Status status = LockDiary(dataDir, &lock);
    std::string diary;
    if (status.ok()) status = DiaryTargetPath(dataDir, &diary);
    std::unique_ptr<RecordReader> in;
    if (status.ok()) status = OpenRecordReader(diary, &in);
    if (!status.ok()) return status;
    platform::WriteOptions options;
    options.temp = platform::JoinPath(platform::DirName(diary), kHoldFileName);
    options.newFileMode = kNewDiaryMode;
    if (version) {
        options.beforeRename = [dataDir, version] {
            version->status = KeepVersionBeforeChange(dataDir, version->change, &version->made,
                                                      VersionMethod::kLink);
            return platform::Status::Ok();  // a version never stops the change
        };
    }
    return platform::WriteThroughTemp(
        *platform::Env::Default(), diary,
        [&](platform::WritableFile& out) { return WriteRebuilt(*in, plan, out); }, inPlace,
        options);
}

}  // namespace store
