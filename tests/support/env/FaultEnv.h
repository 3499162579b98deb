#pragma once
// Env wrappers for tests, benchmarks and fuzzers: a clock set to any instant,
// and a file layer that fails a chosen operation the way a full or broken
// disk does.

#include <cstdint>
#include <string>

#include "platform/Env.h"

namespace platform {

// Answers NowSeconds with a set instant; everything else goes to the target.
class ClockEnv : public EnvWrapper {
public:
    ClockEnv(Env* target, std::int64_t now) : EnvWrapper(target), now_(now) {}
    void SetNow(std::int64_t now) { now_ = now; }
    void Advance(std::int64_t seconds) { now_ += seconds; }
    std::int64_t NowSeconds() override { return now_; }

private:
    std::int64_t now_;
};

// Counts the file operations of the kinds chosen with FailNth and makes the
// n-th of them (1-based) fail with the given errno; every other operation
// goes to the target unchanged. A failing Append first writes part of its
// data, as a write to a full disk does.
class FaultEnv : public EnvWrapper {
public:
    enum Op : unsigned {
        kOpenRead = 1u << 0,      // NewSequentialFile
        kRead = 1u << 1,          // SequentialFile::Read
        kOpenWrite = 1u << 2,     // NewWritableFile, NewAppendableFile, NewExclusiveFile
        kWrite = 1u << 3,         // WritableFile::Append
        kSync = 1u << 4,          // WritableFile::Sync
        kClose = 1u << 5,         // WritableFile::Close
        kRename = 1u << 6,        // RenameFile
        kRemove = 1u << 7,        // RemoveFile
        kSyncDir = 1u << 8,       // SyncDir
        kCreateDirs = 1u << 9,    // CreateDirs
        kGetChildren = 1u << 10,  // GetChildren
        kLink = 1u << 11,         // LinkFile
        kAll = (1u << 12) - 1,
    };

    explicit FaultEnv(Env* target) : EnvWrapper(target) {}

    // Arms the fault: the n-th operation among `ops` from now on fails with
    // errorNumber (ENOSPC, EIO, EACCES...). n = 0 disarms it; operations
    // among `ops` are still counted, so a test can first count how many a
    // run makes.
    void FailNth(int n, unsigned ops, int errorNumber);
    // Operations among the armed kinds seen since FailNth.
    int count() const { return count_; }
    // Whether the armed fault has happened.
    bool fired() const { return fired_; }

    Status NewSequentialFile(const std::string& p, std::unique_ptr<SequentialFile>* r) override;
    Status NewWritableFile(const std::string& p, std::unique_ptr<WritableFile>* r) override;
    Status NewAppendableFile(const std::string& p, std::unique_ptr<WritableFile>* r) override;
    Status NewExclusiveFile(const std::string& p, const NewFileMode& m,
                            std::unique_ptr<WritableFile>* r) override;
    Status RenameFile(const std::string& f, const std::string& t) override;
    Status LinkFile(const std::string& f, const std::string& t) override;
    Status RemoveFile(const std::string& p) override;
    Status SyncDir(const std::string& d) override;
    Status CreateDirs(const std::string& d, unsigned m) override;
    Status GetChildren(const std::string& d, std::vector<std::string>* n) override;

    // Used by the wrapped files: true when this operation is the one to fail.
    bool ShouldFail(Op op);
    int errorNumber() const { return errorNumber_; }

private:
    int failAt_ = 0;
    unsigned ops_ = 0;
    int errorNumber_ = 0;
    int count_ = 0;
    bool fired_ = false;
};

}  // namespace platform
