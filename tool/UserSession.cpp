// The real session: systemctl run as a child, jotwel-launch looked for.
#include "tool/UserSession.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/Env.h"
#include "session/Settings.h"

namespace tool {
namespace {

namespace fs = std::filesystem;

// Runs the program argv[0] (looked up on the PATH) with its output and
// errors gathered in *output; its exit status, or -1.
int RunCapturing(const std::vector<std::string>& args, std::string* output) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return -1;
    }
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        dup2(pipeEnds[1], STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = read(pipeEnds[0], buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        output->append(buffer.data(), static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsExecutable(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

class RealSession : public UserSession {
public:
    bool SystemdRuns() override {
        std::string ignored;
        return Systemctl({"show-environment"}, &ignored) == 0;
    }
    int Systemctl(const std::vector<std::string>& args, std::string* output) override {
        std::vector<std::string> command = {"systemctl", "--user"};
        command.insert(command.end(), args.begin(), args.end());
        return RunCapturing(command, output);
    }
    std::string LauncherPath() override {
        std::error_code error;
        const fs::path self = fs::read_symlink("/proc/self/exe", error);
        if (!error && IsExecutable(self.parent_path() / "jotwel-launch")) {
            return (self.parent_path() / "jotwel-launch").string();
        }
        const char* path = std::getenv("PATH");
        std::string_view folders = path ? path : "";
        while (!folders.empty()) {
            const std::size_t colon = folders.find(':');
            const fs::path folder(std::string(folders.substr(0, colon)));
            if (folder.is_absolute() && IsExecutable(folder / "jotwel-launch")) {
                return (folder / "jotwel-launch").string();
            }
            folders.remove_prefix(colon == folders.npos ? folders.size() : colon + 1);
        }
        return {};
    }
};

UserSession*& Installed() {
    static UserSession* installed = nullptr;
    return installed;
}

}  // namespace

UserSession& UserSession::Current() {
    static RealSession real;
    return Installed() ? *Installed() : real;
}

ScopedUserSession::ScopedUserSession(UserSession* session) : previous_(Installed()) {
    Installed() = session;
}

ScopedUserSession::~ScopedUserSession() {
    Installed() = previous_;
}

std::string ConfigHome() {
    return platform::DirName(session::SettingsPath());
}

}  // namespace tool
