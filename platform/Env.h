#pragma once
// The one interface through which the program reaches files and the clock.
//
// Everything that touches the disk or asks the time goes through Env, so that
// tests can put a clock set to any instant and a file layer that fails a
// chosen write, sync or rename in its place (see tests/support/env/FaultEnv.h),
// without editing the code under test.
//
// Paths are byte strings in the file system's own encoding. Every function is
// called on the user-interface thread; none is thread-safe.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Status.h"

namespace platform {

// A file open for reading from its start.
class SequentialFile {
public:
    virtual ~SequentialFile() = default;
    // Reads up to n bytes into buffer; *got is the number read (0 at the end
    // of the file). A failed read returns an error and leaves *got at 0.
    virtual Status Read(std::size_t n, char* buffer, std::size_t* got) = 0;
};

// A file open for writing. Nothing is durable until Sync returns Ok.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual Status Append(std::string_view data) = 0;
    // Flushes what was appended to the device (fsync).
    virtual Status Sync() = 0;
    // Closes the file; a file destroyed without Close is closed silently.
    virtual Status Close() = 0;
};

class Env {
public:
    virtual ~Env() = default;

    // Opens path for reading. A missing file fails with ENOENT.
    virtual Status NewSequentialFile(const std::string& path,
                                     std::unique_ptr<SequentialFile>* result) = 0;
    // Creates path afresh (truncating any old content) for writing, mode 0644
    // before the umask.
    virtual Status NewWritableFile(const std::string& path,
                                   std::unique_ptr<WritableFile>* result) = 0;
    // Opens path for writing at its end, creating it if absent.
    virtual Status NewAppendableFile(const std::string& path,
                                     std::unique_ptr<WritableFile>* result) = 0;

    // Replaces `to` with `from` in one step (rename(2)).
    virtual Status RenameFile(const std::string& from, const std::string& to) = 0;
    // Removes path. A missing file fails with ENOENT.
    virtual Status RemoveFile(const std::string& path) = 0;
    // Makes the folder's entries durable (fsync on the folder), so that a
    // rename or a new file survives a crash.
    virtual Status SyncDir(const std::string& dir) = 0;
    // Creates the folder and any missing parents.
    virtual Status CreateDirs(const std::string& dir) = 0;
    // The names of the entries in folder dir (files and folders, without "."
    // and ".."), in no particular order. A missing folder fails with ENOENT.
    virtual Status GetChildren(const std::string& dir, std::vector<std::string>* names) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Size in bytes of an existing file.
    virtual Status GetFileSize(const std::string& path, std::uint64_t* size) = 0;

    // The process's current directory, whole.
    virtual Status GetCurrentDir(std::string* dir) = 0;

    // The current instant: seconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t NowSeconds() = 0;

    // The process-wide Env: the real one unless a test installed another.
    static Env* Default();
};

// The real file system and clock (POSIX).
Env* PosixEnv();

// Installs env as Env::Default() until the returned guard is destroyed
// (tests). The caller keeps env alive for that long.
class ScopedEnv {
public:
    explicit ScopedEnv(Env* env);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    Env* previous_;
};

// Forwards every call to another Env; derive from it to change a few calls.
class EnvWrapper : public Env {
public:
    explicit EnvWrapper(Env* target) : target_(target) {}
    Env* target() const { return target_; }

    Status NewSequentialFile(const std::string& p, std::unique_ptr<SequentialFile>* r) override {
        return target_->NewSequentialFile(p, r);
    }
    Status NewWritableFile(const std::string& p, std::unique_ptr<WritableFile>* r) override {
        return target_->NewWritableFile(p, r);
    }
    Status NewAppendableFile(const std::string& p, std::unique_ptr<WritableFile>* r) override {
        return target_->NewAppendableFile(p, r);
    }
    Status RenameFile(const std::string& f, const std::string& t) override {
        return target_->RenameFile(f, t);
    }
    Status RemoveFile(const std::string& p) override { return target_->RemoveFile(p); }
    Status SyncDir(const std::string& d) override { return target_->SyncDir(d); }
    Status CreateDirs(const std::string& d) override { return target_->CreateDirs(d); }
    Status GetChildren(const std::string& d, std::vector<std::string>* n) override {
        return target_->GetChildren(d, n);
    }
    bool FileExists(const std::string& p) override { return target_->FileExists(p); }
    Status GetFileSize(const std::string& p, std::uint64_t* s) override {
        return target_->GetFileSize(p, s);
    }
    Status GetCurrentDir(std::string* d) override { return target_->GetCurrentDir(d); }
    std::int64_t NowSeconds() override { return target_->NowSeconds(); }

private:
    Env* target_;
};

// Joins a folder and a file name with the platform's separator. An empty
// folder gives the bare name.
std::string JoinPath(std::string_view dir, std::string_view name);
// The folder part of a path ("." when there is none).
std::string DirName(std::string_view path);

}  // namespace platform
