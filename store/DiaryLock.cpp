#include "store/DiaryLock.h"

#include <cerrno>

#include "store/Diary.h"

namespace store {

platform::Status DiaryTargetPath(std::string_view dataDir, std::string* path) {
    return platform::ResolveLinks(*platform::Env::Default(), DiaryPath(dataDir), path);
}

platform::Status LockDiary(std::string_view dataDir, std::unique_ptr<platform::FileLock>* lock) {
    std::string diary;
    platform::Status status = DiaryTargetPath(dataDir, &diary);
    if (!status.ok()) return status;
    const std::string lockFile = platform::JoinPath(platform::DirName(diary), kLockFileName);
    status = platform::Env::Default()->LockFile(lockFile, lock);
    if (status.code() == EWOULDBLOCK) {
        return platform::Status::Error(0, "The diary " + diary +
                                              " is busy: another copy of Jotwel is changing it. "
                                              "Try again in a moment.");
    }
    return status;
}

}  // namespace store
