#include "support/env/MemEnv.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace fuzzing {
namespace {

using platform::Status;

class MemSequentialFile : public platform::SequentialFile {
public:
    MemSequentialFile(std::shared_ptr<const std::string> bytes, std::size_t maxRead)
        : bytes_(std::move(bytes)), maxRead_(maxRead) {}

    Status Read(std::size_t n, char* buffer, std::size_t* got) override {
        if (maxRead_ != 0) n = std::min(n, maxRead_);
        *got = at_ < bytes_->size() ? std::min(n, bytes_->size() - at_) : 0;
        if (*got > 0) std::memcpy(buffer, bytes_->data() + at_, *got);
        at_ += *got;
        return Status::Ok();
    }

private:
    std::shared_ptr<const std::string> bytes_;
    std::size_t maxRead_;
    std::size_t at_ = 0;
};

class MemWritableFile : public platform::WritableFile {
public:
    explicit MemWritableFile(std::shared_ptr<std::string> bytes) : bytes_(std::move(bytes)) {}

    Status Append(std::string_view data) override {
        if (!bytes_) return Status::Error(EBADF, "Cannot write a closed file");
        bytes_->append(data);
        return Status::Ok();
    }
    Status Sync() override {
        return bytes_ ? Status::Ok() : Status::Error(EBADF, "Cannot sync a closed file");
    }
    Status Close() override {
        bytes_.reset();
        return Status::Ok();
    }

private:
    std::shared_ptr<std::string> bytes_;
};

Status Missing(const char* action, const std::string& path) {
    return Status::Error(ENOENT, std::string(action) + " " + path);
}

}  // namespace

std::optional<std::string> MemEnv::Contents(const std::string& path) const {
    const auto found = files_.find(path);
    if (found == files_.end()) return std::nullopt;
    return *found->second;
}

void MemEnv::Put(const std::string& path, std::string bytes) {
    files_[path] = std::make_shared<std::string>(std::move(bytes));
}

// As with an inode, a reader keeps the file it opened: a rename or removal
// of its path does not change what it reads, but a truncation of the same
// file does.
Status MemEnv::NewSequentialFile(const std::string& path,
                                 std::unique_ptr<platform::SequentialFile>* result) {
    const auto found = files_.find(path);
    if (found == files_.end()) return Missing("Cannot open", path);
    *result = std::make_unique<MemSequentialFile>(found->second, maxRead_);
    return Status::Ok();
}

Status MemEnv::NewWritableFile(const std::string& path,
                               std::unique_ptr<platform::WritableFile>* result) {
    std::shared_ptr<std::string>& bytes = files_[path];
    if (bytes) {
        bytes->clear();
    } else {
        bytes = std::make_shared<std::string>();
    }
    *result = std::make_unique<MemWritableFile>(bytes);
    return Status::Ok();
}

Status MemEnv::NewAppendableFile(const std::string& path,
                                 std::unique_ptr<platform::WritableFile>* result) {
    std::shared_ptr<std::string>& bytes = files_[path];
    if (!bytes) bytes = std::make_shared<std::string>();
    *result = std::make_unique<MemWritableFile>(bytes);
    return Status::Ok();
}

Status MemEnv::NewExclusiveFile(const std::string& path, const platform::NewFileMode&,
                                std::unique_ptr<platform::WritableFile>* result) {
    if (files_.count(path) != 0) return Status::Error(EEXIST, "Cannot create " + path);
    return NewWritableFile(path, result);
}

// Both names share the bytes, as two names of one inode do.
Status MemEnv::LinkFile(const std::string& from, const std::string& to) {
    const auto found = files_.find(from);
    if (found == files_.end()) return Missing("Cannot link", from);
    if (files_.count(to) != 0) return Status::Error(EEXIST, "Cannot link " + to);
    files_[to] = found->second;
    return Status::Ok();
}

Status MemEnv::RenameFile(const std::string& from, const std::string& to) {
    const auto found = files_.find(from);
    if (found == files_.end()) return Missing("Cannot rename", from);
    std::shared_ptr<std::string> bytes = found->second;
    files_.erase(found);
    files_[to] = std::move(bytes);
    return Status::Ok();
}

Status MemEnv::RemoveFile(const std::string& path) {
    return files_.erase(path) != 0 ? Status::Ok() : Missing("Cannot remove", path);
}

Status MemEnv::GetFileSize(const std::string& path, std::uint64_t* size) {
    const auto found = files_.find(path);
    *size = found == files_.end() ? 0 : found->second->size();
    return found == files_.end() ? Missing("Cannot read the size of", path) : Status::Ok();
}

Status MemEnv::GetChildren(const std::string& dir, std::vector<std::string>* names) {
    names->clear();
    const std::string prefix = dir + "/";
    for (const auto& [path, bytes] : files_) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
            path.find('/', prefix.size()) == std::string::npos) {
            names->push_back(path.substr(prefix.size()));
        }
    }
    return Status::Ok();
}

Status MemEnv::GetFileInfo(const std::string& path, platform::FileInfo* info) {
    const auto found = files_.find(path);
    if (found == files_.end()) return Missing("Cannot look at", path);
    *info = {platform::FileInfo::Kind::kRegular, 0600, 0, found->second->size()};
    return Status::Ok();
}

Status MemEnv::ReadLink(const std::string& path, std::string*) {
    return Status::Error(EINVAL, "Cannot read the link " + path);
}

Status MemEnv::LockFile(const std::string&, std::unique_ptr<platform::FileLock>* lock) {
    *lock = std::make_unique<platform::FileLock>();
    return Status::Ok();
}

Status MemEnv::GetCurrentDir(std::string* dir) {
    *dir = "/mem";
    return Status::Ok();
}

}  // namespace fuzzing
