// Writing a command's output: whole to a file, directly to anything else.
#include "tool/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <ostream>

#include "platform/FileCopy.h"
#include "tool/RunTool.h"

namespace tool {
namespace {

namespace fs = std::filesystem;

bool InSystemFolder(const std::string& path) {
    return path.starts_with("/dev/") || path.starts_with("/proc/");
}

// Whether path is to be written in place rather than replaced: it exists
// and is not a regular file, or it names one through /dev or /proc (the
// shell's redirection of /dev/stdout: replacing that file would leave the
// shell writing to a removed one).
bool WrittenInPlace(const std::string& path, std::string* target) {
    std::error_code error;
    const fs::path resolved = fs::canonical(path, error);
    *target = error ? path : resolved.string();
    if (InSystemFolder(path) || (!error && InSystemFolder(*target))) return true;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

platform::Status WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return platform::Status::Error(errno, "write");
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return platform::Status::Ok();
}

// Opens what path leads to without creating or truncating anything; a
// regular file reached this way is appended to, as a shell's ">>" would.
platform::Status WriteInPlace(const std::string& path, std::string_view bytes) {
    struct stat info {};
    const bool regular = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (regular ? O_APPEND : 0));
    if (fd < 0) return platform::Status::Error(errno, "open");
    platform::Status status = WriteAll(fd, bytes);
    if (::close(fd) != 0 && status.ok()) status = platform::Status::Error(errno, "close");
    return status;
}

}  // namespace

bool OutputIsStandard(const ToolContext& context) {
    return !context.Has("-o") || context.Value("-o") == "-";
}

int WriteOutput(const ToolContext& context, std::string_view bytes) {
    if (OutputIsStandard(context)) {
        context.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        context.out.flush();
        if (!context.out) {
            return context.Fail(kExitFileError, "the standard output", "could not be written");
        }
        return kExitOk;
    }
    const std::string path = context.Value("-o");
    if (int status = CheckOutputPath(context, path)) return status;
    std::string target;
    const platform::Status written = WrittenInPlace(path, &target)
                                         ? WriteInPlace(path, bytes)
                                         : platform::WriteFileWhole(target, bytes);
    if (!written.ok()) return context.FailFile(kExitFileError, path, written);
    return kExitOk;
}

}  // namespace tool
