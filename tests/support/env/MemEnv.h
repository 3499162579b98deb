#pragma once
// An Env that keeps its files in memory, for the fuzz targets: no disk, no
// fsync, so a target runs thousands of inputs a second.
//
// It behaves as the POSIX file system does where the store relies on it: a
// file open for reading stays the file it was (a rename over its path does
// not change what it reads); creating a file truncates the one already
// there; renaming replaces the target in one step. Folders are not modelled:
// every folder exists and syncing one does nothing. Reads can be made short
// (SetMaxRead), as reads from a pipe or a network file system are.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/Env.h"

namespace fuzzing {

class MemEnv : public platform::Env {
public:
    // The file's bytes, or nothing when there is no such file.
    std::optional<std::string> Contents(const std::string& path) const;
    void Put(const std::string& path, std::string bytes);
    // Every file by path.
    const std::map<std::string, std::shared_ptr<std::string>>& files() const { return files_; }
    // A read returns at most n bytes (n >= 1); 0 means no limit.
    void SetMaxRead(std::size_t n) { maxRead_ = n; }
    void SetNow(std::int64_t now) { now_ = now; }

    platform::Status NewSequentialFile(const std::string& path,
                                       std::unique_ptr<platform::SequentialFile>* result) override;
    platform::Status NewWritableFile(const std::string& path,
                                     std::unique_ptr<platform::WritableFile>* result) override;
    platform::Status NewAppendableFile(const std::string& path,
                                       std::unique_ptr<platform::WritableFile>* result) override;
    platform::Status NewExclusiveFile(const std::string& path, const platform::NewFileMode& mode,
                                      std::unique_ptr<platform::WritableFile>* result) override;
    platform::Status RenameFile(const std::string& from, const std::string& to) override;
    platform::Status LinkFile(const std::string& from, const std::string& to) override;
    platform::Status RemoveFile(const std::string& path) override;
    platform::Status SyncDir(const std::string&) override { return platform::Status::Ok(); }
    platform::Status CreateDirs(const std::string&, unsigned) override {
        return platform::Status::Ok();
    }
    // The files directly in dir (MemEnv has no folders of its own).
    platform::Status GetChildren(const std::string& dir, std::vector<std::string>* names) override;
    bool FileExists(const std::string& path) override { return files_.count(path) != 0; }
    platform::Status GetFileSize(const std::string& path, std::uint64_t* size) override;
    platform::Status GetFileInfo(const std::string& path, platform::FileInfo* info) override;
    platform::Status ReadLink(const std::string& path, std::string* target) override;
    // One process: every lock is free.
    platform::Status LockFile(const std::string& path,
                              std::unique_ptr<platform::FileLock>* lock) override;
    platform::Status GetCurrentDir(std::string* dir) override;
    std::int64_t NowSeconds() override { return now_; }

private:
    std::map<std::string, std::shared_ptr<std::string>> files_;
    std::size_t maxRead_ = 0;
    std::int64_t now_ = 1417986309;  // 07/12/14 21:05:09 UTC
};

}  // namespace fuzzing
