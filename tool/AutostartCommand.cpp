// autostart: the log-on entry in the user's autostart folder, put there,
// removed or told of.
#include <ostream>

#include "platform/Env.h"
#include "platform/WholeFile.h"
#include "tool/AutostartEntry.h"
#include "tool/Commands.h"
#include "tool/RunTool.h"
#include "tool/UserSession.h"

namespace tool {
namespace {

std::string EntryPath() {
    return platform::JoinPath(platform::JoinPath(ConfigHome(), "autostart"),
                              "jotwel-autostart.desktop");
}

}  // namespace

int RunAutostart(const ToolContext& context) {
    const std::string what = context.operands.empty() ? "" : context.operands[0];
    const std::string path = EntryPath();
    platform::Env& env = *platform::Env::Default();
    if (what == "on") {
        if (platform::Status written = platform::ReplaceWholeFile(env, path, kAutostartEntry);
            !written.ok()) {
            return context.FailFile(kExitFileError, path, written);
        }
        context.out << "Jotwel will start at log-on (" << path
                    << "), opening its window only "
                       "when today's entry has not been made.\n";
        return kExitOk;
    }
    if (what == "off") {
        if (!env.FileExists(path)) {
            context.out << "Jotwel does not start at log-on; nothing to remove.\n";
            return kExitOk;
        }
        if (platform::Status removed = env.RemoveFile(path); !removed.ok()) {
            return context.FailFile(kExitFileError, path, removed);
        }
        context.out << "Jotwel will no longer start at log-on (" << path << " removed).\n";
        return kExitOk;
    }
    if (what == "status") {
        context.out << (env.FileExists(path) ? "Jotwel starts at log-on (" + path + ").\n"
                                             : std::string("Jotwel does not start at log-on.\n"));
        return kExitOk;
    }
    return context.Fail(kExitUserError, "autostart", "give \"on\", \"off\" or \"status\"");
}

}  // namespace tool
