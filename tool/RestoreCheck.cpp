// restore takes only a plain file from the versions folder: a link named
// like a version could otherwise put any file in the diary's place.
#include "tool/RestoreCheck.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/Env.h"
#include "store/Versions.h"
#include "tool/RunTool.h"

namespace tool {

int CheckVersionFile(const ToolContext& context, const std::string& name) {
    const std::string path = platform::JoinPath(store::VersionsPath(context.dataDir), name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return context.Fail(kExitUserError, path, std::strerror(errno));
    }
    if (S_ISLNK(info.st_mode)) {
        return context.Fail(kExitUserError, path,
                            "is a link, not a version the program kept; nothing restored");
    }
    if (!S_ISREG(info.st_mode)) {
        return context.Fail(kExitUserError, path,
                            "is not a plain file, so not a version the program kept; nothing "
                            "restored");
    }
    return kExitOk;
}

}  // namespace tool
