// Every file the program replaces whole (the settings file, a printed PDF,
// a kept version, a restored diary, the companion's output) goes through
// WriteThroughTemp. A copy is streamed in fixed chunks, so a file of any
// size takes the same memory.
#include "platform/FileCopy.h"

#include <functional>
#include <memory>
#include <vector>

#include "platform/Env.h"
#include "platform/WholeFile.h"

namespace platform {
namespace {

inline constexpr std::size_t kCopyChunkBytes = 64 * 1024;

}  // namespace

Status WriteThroughTemp(Env& env, const std::string& temp, const std::string& to,
                        const std::function<Status(WritableFile&)>& fill, bool* inPlace) {
    if (inPlace) *inPlace = false;
    std::unique_ptr<WritableFile> file;
    Status status = env.NewWritableFile(temp, &file);
    if (status.ok()) status = fill(*file);
    if (status.ok()) status = file->Sync();
    if (status.ok()) status = file->Close();
    file.reset();
    if (status.ok()) status = env.RenameFile(temp, to);
    if (!status.ok()) {
        (void)env.RemoveFile(temp);  // may be absent when it could not be created
        return status;
    }
    if (inPlace) *inPlace = true;
    return env.SyncDir(DirName(to));
}

namespace {

Status CopyInChunks(SequentialFile& in, WritableFile& out) {
    std::vector<char> buffer(kCopyChunkBytes);
    for (;;) {
        std::size_t got = 0;
        if (Status status = in.Read(buffer.size(), buffer.data(), &got); !status.ok()) {
            return status;
        }
        if (got == 0) return Status::Ok();
        if (Status status = out.Append(std::string_view(buffer.data(), got)); !status.ok()) {
            return status;
        }
    }
}

}  // namespace

Status CopyFileWhole(const std::string& from, const std::string& to, const std::string& temp,
                     bool* inPlace) {
    if (inPlace) *inPlace = false;
    Env& env = *Env::Default();
    std::unique_ptr<SequentialFile> in;
    if (Status status = env.NewSequentialFile(from, &in); !status.ok()) return status;
    return WriteThroughTemp(
        env, temp, to, [&in](WritableFile& out) { return CopyInChunks(*in, out); }, inPlace);
}

Status WriteFileWhole(const std::string& path, std::string_view bytes) {
    return WriteThroughTemp(*Env::Default(), TempPathFor(path), path,
                            [bytes](WritableFile& out) { return out.Append(bytes); });
}

}  // namespace platform
