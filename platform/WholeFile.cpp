#include "platform/WholeFile.h"

#include <cerrno>
#include <memory>

#include "platform/FileCopy.h"

namespace platform {

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

Status ReplaceWholeFile(Env& env, const std::string& path, std::string_view content) {
    const std::string dir = DirName(path);
    if (!env.FileExists(dir)) {
        if (Status status = env.CreateDirs(dir, 0755); !status.ok()) return status;
    }
    return WriteThroughTemp(env, path,
                            [content](WritableFile& file) { return file.Append(content); });
}

}  // namespace platform
