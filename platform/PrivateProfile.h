#pragma once
// A private-profile (INI) file read and written with the semantics of the
// desktop platform's GetPrivateProfileStringA / WritePrivateProfileStringA,
// which the program's settings file has always used. tests/data/
// profile-cases.json holds calls recorded from a real implementation; the
// tests run every one of them.
//
// All texts are Windows-1252 byte strings. What the functions do:
// - section and key names are matched without regard to case (ASCII), after
//   blanks around them are trimmed, in the file and in the request alike;
// - the first section of a name is the only one searched; within it the first
//   line with the key wins; lines before any section header belong to the
//   section with the empty name; a line without "=" is not a key;
// - a value is trimmed of blanks on both sides, and one pair of matching
//   quotes ("..." or '...') around it is removed;
// - a file that starts with a UTF-8 byte-order mark is read as UTF-8 and
//   converted ("?" for what the code page cannot hold) and written as UTF-8;
// - a write replaces the value in the key's line (keeping the line's own
//   spelling of the key and everything up to "="), or adds the key after
//   the last non-blank line of its section, or adds the section at the end of
//   the file; every other line is kept byte for byte; new lines take the
//   file's line end, new files use CR LF. The file is replaced atomically
//   (written beside it, synced, renamed over it; see WholeFile.h);
// - a line ends at CR LF, LF or a lone CR, and a Ctrl-Z (0x1A) ends the
//   file's text: what follows it is kept but never read.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace platform {

struct ProfileRead {
    std::string value;  // at most capacity - 1 bytes
    int count = 0;      // what the platform function returns: value's length
};

// Reads key of section from the file at path. A missing file, section or key
// yields def (cut to capacity - 1); so does a file that cannot be read. With
// no key (nullopt), the value is the names of the section's keys, each
// followed by a NUL (the caller's buffer adds one more), or empty when the
// section is missing; when the list does not fit it is cut to capacity - 2
// bytes as the platform does. Capacity 0 yields nothing. Reading never
// creates the file.
ProfileRead GetPrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                                    std::string_view def, int capacity, const std::string& path);

// Stores value under key of section in the file at path, creating folder,
// file, section and key as needed. Leading blanks of the value are not
// stored. Refuses (EINVAL) a section, key or value holding a line break, a
// NUL or a Ctrl-Z, a key starting with "[" (they would add lines of their own to the
// file) and a key holding "=" (it would read back as another key). A file
// that exists but cannot be read is left alone and the failure returned; on
// any failure the file stays as it was (see ReplaceWholeFile for the one
// exception). Writing the value a key already has leaves the file untouched.
// Writers of one file are serialised by the lock file ProfileLockPath
// beside it; a write that waits too long for another fails (EWOULDBLOCK).
Status WritePrivateProfileString(std::string_view section, std::string_view key,
                                 std::string_view value, const std::string& path);

// The lock file of the profile file `file` (a link resolved).
std::string ProfileLockPath(const std::string& file);

}  // namespace platform
