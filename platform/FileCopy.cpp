// Every file the program replaces whole (the diary, the settings file, a
// printed PDF, a kept version, a restored diary, the companion's output)
// goes through WriteThroughTemp. A copy is streamed in fixed chunks, so a
// file of any size takes the same memory.
#include "platform/FileCopy.h"

#include <cerrno>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "platform/Env.h"

namespace platform {
namespace {

inline constexpr std::size_t kCopyChunkBytes = 64 * 1024;
// Names tried before giving up when each one is taken.
inline constexpr int kTempNameTries = 32;
inline constexpr std::string_view kTempSuffix = ".tmp";
inline constexpr std::size_t kTempTagSize = 8;

// "NAME.xxxxxxxx.tmp": a tag no other writer guesses, so a name taken by
// another write or planted beforehand only means trying another.
std::string TempPathBeside(const std::string& file) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string path = file + ".";
    for (std::size_t i = 0; i < kTempTagSize; ++i) path += kLetters[pick(random)];
    return path + std::string(kTempSuffix);
}

Status CreateTemp(Env& env, const std::string& file, const WriteOptions& options,
                  const NewFileMode& mode, std::string* temp, std::unique_ptr<WritableFile>* out) {
    if (!options.temp.empty()) {
        *temp = options.temp;
        FileInfo leftover;
        if (env.GetFileInfo(*temp, &leftover).ok()) {
            if (Status removed = env.RemoveFile(*temp); !removed.ok()) return removed;
        }
        return env.NewExclusiveFile(*temp, mode, out);
    }
    Status status;
    for (int i = 0; i < kTempNameTries; ++i) {
        *temp = TempPathBeside(file);
        status = env.NewExclusiveFile(*temp, mode, out);
        if (status.code() != EEXIST) return status;
    }
    return status;
}

// The permissions the new file takes: those of the file it replaces.
Status ModeFor(Env& env, const std::string& file, const WriteOptions& options, NewFileMode* mode) {
    FileInfo info;
    const Status status = env.GetFileInfo(file, &info);
    if (status.code() == ENOENT) {
        mode->mode = options.newFileMode;
        return Status::Ok();
    }
    if (!status.ok()) return status;
    if (info.kind != FileInfo::Kind::kRegular) {
        return Status::Error(0, "Cannot replace " + file + ": it is not a regular file");
    }
    mode->mode = static_cast<int>(info.mode);
    mode->group = static_cast<int>(info.group);
    return Status::Ok();
}

}  // namespace

Status WriteThroughTemp(Env& env, const std::string& to,
                        const std::function<Status(WritableFile&)>& fill, bool* inPlace,
                        const WriteOptions& options) {
    if (inPlace) *inPlace = false;
    std::string file;
    Status status = ResolveLinks(env, to, &file);
    NewFileMode mode;
    if (status.ok()) status = ModeFor(env, file, options, &mode);
    if (!status.ok()) return status;
    std::string temp;
    std::unique_ptr<WritableFile> out;
    status = CreateTemp(env, file, options, mode, &temp, &out);
    if (!status.ok()) return status;  // nothing was made
    status = fill(*out);
    if (status.ok()) status = out->Sync();
    if (status.ok()) status = out->Close();
    out.reset();
    if (status.ok() && options.beforeRename) status = options.beforeRename();
    if (status.ok()) status = env.RenameFile(temp, file);
    if (!status.ok()) {
        (void)env.RemoveFile(temp);  // ours alone: made exclusively above
        return status;
    }
    if (inPlace) *inPlace = true;
    return env.SyncDir(DirName(file));
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

Status CopyFileWhole(const std::string& from, const std::string& to, bool* inPlace,
                     const WriteOptions& options) {
    if (inPlace) *inPlace = false;
    Env& env = *Env::Default();
    std::unique_ptr<SequentialFile> in;
    if (Status status = env.NewSequentialFile(from, &in); !status.ok()) return status;
    return WriteThroughTemp(
        env, to, [&in](WritableFile& out) { return CopyInChunks(*in, out); }, inPlace, options);
}

Status WriteFileWhole(const std::string& path, std::string_view bytes) {
    return WriteThroughTemp(*Env::Default(), path,
                            [bytes](WritableFile& out) { return out.Append(bytes); });
}

bool IsTempNameFor(std::string_view name, std::string_view base) {
    return name.size() == base.size() + 1 + kTempTagSize + kTempSuffix.size() &&
           name.starts_with(base) && name[base.size()] == '.' && name.ends_with(kTempSuffix);
}

}  // namespace platform
