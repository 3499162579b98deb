// The real file system and clock, through POSIX calls. Every failure carries
// errno and the path, so the caller can show it as it is.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Env.h"

namespace platform {
namespace {

Status PathError(const std::string& action, const std::string& path) {
    return Status::Error(errno, action + " " + path);
}

// Opens path, retrying when a signal interrupts the call.
int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Refuses what is not a regular file: a named pipe or a device would block or
// never end, and a folder cannot be read as a file.
Status CheckRegular(int fd, const std::string& path) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return PathError("Cannot open", path);
    if (S_ISREG(st.st_mode)) return Status::Ok();
    return Status::Error(0, "Cannot open " + path + ": it is not a regular file");
}

// Opens path without ever waiting on a named pipe (O_NONBLOCK), then refuses
// anything but a regular file and puts the descriptor back in blocking mode.
Status OpenRegular(const std::string& path, int flags, mode_t mode, const char* action, int* fd) {
    *fd = OpenRetrying(path, flags | O_NONBLOCK, mode);
    if (*fd < 0) {
        // A pipe with no reader refuses a non-blocking open for writing.
        if (errno == ENXIO)
            return Status::Error(0,
                                 std::string(action) + " " + path + ": it is not a regular file");
        return PathError(action, path);
    }
    Status status = CheckRegular(*fd, path);
    if (status.ok() && ::fcntl(*fd, F_SETFL, ::fcntl(*fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        status = PathError(action, path);
    }
    if (!status.ok()) {
        ::close(*fd);
        *fd = -1;
    }
    return status;
}

class PosixSequentialFile : public SequentialFile {
public:
    PosixSequentialFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~PosixSequentialFile() override { ::close(fd_); }

    Status Read(std::size_t n, char* buffer, std::size_t* got) override {
        *got = 0;
        ssize_t r;
        do {
            r = ::read(fd_, buffer, n);
        } while (r < 0 && errno == EINTR);
        if (r < 0) return PathError("Cannot read", path_);
        *got = static_cast<std::size_t>(r);
        return Status::Ok();
    }

private:
    std::string path_;
    int fd_;
};

class PosixWritableFile : public WritableFile {
public:
    PosixWritableFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~PosixWritableFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    // Loops until every byte is written: write(2) may take only part of it.
    Status Append(std::string_view data) override {
        while (!data.empty()) {
            const ssize_t w = ::write(fd_, data.data(), data.size());
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) return PathError("Cannot write", path_);
            data.remove_prefix(static_cast<std::size_t>(w));
        }
        return Status::Ok();
    }

    Status Sync() override {
        if (::fsync(fd_) != 0) return PathError("Cannot sync", path_);
        return Status::Ok();
    }

    // The descriptor is released even when close(2) reports an error, so it
    // is never closed twice.
    Status Close() override {
        const int fd = fd_;
        fd_ = -1;
        if (fd >= 0 && ::close(fd) != 0) return PathError("Cannot close", path_);
        return Status::Ok();
    }

private:
    std::string path_;
    int fd_;
};

// Why flock(2): the lock belongs to the open file, so it goes when the last
// descriptor does, however the process ends (SIGKILL included), and closing
// some other descriptor of the same file never drops it (as it would a
// classic fcntl lock). It covers the whole file, which is all a lock file
// needs. Within the process, locks of one file are counted: the kernel
// would make a second open of it wait for the first.
class HeldLocks {
public:
    struct Key {
        dev_t device;
        ino_t inode;
        bool operator<(const Key& o) const {
            return device != o.device ? device < o.device : inode < o.inode;
        }
    };
    // The lock of the file open at fd, when this process holds it already.
    bool Reenter(const Key& key) {
        const auto found = held_.find(key);
        if (found == held_.end()) return false;
        ++found->second.count;
        return true;
    }
    void Add(const Key& key, int fd) { held_[key] = {fd, 1}; }
    void Release(const Key& key) {
        const auto found = held_.find(key);
        if (found == held_.end() || --found->second.count > 0) return;
        ::close(found->second.fd);  // lets the kernel's lock go
        held_.erase(found);
    }

private:
    struct Held {
        int fd;
        int count;
    };
    std::map<Key, Held> held_;
};

HeldLocks& Locks() {
    static HeldLocks locks;
    return locks;
}

class PosixFileLock : public FileLock {
public:
    explicit PosixFileLock(HeldLocks::Key key) : key_(key) {}
    ~PosixFileLock() override { Locks().Release(key_); }

private:
    HeldLocks::Key key_;
};

// Tries for the lock until the wait limit, a little less often as it waits.
bool WaitForLock(int fd) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(LockWaitLimitMs());
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (Clock::now() >= until) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

Status LockOpenFile(int fd, const std::string& path, std::unique_ptr<FileLock>* lock) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return PathError("Cannot lock", path);
    const HeldLocks::Key key{st.st_dev, st.st_ino};
    if (!Locks().Reenter(key)) {
        if (!WaitForLock(fd)) return PathError("Cannot lock", path);
        Locks().Add(key, fd);
        fd = -1;
    }
    if (fd >= 0) ::close(fd);
    *lock = std::make_unique<PosixFileLock>(key);
    return Status::Ok();
}

class PosixEnvImpl : public Env {
public:
    Status NewSequentialFile(const std::string& path,
                             std::unique_ptr<SequentialFile>* result) override {
        int fd = -1;
        if (Status status = OpenRegular(path, O_RDONLY, 0, "Cannot open", &fd); !status.ok()) {
            return status;
        }
        *result = std::make_unique<PosixSequentialFile>(path, fd);
        return Status::Ok();
    }

