#include "platform/Env.h"

namespace platform {
namespace {

// The Env installed by a test, or nullptr for the real one.
Env* g_installed = nullptr;

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

}  // namespace platform
