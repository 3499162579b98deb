#pragma once
// What remind and autostart ask of the user's session: the folder of the
// user's configuration, the systemd user instance and where jotwel-launch
// is. One small interface, so tests give their own and check the files
// written without a systemd running.

#include <string>
#include <vector>

namespace tool {

class UserSession {
public:
    virtual ~UserSession() = default;
    // Whether a systemd user instance runs for this user (and answers).
    virtual bool SystemdRuns() = 0;
    // Runs "systemctl --user" with args; its exit status (-1 when it could
    // not be run), what it wrote (output and errors) in *output.
    virtual int Systemctl(const std::vector<std::string>& args, std::string* output) = 0;
    // The absolute path of jotwel-launch: beside this program, else on the
    // PATH; empty when there is none.
    virtual std::string LauncherPath() = 0;

    // The session in use: the real one unless a test installed another.
    static UserSession& Current();
};

// Installs session as UserSession::Current() until destroyed (tests).
class ScopedUserSession {
public:
    explicit ScopedUserSession(UserSession* session);
    ~ScopedUserSession();
    ScopedUserSession(const ScopedUserSession&) = delete;
    ScopedUserSession& operator=(const ScopedUserSession&) = delete;

private:
    UserSession* previous_;
};

// $XDG_CONFIG_HOME, or ~/.config: the folder the settings file is in.
std::string ConfigHome();

}  // namespace tool
