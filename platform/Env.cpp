#include "platform/Env.h"

#include <cerrno>

namespace platform {
namespace {

// The Env installed by a test, or nullptr for the real one.
Env* g_installed = nullptr;

int g_lockWaitMs = 5000;

}  // namespace

Env* Env::Default() {
    return g_installed != nullptr ? g_installed : PosixEnv();
}

ScopedEnv::ScopedEnv(Env* env) : previous_(g_installed) {
    g_installed = env;
}

ScopedEnv::~ScopedEnv() {
    g_installed = previous_;
}

int LockWaitLimitMs() {
    return g_lockWaitMs;
}

void SetLockWaitLimitMs(int milliseconds) {
    g_lockWaitMs = milliseconds;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
    std::string path(dir);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

std::string DirName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return ".";
    const std::size_t end = path.find_last_not_of('/', slash);
    if (end == std::string_view::npos) return "/";
    return std::string(path.substr(0, end + 1));
}

std::string BaseName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

Status ResolveLinks(Env& env, const std::string& path, std::string* resolved) {
    constexpr int kMaxLinks = 40;  // as the kernel allows in one lookup
    std::string at = path;
    for (int followed = 0; followed <= kMaxLinks; ++followed) {
        FileInfo info;
        const Status status = env.GetFileInfo(at, &info);
        if (status.code() == ENOENT || (status.ok() && info.kind != FileInfo::Kind::kLink)) {
            *resolved = at;
            return Status::Ok();
        }
        if (!status.ok()) return status;
        std::string target;
        if (Status read = env.ReadLink(at, &target); !read.ok()) return read;
        at = target.starts_with('/') ? target : JoinPath(DirName(at), target);
    }
    return Status::Error(ELOOP, "Cannot follow the links at " + path);
}

}  // namespace platform