    Status NewWritableFile(const std::string& path,
                           std::unique_ptr<WritableFile>* result) override {
        return OpenForWriting(path, O_CREAT | O_TRUNC | O_WRONLY | O_NOFOLLOW, "Cannot create",
                              result);
    }

    Status NewAppendableFile(const std::string& path,
                             std::unique_ptr<WritableFile>* result) override {
        return OpenForWriting(path, O_APPEND | O_CREAT | O_WRONLY, "Cannot open", result);
    }

    Status NewExclusiveFile(const std::string& path, const NewFileMode& mode,
                            std::unique_ptr<WritableFile>* result) override;

    Status LinkFile(const std::string& from, const std::string& to) override {
        if (::link(from.c_str(), to.c_str()) != 0) {
            return Status::Error(errno, "Cannot link " + to + " to " + from);
        }
        return Status::Ok();
    }

    Status RenameFile(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) {
            return Status::Error(errno, "Cannot rename " + from + " to " + to);
        }
        return Status::Ok();
    }

    Status RemoveFile(const std::string& path) override {
        if (::unlink(path.c_str()) != 0) return PathError("Cannot remove", path);
        return Status::Ok();
    }

    Status SyncDir(const std::string& dir) override {
        const int fd = OpenRetrying(dir, O_RDONLY | O_DIRECTORY);
        if (fd < 0) return PathError("Cannot open folder", dir);
        Status status;
        if (::fsync(fd) != 0) status = PathError("Cannot sync folder", dir);
        ::close(fd);
        return status;
    }

    Status CreateDirs(const std::string& dir, unsigned mode) override;
    Status GetChildren(const std::string& dir, std::vector<std::string>* names) override;

    bool FileExists(const std::string& path) override { return ::access(path.c_str(), F_OK) == 0; }

    Status GetFileSize(const std::string& path, std::uint64_t* size) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) {
            *size = 0;
            return PathError("Cannot read the size of", path);
        }
        *size = static_cast<std::uint64_t>(st.st_size);
        return Status::Ok();
    }

    Status GetFileInfo(const std::string& path, FileInfo* info) override;
    Status LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) override {
        int fd = -1;
        Status status = OpenRegular(path, O_RDWR | O_CREAT | O_NOFOLLOW, 0600, "Cannot lock", &fd);
        if (!status.ok()) return status;
        status = LockOpenFile(fd, path, lock);
        if (!status.ok()) ::close(fd);
        return status;
    }
    Status ReadLink(const std::string& path, std::string* target) override;
    Status GetCurrentDir(std::string* dir) override;

    std::int64_t NowSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

