#include "platform/WholeFile.h"

#include <cerrno>
#include <memory>

namespace platform {
namespace {

Status WriteSyncClose(WritableFile& file, std::string_view content) {
    Status status = file.Append(content);
    if (status.ok()) status = file.Sync();
    if (status.ok()) status = file.Close();
    return status;
}

// Writes content to temp and renames it over path; on failure the
// temporary file is gone and path is untouched.
Status WriteAndRename(Env& env, const std::string& temp, const std::string& path,
                      std::string_view content) {
    std::unique_ptr<WritableFile> file;
    Status status = env.NewWritableFile(temp, &file);
    if (status.ok()) status = WriteSyncClose(*file, content);
    file.reset();
    if (status.ok()) status = env.RenameFile(temp, path);
    if (!status.ok()) (void)env.RemoveFile(temp);
    return status;
}

}  // namespace

Status ReadWholeFile(Env& env, const std::string& path, std::string* content,
                     std::size_t maxBytes) {
    content->clear();
    std::unique_ptr<SequentialFile> file;
    Status status = env.NewSequentialFile(path, &file);
    char buffer[8192];
    for (std::size_t got = 1; status.ok() && got > 0;) {
        status = file->Read(sizeof buffer, buffer, &got);
        content->append(buffer, got);
        if (content->size() > maxBytes) status = Status::Error(EFBIG, "Cannot read " + path);
    }
    if (!status.ok()) content->clear();
    return status;
}

std::string TempPathFor(const std::string& path) {
    return path + ".tmp";
}

Status ReplaceWholeFile(Env& env, const std::string& path, std::string_view content) {
    const std::string dir = DirName(path);
    if (!env.FileExists(dir)) {
        if (Status status = env.CreateDirs(dir); !status.ok()) return status;
    }
    if (Status status = WriteAndRename(env, TempPathFor(path), path, content); !status.ok()) {
        return status;
    }
    return env.SyncDir(dir);
}

}  // namespace platform
