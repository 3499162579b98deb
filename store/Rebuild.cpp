#include "store/Rebuild.h"

#include <memory>
#include <string>

#include "platform/Env.h"
#include "store/Diary.h"

namespace store {
namespace {

// Streams every record of in through plan into out, then syncs and closes out.
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
        status = writer.Finish();
    }
    return status;
}

}  // namespace

platform::Status RebuildDiary(std::string_view dataDir, RebuildPlan& plan, bool* inPlace) {
    platform::Env* env = platform::Env::Default();
    const std::string diary = DiaryPath(dataDir);
    const std::string hold = HoldPath(dataDir);
    std::unique_ptr<RecordReader> in;
    std::unique_ptr<platform::WritableFile> out;
    platform::Status status = OpenRecordReader(diary, &in);
    if (status.ok()) {
        status = env->NewWritableFile(hold, &out);
    }
    if (status.ok()) {
        status = WriteRebuilt(*in, plan, *out);
    }
    if (status.ok()) {
        status = env->RenameFile(hold, diary);
    }
    if (inPlace) {
        *inPlace = status.ok();
    }
    if (status.ok()) {
        status = env->SyncDir(platform::DirName(diary));
    }
    if (!status.ok()) {
        out.reset();
        // Fails harmlessly when a rename already took it; the rebuild's own
        // failure is what is reported.
        (void)env->RemoveFile(hold);
    }
    return status;
}

}  // namespace store
