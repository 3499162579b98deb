#pragma once
// Kept versions of the diary: whole copies of Jotwel.dat in the folder
// Jotwel.versions of the data directory, one file per version, named by the
// local date and time it was made ("Jotwel-2026-12-06-221502.dat", with
// "-2", "-3"... added when a name is taken). The newest kKeptVersions are
// kept; older ones are removed after a new one is made.
//
// A version is made before the first change of each day to the diary (the
// first change finds no version made today) and before every deletion and
// every restore, whatever the day. A version is written whole or not at all
// (a temporary file in the folder whose name starts with ".", synced and
// renamed), so a crash never leaves a half version under a version's name.
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

// Called before each change to the diary: keeps a version of the diary as it
// stands when the change is a deletion, or when no version made today (by
// the Env's clock, local date) is kept yet, then removes the oldest versions
// beyond kKeptVersions (never the one just made, even when a clock set back
// names it oldest). Nothing is kept for an absent or empty diary. The
// folder is made when missing. *madeName (when given) is the new version's
// name, empty when none was made (it is given after a failed folder sync
// alone, when the version is in place). A failure here must never stop the
// change itself.
platform::Status KeepVersionBeforeChange(std::string_view dataDir, DiaryChange change,
                                         std::string* madeName = nullptr);

// Replaces the diary with the kept version `name` (a plain byte copy, made
// whole or not at all through the hold file), after keeping a version of the
// current diary. When that version cannot be kept nothing is restored. The
// oldest versions beyond kKeptVersions are removed only after the restore,
// so the version being restored is never among them. *savedName (when
// given) is the name of the version holding the diary as it was, empty when
// there was no diary or it was empty. A name that is not of the form of a
// version's is refused with EINVAL (so no path, no "..", gets through); one
// of that form that is not kept, with ENOENT. Either way nothing changes.
// *restored (when given) tells whether the diary now holds the version: a
// failure can come after that (the folder's sync, removing old versions),
// and a caller must not then say that nothing was restored.
platform::Status RestoreVersion(std::string_view dataDir, std::string_view name,
                                std::string* savedName = nullptr, bool* restored = nullptr);

}  // namespace store