private:
    static Status OpenForWriting(const std::string& path, int flags, const char* action,
                                 std::unique_ptr<WritableFile>* result) {
        int fd = -1;
        if (Status status = OpenRegular(path, flags, 0644, action, &fd); !status.ok()) {
            return status;
        }
        *result = std::make_unique<PosixWritableFile>(path, fd);
        return Status::Ok();
    }
};

Status PosixEnvImpl::NewExclusiveFile(const std::string& path, const NewFileMode& mode,
                                      std::unique_ptr<WritableFile>* result) {
    const int fd = OpenRetrying(path, O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW, 0666);
    if (fd < 0) return PathError("Cannot create", path);
    // Set on the open file, never through the name, which someone else
    // could have replaced by now. A group the process may not give is left.
    if (mode.group >= 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(mode.group)) != 0) {
        // The file keeps the process's own group: still private by its mode.
    }
    if (mode.mode >= 0 && ::fchmod(fd, static_cast<mode_t>(mode.mode)) != 0) {
        const Status status = PathError("Cannot set the permissions of", path);
        ::close(fd);
        ::unlink(path.c_str());
        return status;
    }
    *result = std::make_unique<PosixWritableFile>(path, fd);
    return Status::Ok();
}

Status PosixEnvImpl::GetFileInfo(const std::string& path, FileInfo* info) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return PathError("Cannot look at", path);
    using Kind = FileInfo::Kind;
    info->kind = S_ISREG(st.st_mode)   ? Kind::kRegular
                 : S_ISDIR(st.st_mode) ? Kind::kDirectory
                 : S_ISLNK(st.st_mode) ? Kind::kLink
                                       : Kind::kOther;
    info->mode = static_cast<unsigned>(st.st_mode & 07777);
    info->group = static_cast<unsigned>(st.st_gid);
    info->size = static_cast<std::uint64_t>(st.st_size);
    return Status::Ok();
}

Status PosixEnvImpl::ReadLink(const std::string& path, std::string* target) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return PathError("Cannot read the link", path);
        if (static_cast<std::size_t>(n) < buffer.size()) {
            target->assign(buffer.data(), static_cast<std::size_t>(n));
            return Status::Ok();
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Makes one folder; one that already exists is fine.
Status MakeDir(const std::string& dir, mode_t mode) {
    if (::mkdir(dir.c_str(), mode) == 0) return Status::Ok();
    const int error = errno;
    struct stat st;
    if (error == EEXIST && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return Status::Ok();
    }
    return Status::Error(error, "Cannot create folder " + dir);
}

Status PosixEnvImpl::CreateDirs(const std::string& dir, unsigned mode) {
    // Each prefix ending before a "/" is a parent, made first.
    for (std::size_t slash = dir.find('/', 1); slash != std::string::npos;
         slash = dir.find('/', slash + 1)) {
        if (dir[slash - 1] == '/') continue;
        if (Status s = MakeDir(dir.substr(0, slash), 0755); !s.ok()) return s;
    }
    if (dir.empty() || dir.back() == '/') return Status::Ok();
    return MakeDir(dir, static_cast<mode_t>(mode));
}

Status PosixEnvImpl::GetChildren(const std::string& dir, std::vector<std::string>* names) {
    names->clear();
    DIR* folder = ::opendir(dir.c_str());
    if (folder == nullptr) return PathError("Cannot open folder", dir);
    Status status;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder);
        if (entry == nullptr) {
            if (errno != 0) status = PathError("Cannot read folder", dir);
            break;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names->emplace_back(name);
    }
    ::closedir(folder);
    return status;
}

Status PosixEnvImpl::GetCurrentDir(std::string* dir) {
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return Status::Error(errno, "Cannot read the current folder");
        buffer.resize(buffer.size() * 2);
    }
    *dir = buffer.data();
    return Status::Ok();
}

}  // namespace

Env* PosixEnv() {
    static PosixEnvImpl env;
    return &env;
}

}  // namespace platform
