#include "session/Settings.h"

#include <cstdlib>

#include "platform/Env.h"
#include "platform/PrivateProfile.h"

namespace session {

std::string SettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string dir;
    if (config && *config) {
        dir = config;
    } else {
        const char* home = std::getenv("HOME");
        dir = platform::JoinPath(home ? home : "", ".config");
    }
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
        if (c != '\r' && c != '\n') oneLine.push_back(c);
    }
    return platform::WritePrivateProfileString(kSettingsSection, key, oneLine, SettingsPath());
}

}  // namespace session
