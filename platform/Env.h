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

// What GetFileInfo finds at a path. A link is described itself, not
// followed.
struct FileInfo {
    enum class Kind { kRegular, kDirectory, kLink, kOther };
    Kind kind = Kind::kOther;  // kOther: a named pipe, a device, a socket
    unsigned mode = 0;         // permission bits (07777)
    unsigned group = 0;        // owning group id
    std::uint64_t size = 0;    // bytes
};

// The permissions a file made by NewExclusiveFile gets.
struct NewFileMode {
    int mode = -1;   // permission bits, set exactly; -1: 0666 less the umask
    int group = -1;  // owning group, set where the process may; -1: the process's
};

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

// An exclusive lock, held until the object is destroyed.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class Env {
public:
    virtual ~Env() = default;

    // Opens path for reading. A missing file fails with ENOENT. Anything but
    // a regular file (a named pipe, a device, a folder) is refused at once,
    // never waited on, as a file that cannot be read.
    virtual Status NewSequentialFile(const std::string& path,
                                     std::unique_ptr<SequentialFile>* result) = 0;
    // Creates path afresh (truncating any old content) for writing, mode 0644
    // before the umask. A link at path is refused (ELOOP), never followed,
    // and so is anything there but a regular file.
    virtual Status NewWritableFile(const std::string& path,
                                   std::unique_ptr<WritableFile>* result) = 0;
    // Opens path for writing at its end, creating it if absent. A link is
    // followed; anything but a regular file is refused.
    virtual Status NewAppendableFile(const std::string& path,
                                     std::unique_ptr<WritableFile>* result) = 0;
    // Creates path for writing only when nothing (not even a dangling link)
    // is there yet: fails with EEXIST otherwise. Temporary and hold files
    // are made this way, so one is never shared and never opened through a
    // link planted at its name.
    virtual Status NewExclusiveFile(const std::string& path, const NewFileMode& mode,
                                    std::unique_ptr<WritableFile>* result) = 0;

    // Replaces `to` with `from` in one step (rename(2)).
    virtual Status RenameFile(const std::string& from, const std::string& to) = 0;
    // Removes path. A missing file fails with ENOENT.
    virtual Status RemoveFile(const std::string& path) = 0;
    // Makes the folder's entries durable (fsync on the folder), so that a
    // rename or a new file survives a crash.
    virtual Status SyncDir(const std::string& dir) = 0;
    // Makes `to` a second name of the file `from` (a hard link). Fails with
    // EEXIST when `to` is taken, and where the file system has no such links.
    virtual Status LinkFile(const std::string& from, const std::string& to) = 0;
    // Creates the folder and any missing parents; the folder itself gets
    // `mode` (before the umask), its parents 0755.
    virtual Status CreateDirs(const std::string& dir, unsigned mode) = 0;
    // The names of the entries in folder dir (files and folders, without "."
    // and ".."), in no particular order. A missing folder fails with ENOENT.
    virtual Status GetChildren(const std::string& dir, std::vector<std::string>* names) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Size in bytes of an existing file.
    virtual Status GetFileSize(const std::string& path, std::uint64_t* size) = 0;
    // What is at path, without following a link there. ENOENT when nothing.
    virtual Status GetFileInfo(const std::string& path, FileInfo* info) = 0;
    // The text of the link at path (EINVAL when path is not a link).
    virtual Status ReadLink(const std::string& path, std::string* target) = 0;

    // Takes the exclusive lock of the lock file at path for the caller's
    // process, creating the file (0600, never through a link) when missing.
    // Waits while another process holds it, for up to LockWaitLimit(); then
    // fails with EWOULDBLOCK. The lock is the kernel's (flock(2)), so a
    // process that ends in any way, killed included, releases it. Taking a
    // lock this process already holds succeeds at once (the lock is held
    // until the last such guard is gone), so a change may call others.
    virtual Status LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) = 0;

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
    Status NewExclusiveFile(const std::string& p, const NewFileMode& m,
                            std::unique_ptr<WritableFile>* r) override {
        return target_->NewExclusiveFile(p, m, r);
    }
    Status RenameFile(const std::string& f, const std::string& t) override {
        return target_->RenameFile(f, t);
    }
    Status LinkFile(const std::string& f, const std::string& t) override {
        return target_->LinkFile(f, t);
    }
    Status RemoveFile(const std::string& p) override { return target_->RemoveFile(p); }
    Status SyncDir(const std::string& d) override { return target_->SyncDir(d); }
    Status CreateDirs(const std::string& d, unsigned m) override {
        return target_->CreateDirs(d, m);
    }
    Status GetChildren(const std::string& d, std::vector<std::string>* n) override {
        return target_->GetChildren(d, n);
    }
    bool FileExists(const std::string& p) override { return target_->FileExists(p); }
    Status GetFileSize(const std::string& p, std::uint64_t* s) override {
        return target_->GetFileSize(p, s);
    }
    Status GetFileInfo(const std::string& p, FileInfo* i) override {
        return target_->GetFileInfo(p, i);
    }
    Status ReadLink(const std::string& p, std::string* t) override {
        return target_->ReadLink(p, t);
    }
    Status LockFile(const std::string& p, std::unique_ptr<FileLock>* l) override {
        return target_->LockFile(p, l);
    }
    Status GetCurrentDir(std::string* d) override { return target_->GetCurrentDir(d); }
    std::int64_t NowSeconds() override { return target_->NowSeconds(); }

private:
    Env* target_;
};

// How long LockFile waits for another process to let go of a lock: a few
// seconds unless set otherwise (tests that contend on purpose wait longer).
int LockWaitLimitMs();
void SetLockWaitLimitMs(int milliseconds);

// Joins a folder and a file name with the platform's separator. An empty
// folder gives the bare name.
std::string JoinPath(std::string_view dir, std::string_view name);
// The folder part of a path ("." when there is none).
std::string DirName(std::string_view path);
// The last part of a path (the file's own name).
std::string BaseName(std::string_view path);

// The file that writing to path reaches: path itself, or, when a link is
// there, what it points to (followed through further links, a relative
// target taken from the link's folder). The file reached need not exist.
// Fails with ELOOP after too many links. Replacing a linked file replaces
// this one, in its own folder, so the link stays a link.
Status ResolveLinks(Env& env, const std::string& path, std::string* resolved);

}  // namespace platform
