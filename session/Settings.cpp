#include "session/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Env.h"
#include "platform/PrivateProfile.h"

namespace session {

namespace {

bool Absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// $HOME, or the account's home folder when HOME is unset or not absolute
// (a relative one would put the settings wherever the program started).
std::string HomeDir() {
    if (const char* home = std::getenv("HOME"); Absolute(home)) return home;
    if (const passwd* account = ::getpwuid(::getuid()); account && Absolute(account->pw_dir)) {
        return account->pw_dir;
    }
    return "/";
}

}  // namespace

// A relative XDG_CONFIG_HOME is ignored, as the rules for it say.
std::string SettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string dir =
        Absolute(config) ? std::string(config) : platform::JoinPath(HomeDir(), ".config");
    return platform::JoinPath(dir, "ZORVANT.INI");
}

std::string HeadingKey(std::size_t index) {
    return "Head" + std::to_string(index);
}

std::string ReadSetting(std::string_view key, int capacity) {
    return platform::GetPrivateProfileString(kSettingsSection, key, "", capacity, SettingsPath())
        .value;
}

platform::Status WriteSetting(std::string_view key, std::string_view value) {
    std::string oneLine;
    oneLine.reserve(value.size());
    for (char c : value) {
        if (c != '\r' && c != '\n' && c != '\x1A') oneLine.push_back(c);
    }
    return platform::WritePrivateProfileString(kSettingsSection, key, oneLine, SettingsPath());
}

}  // namespace session
