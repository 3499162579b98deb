#pragma once
// Kept versions of the diary: whole versions of Jotwel.dat in the folder
// Jotwel.versions of the data directory, one file per version, named by the
// local date and time it was made ("Jotwel-2026-12-06-221502.dat", with
// "-2", "-3"... added when a name is taken). The newest kKeptVersions are
// kept; older ones are removed after a new one is made.
//
// A version is made before the first change of each day to the diary (the
// first change finds no version made today) and before every deletion and
// every restore, whatever the day. A change that replaces the diary file
// (a rebuild, a restore) keeps its version as a second name (a hard link) of
// the old file, taken under the diary's lock just before the new file is
// renamed into place: the old file is then the version, and no byte is
// written for it. Where the file system has no such links, and before an
// append (which writes into the file itself), a version is a copy, written
// whole or not at all (a temporary file in the folder, synced and renamed),
// so a crash never leaves a half version under a version's name. Versions
// take the diary's permissions; the folder is made 0700.
// Names order versions by time ("-10" after "-2"); nothing in the folder
// that is not named as a version is ever listed, restored or removed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dates/DiaryDates.h"
#include "platform/Status.h"

namespace store {

inline constexpr std::string_view kVersionsFolderName = "Jotwel.versions";
inline constexpr std::size_t kKeptVersions = 30;

// The versions folder's path in dataDir.
std::string VersionsPath(std::string_view dataDir);

struct DiaryVersion {
    std::string name;           // file name in the versions folder
    dates::Instant madeAt = 0;  // the local date and time its name gives
    std::uint64_t size = 0;     // bytes
};

// The kept versions, oldest first. Files in the folder that are not named
// as versions are left out. No folder: no versions, Ok.
platform::Status ListVersions(std::string_view dataDir, std::vector<DiaryVersion>* versions);

// The change about to be made to the diary.
enum class DiaryChange {
    kAddition,  // an append or an insertion
    kDeletion,
};

// How a version is made.
enum class VersionMethod {
    kCopy,  // the diary's bytes copied
    kLink,  // a second name of the diary file, or a copy where links fail; only
            // for a change that replaces the file, never one that writes into it
};

// A version asked of a change (store/Diary.h), and what came of it.
struct VersionRequest {
    explicit VersionRequest(DiaryChange change = DiaryChange::kAddition) : change(change) {}
    DiaryChange change;
    platform::Status status;  // why no version could be kept; Ok when kept or none was due
    std::string made;         // the new version's name, empty when none
};

// Called before each change to the diary: keeps a version of the diary as it
// stands when the change is a deletion, or when no version made today (by
// the Env's clock, local date) is kept yet, then removes the oldest versions
// beyond kKeptVersions (never the one just made, even when a clock set back
// names it oldest). Nothing is kept for an absent or empty diary. The
// folder is made when missing. Holds the diary's lock. *madeName (when given) is the new version's
// name, empty when none was made (it is given after a failed folder sync
// alone, when the version is in place). A failure here must never stop the
// change itself.
platform::Status KeepVersionBeforeChange(std::string_view dataDir, DiaryChange change,
                                         std::string* madeName = nullptr,
                                         VersionMethod method = VersionMethod::kCopy);

// Replaces the diary with the kept version `name` (a plain byte copy, made
// whole or not at all; the diary keeps its permissions), after keeping a
// version of the current diary, all under the diary's lock. Only a regular
// file in the versions folder is restored: a link there is refused. When that version cannot be
// kept nothing is restored. The oldest versions beyond kKeptVersions are removed only after the
// restore, so the version being restored is never among them. *savedName (when given) is the name
// of the version holding the diary as it was, empty when there was no diary or it was empty. A name
// that is not of the form of a version's is refused with EINVAL (so no path, no "..", gets
// through); one of that form that is not kept, with ENOENT. Either way nothing changes. *restored
// (when given) tells whether the diary now holds the version: a failure can come after that (the
// folder's sync, removing old versions), and a caller must not then say that nothing was restored.
platform::Status RestoreVersion(std::string_view dataDir, std::string_view name,
                                std::string* savedName = nullptr, bool* restored = nullptr);

}  // namespace store
