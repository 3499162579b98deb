#pragma once
// The settings file ZORVANT.INI, section "Jotwel", in the user's settings
// folder ($XDG_CONFIG_HOME when it is an absolute path, or ~/.config, where
// ~ is $HOME or else the account's home folder): one fixed place
// per user, whatever folder the diary is kept in. Every read asks the file at
// the moment of use and every write stores one key at once; nothing is
// cached. Values are Windows-1252 bytes.

#include <string>
#include <string_view>

#include "platform/Status.h"

namespace session {

inline constexpr char kSettingsSection[] = "Jotwel";

std::string SettingsPath();

// "Head0" .. "Head5": the key of subject heading index.
std::string HeadingKey(std::size_t index);

// The key's value, or the empty string when the file, the section or the key
// is missing or cannot be read; at most capacity - 1 bytes.
std::string ReadSetting(std::string_view key, int capacity);

// Stores value under key at once. A value never carries a line break into
// the file: CR and LF are removed from it first, and a Ctrl-Z, which would
// end the file's text there. Returns why the write
// failed, if it did.
platform::Status WriteSetting(std::string_view key, std::string_view value);

}  // namespace session
