#include "platform/PrivateProfile.h"

#include <errno.h>

#include <algorithm>
#include <vector>

#include "platform/Env.h"
#include "platform/ProfileDocument.h"
#include "platform/WholeFile.h"

namespace platform {
namespace {

// The names, each followed by a NUL. When that and the closing NUL do not
// fit, the list is cut to capacity - 2 bytes (the caller's buffer then ends
// in two NULs), as the platform function does.
std::string KeyList(const std::vector<std::string>& names, int capacity) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() < static_cast<std::size_t>(capacity)) return list;
    list.resize(static_cast<std::size_t>(std::max(capacity - 2, 0)));
    return list;
}

// A Ctrl-Z would end the file's text for every reader, the lines after it
// included.
bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0\x1A", 4)) != std::string_view::npos;
}

// A key starting with "[" would read back as a section header, and one
// holding "=" as a different key.
bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    return !HoldsLineBreakOrNul(section) && !HoldsLineBreakOrNul(key) &&
           !HoldsLineBreakOrNul(value) && !TrimBlanks(key).starts_with('[') &&
           key.find('=') == std::string_view::npos;
}

}  // namespace

ProfileRead GetPrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                                    std::string_view def, int capacity, const std::string& path) {
    ProfileRead read;
    if (capacity <= 0) return read;
    std::string bytes;
    (void)ReadWholeFile(*Env::Default(), path, &bytes);  // an unreadable file reads as missing
    const ProfileDocument document(std::move(bytes));
    if (key) {
        read.value = document.Value(section, *key).value_or(std::string(def));
        read.value.resize(std::min(read.value.size(), static_cast<std::size_t>(capacity - 1)));
    } else {
        read.value = KeyList(document.KeyNames(section), capacity);
    }
    read.count = static_cast<int>(read.value.size());
    return read;
}

// A file that exists but cannot be read is not written: its other settings
// would be lost. The read and the write are one step under the lock file
// beside the file (the file a link at path points to), so two processes
// writing keys at once both keep their keys.
Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view value, const std::string& path) {
    if (!Storable(section, key, value)) {
        return Status::Error(EINVAL, "Cannot store this setting in " + path);
    }
    Env& env = *Env::Default();
    std::string file;
    Status status = ResolveLinks(env, path, &file);
    if (status.ok() && !env.FileExists(DirName(file))) status = env.CreateDirs(DirName(file), 0700);
    std::unique_ptr<FileLock> lock;
    if (status.ok()) status = env.LockFile(ProfileLockPath(file), &lock);
    if (!status.ok()) return status;
    std::string old;
    const Status read = ReadWholeFile(env, file, &old);
    if (!read.ok() && read.code() != ENOENT) return read;
    const std::string updated = ProfileDocument(old).WithValue(section, key, value);
    if (read.ok() && updated == old) return Status::Ok();
    return ReplaceWholeFile(env, file, updated);
}

std::string ProfileLockPath(const std::string& file) {
    return file + ".lck";
}

}  // namespace platform
