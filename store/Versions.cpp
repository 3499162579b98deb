// Method: each call reads the versions folder once (every entry's name, and
// the versions among them in time order), decides from that what to make
// and what to remove, and keeps the list up to date as it goes. A version's
// name is parsed strictly (fixed digits, a copy number without leading
// zeros), so a name that parses can hold no path separator and no "..", and
// nothing else in the folder is ever listed, restored or removed.
#include "store/Versions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <optional>
#include <tuple>

#include "platform/Env.h"
#include "platform/FileCopy.h"
#include "store/Diary.h"
#include "store/DiaryLock.h"

namespace store {
namespace {

constexpr std::string_view kPrefix = "Jotwel-";
constexpr std::string_view kExtension = ".dat";
// "YYYY-MM-DD-HHMMSS", after the prefix.
constexpr std::size_t kStampSize = 17;
// The versions folder is private, as the diary is.
constexpr unsigned kFolderMode = 0700;

// A version's name taken apart.
struct VersionName {
    dates::LocalTime local;  // weekday unused
    int copy = 1;            // 1 for the plain name, n for "-n"
};

bool Digits(std::string_view text, std::size_t at, std::size_t count, int* value) {
    *value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        *value = *value * 10 + (text[i] - '0');
    }
    return true;
}

bool ParseStamp(std::string_view stamp, dates::LocalTime* t) {
    return stamp[4] == '-' && stamp[7] == '-' && stamp[10] == '-' &&
           Digits(stamp, 0, 4, &t->year) && Digits(stamp, 5, 2, &t->month) &&
           Digits(stamp, 8, 2, &t->day) && Digits(stamp, 11, 2, &t->hour) &&
           Digits(stamp, 13, 2, &t->minute) && Digits(stamp, 15, 2, &t->second) && t->month >= 1 &&
           t->month <= 12 && t->day >= 1 && t->day <= 31 && t->hour <= 23 && t->minute <= 59 &&
           t->second <= 60;
}

// "" or "-n" with n from 2 up, no leading zero, at most 9 digits.
bool ParseCopy(std::string_view suffix, int* copy) {
    *copy = 1;
    if (suffix.empty()) return true;
    if (suffix.size() < 2 || suffix.size() > 10 || suffix[0] != '-' || suffix[1] == '0') {
        return false;
    }
    return Digits(suffix, 1, suffix.size() - 1, copy) && *copy >= 2;
}

std::optional<VersionName> ParseVersionName(std::string_view name) {
    if (name.size() < kPrefix.size() + kStampSize + kExtension.size() ||
        !name.starts_with(kPrefix) || !name.ends_with(kExtension)) {
        return std::nullopt;
    }
    VersionName parsed;
    const std::string_view rest = name.substr(kPrefix.size());
    const std::string_view suffix =
        rest.substr(kStampSize, rest.size() - kStampSize - kExtension.size());
    if (!ParseStamp(rest.substr(0, kStampSize), &parsed.local) ||
        !ParseCopy(suffix, &parsed.copy)) {
        return std::nullopt;
    }
    return parsed;
}

std::string FormatVersionName(const dates::LocalTime& t, int copy) {
    char text[96];
    std::snprintf(text, sizeof text, "Jotwel-%04d-%02d-%02d-%02d%02d%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    std::string name = text;
    if (copy > 1) name += "-" + std::to_string(copy);
    name += kExtension;
    return name;
}

auto TimeOrder(const VersionName& v) {
    const dates::LocalTime& t = v.local;
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second, v.copy);
}

bool SameDay(const dates::LocalTime& a, const dates::LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The instant of a local date and time (the earlier one when a clock change
// makes it ambiguous).
dates::Instant LocalInstant(const dates::LocalTime& t) {
    std::tm fields{};
    fields.tm_year = t.year - 1900;
    fields.tm_mon = t.month - 1;
    fields.tm_mday = t.day;
    fields.tm_hour = t.hour;
    fields.tm_min = t.minute;
    fields.tm_sec = t.second;
    fields.tm_isdst = -1;
    return static_cast<dates::Instant>(std::mktime(&fields));
}

struct Kept {
    std::string name;
    VersionName parsed;
};

// The versions folder as one call finds it.
struct Folder {
    std::string path;
    bool exists = false;
    std::vector<std::string> names;  // every entry, versions or not
    std::vector<Kept> versions;      // oldest first

    bool Has(std::string_view name) const {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    void Add(const std::string& name, const VersionName& parsed) {
        names.push_back(name);
        const auto later = std::upper_bound(
            versions.begin(), versions.end(), parsed,
            [](const VersionName& v, const Kept& k) { return TimeOrder(v) < TimeOrder(k.parsed); });
        versions.insert(later, {name, parsed});
    }
};

platform::Status ScanFolder(std::string_view dataDir, Folder* folder) {
    folder->path = VersionsPath(dataDir);
    std::vector<std::string> names;
    const platform::Status status = platform::Env::Default()->GetChildren(folder->path, &names);
    if (status.code() == ENOENT) return platform::Status::Ok();
    if (!status.ok()) return status;
    folder->exists = true;
    for (const std::string& name : names) {
        if (const std::optional<VersionName> parsed = ParseVersionName(name)) {
            folder->versions.push_back({name, *parsed});
        }
    }
    std::sort(folder->versions.begin(), folder->versions.end(), [](const Kept& a, const Kept& b) {
        return TimeOrder(a.parsed) < TimeOrder(b.parsed);
    });
    folder->names = std::move(names);
    return platform::Status::Ok();
}

// Whether the diary holds anything to keep: false when absent or empty.
platform::Status DiaryHoldsBytes(std::string_view dataDir, bool* holds) {
    platform::Env& env = *platform::Env::Default();
    const std::string diary = DiaryPath(dataDir);
    *holds = false;
    if (!env.FileExists(diary)) return platform::Status::Ok();
    std::uint64_t size = 0;
    const platform::Status status = env.GetFileSize(diary, &size);
    *holds = size > 0;
    return status;
}

// The name of a version made now: the plain name, or the first free copy
// number when a version was made in the same second.
std::pair<std::string, VersionName> FreeName(const Folder& folder) {
    VersionName made{dates::ToLocalTime(dates::CurrentInstant()), 1};
    std::string name;
    for (;; ++made.copy) {
        name = FormatVersionName(made.local, made.copy);
        if (!folder.Has(name)) return {name, made};
    }
}

// Makes the version at path: a second name of the diary file when asked
// and the file system allows, otherwise a copy with the diary's permissions.
platform::Status MakeVersion(const std::string& diary, const std::string& path,
                             VersionMethod method) {
    platform::Env& env = *platform::Env::Default();
    if (method == VersionMethod::kLink && env.LinkFile(diary, path).ok()) {
        return env.SyncDir(platform::DirName(path));
    }
    platform::FileInfo info;
    platform::Status status = env.GetFileInfo(diary, &info);
    if (!status.ok()) return status;
    platform::WriteOptions options;
    options.newFileMode = static_cast<int>(info.mode);
    return platform::CopyFileWhole(diary, path, nullptr, options);
}

// Keeps the diary in the folder under a new name (*made, left empty when
// nothing was made). Nothing is made for an absent or empty diary.
platform::Status KeepDiaryIn(std::string_view dataDir, Folder& folder, VersionMethod method,
                             std::string* made) {
    made->clear();
    bool holds = false;
    platform::Status status = DiaryHoldsBytes(dataDir, &holds);
    if (!status.ok() || !holds) return status;
    platform::Env& env = *platform::Env::Default();
    if (!folder.exists) {
        status = env.CreateDirs(folder.path, kFolderMode);
        if (status.ok()) status = env.SyncDir(platform::DirName(folder.path));
        if (!status.ok()) return status;
        folder.exists = true;
    }
    std::string diary;
    status = DiaryTargetPath(dataDir, &diary);
    if (!status.ok()) return status;
    const auto [name, parsed] = FreeName(folder);
    const std::string path = platform::JoinPath(folder.path, name);
    status = MakeVersion(diary, path, method);
    // After a failed folder sync alone the version is in place all the same.
    if (status.ok() || env.FileExists(path)) {
        folder.Add(name, parsed);
        *made = name;
    }
    return status;
}

// A copy's temporary file left in the folder by a crash.
bool IsLeftoverCopy(std::string_view name) {
    const std::size_t dot = name.rfind('.', name.size() >= 5 ? name.size() - 5 : 0);
    if (dot == std::string_view::npos) return false;
    const std::string_view version = name.substr(0, dot);
    return ParseVersionName(version) && platform::IsTempNameFor(name, version);
}

// Removes the oldest versions beyond kKeptVersions, never `keep` (the one
// just made, which sorts oldest only when the clock was set back), and the
// copies a crash left half made (the diary's lock is held, so no copy is
// being made). Every removal is tried; the first failure is returned.
platform::Status Prune(const Folder& folder, const std::string& keep) {
    for (const std::string& name : folder.names) {
        if (IsLeftoverCopy(name)) {
            (void)platform::Env::Default()->RemoveFile(platform::JoinPath(folder.path, name));
        }
    }
    if (folder.versions.size() <= kKeptVersions) return platform::Status::Ok();
    std::size_t excess = folder.versions.size() - kKeptVersions;
    platform::Status first;
    for (const Kept& kept : folder.versions) {
        if (excess == 0) break;
        if (kept.name == keep) continue;
        --excess;
        const platform::Status removed =
            platform::Env::Default()->RemoveFile(platform::JoinPath(folder.path, kept.name));
        if (!removed.ok() && first.ok()) first = removed;
    }
    return first;
}

bool MadeToday(const Folder& folder) {
    const dates::LocalTime today = dates::ToLocalTime(dates::CurrentInstant());
    return std::any_of(folder.versions.begin(), folder.versions.end(),
                       [&](const Kept& kept) { return SameDay(kept.parsed.local, today); });
}

}  // namespace

std::string VersionsPath(std::string_view dataDir) {
    return platform::JoinPath(dataDir, kVersionsFolderName);
}

platform::Status ListVersions(std::string_view dataDir, std::vector<DiaryVersion>* versions) {
    versions->clear();
    Folder folder;
    platform::Status status = ScanFolder(dataDir, &folder);
    for (std::size_t i = 0; status.ok() && i < folder.versions.size(); ++i) {
        const Kept& kept = folder.versions[i];
        DiaryVersion version{kept.name, LocalInstant(kept.parsed.local), 0};
        status = platform::Env::Default()->GetFileSize(platform::JoinPath(folder.path, kept.name),
                                                       &version.size);
        versions->push_back(std::move(version));
    }
    if (!status.ok()) versions->clear();
    return status;
}

platform::Status KeepVersionBeforeChange(std::string_view dataDir, DiaryChange change,
                                         std::string* madeName, VersionMethod method) {
    std::string made;
    if (madeName) madeName->clear();
    std::unique_ptr<platform::FileLock> lock;
    platform::Status status = LockDiary(dataDir, &lock);
    if (!status.ok()) return status;
    bool holds = false;
    status = DiaryHoldsBytes(dataDir, &holds);
    if (!status.ok() || !holds) return status;
    Folder folder;
    status = ScanFolder(dataDir, &folder);
    if (!status.ok()) return status;
    if (change == DiaryChange::kAddition && MadeToday(folder)) return status;
    status = KeepDiaryIn(dataDir, folder, method, &made);
    if (madeName) *madeName = made;
    if (!status.ok()) return status;
    return Prune(folder, made);
}

platform::Status RestoreVersion(std::string_view dataDir, std::string_view wanted,
                                std::string* savedName, bool* restored) {
    const std::string name(wanted);  // wanted may view *savedName
    if (savedName) savedName->clear();
    if (restored) *restored = false;
    if (!ParseVersionName(name)) {
        return platform::Status::Error(
            EINVAL, "Cannot restore \"" + name + "\": not the name of a kept version");
    }
    std::unique_ptr<platform::FileLock> lock;
    platform::Status status = LockDiary(dataDir, &lock);
    if (!status.ok()) return status;
    Folder folder;
    status = ScanFolder(dataDir, &folder);
    if (!status.ok()) return status;
    if (!folder.Has(name)) {
        return platform::Status::Error(
            ENOENT, "Cannot restore " + name + ": no such version in " + folder.path);
    }
    const std::string version = platform::JoinPath(folder.path, name);
    platform::FileInfo info;
    status = platform::Env::Default()->GetFileInfo(version, &info);
    if (!status.ok()) return status;
    if (info.kind != platform::FileInfo::Kind::kRegular) {
        return platform::Status::Error(
            0,
            "Cannot restore " + version + ": it is not a regular file (a link is never followed)");
    }
    std::string saved;
    // The restore replaces the diary file, so the old one can be its version.
    status = KeepDiaryIn(dataDir, folder, VersionMethod::kLink, &saved);
    if (savedName) *savedName = saved;
    if (!status.ok()) return status;
    platform::WriteOptions options;
    options.newFileMode = kNewDiaryMode;
    status = platform::CopyFileWhole(version, DiaryPath(dataDir), restored, options);
    if (!status.ok()) return status;
    return Prune(folder, saved);
}

}  // namespace store
