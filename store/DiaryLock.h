#pragma once
// The lock every change of the diary holds for its whole read-modify-write:
// appends, rebuilds, deletions, restores and kept versions. Two copies of
// the program (the log-on start and a manual one, two sessions on one home
// folder, the program and jotwel-tool) then never lose each other's
// changes: the second waits for the first and reads the diary it left.
//
// The lock is an exclusive flock(2) on the lock file Jotwel.lck beside the
// diary file (beside the file a link at Jotwel.dat points to, so every
// writer of one file shares one lock). The file is made once and never
// removed; only the kernel's lock on it counts, and the kernel drops it when
// the holder ends, however it ends. Readers take no lock: a rebuild renames
// a whole new file into place, so a reader sees the old diary or the new.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Env.h"
#include "platform/Status.h"

namespace store {

inline constexpr std::string_view kLockFileName = "Jotwel.lck";

// The diary file that changes reach: Jotwel.dat of dataDir, or the file a
// link there points to.
platform::Status DiaryTargetPath(std::string_view dataDir, std::string* path);

// Takes the diary's lock, waiting a short while (platform::LockWaitLimitMs)
// for another copy's change to end; then fails with a message that the
// diary is busy. A change already holding the lock may take it again.
platform::Status LockDiary(std::string_view dataDir, std::unique_ptr<platform::FileLock>* lock);

}  // namespace store
