// The real file system and clock, through POSIX calls. Every failure carries
// errno and the path, so the caller can show it as it is.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
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

class PosixEnvImpl : public Env {
public:
    Status NewSequentialFile(const std::string& path,
                             std::unique_ptr<SequentialFile>* result) override {
        const int fd = OpenRetrying(path, O_RDONLY);
        if (fd < 0) return PathError("Cannot open", path);
        *result = std::make_unique<PosixSequentialFile>(path, fd);
        return Status::Ok();
    }

    Status NewWritableFile(const std::string& path,
                           std::unique_ptr<WritableFile>* result) override {
        return OpenForWriting(path, O_CREAT | O_TRUNC | O_WRONLY, "Cannot create", result);
    }

    Status NewAppendableFile(const std::string& path,
                             std::unique_ptr<WritableFile>* result) override {
        return OpenForWriting(path, O_APPEND | O_CREAT | O_WRONLY, "Cannot open", result);
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

    Status CreateDirs(const std::string& dir) override;
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

    Status GetCurrentDir(std::string* dir) override;

    std::int64_t NowSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }

private:
    static Status OpenForWriting(const std::string& path, int flags, const char* action,
                                 std::unique_ptr<WritableFile>* result) {
        const int fd = OpenRetrying(path, flags, 0644);
        if (fd < 0) return PathError(action, path);
        *result = std::make_unique<PosixWritableFile>(path, fd);
        return Status::Ok();
    }
};

// Makes one folder; one that already exists is fine.
Status MakeDir(const std::string& dir) {
    if (::mkdir(dir.c_str(), 0755) == 0) return Status::Ok();
    const int error = errno;
    struct stat st;
    if (error == EEXIST && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        return Status::Ok();
    }
    return Status::Error(error, "Cannot create folder " + dir);
}

Status PosixEnvImpl::CreateDirs(const std::string& dir) {
    // Each prefix ending before a "/" is a parent, made first.
    for (std::size_t slash = dir.find('/', 1); slash != std::string::npos;
         slash = dir.find('/', slash + 1)) {
        if (dir[slash - 1] == '/') continue;
        if (Status s = MakeDir(dir.substr(0, slash)); !s.ok()) return s;
    }
    if (dir.empty() || dir.back() == '/') return Status::Ok();
    return MakeDir(dir);
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
