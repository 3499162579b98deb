#include "FaultSweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "app/AppValues.h"
#include "app/Settings.h"
#include "app/VersionWarning.h"
#include "dates/DiaryDates.h"
#include "framework/MessageBox.h"
#include "framework/TestSeams.h"
#include "platform/Env.h"
#include "reports/ListingFile.h"
#include "store/Diary.h"
#include "store/Versions.h"
#include "support/TestEnvironment.h"

namespace reliability {
namespace {

namespace fs = std::filesystem;

const int kErrors[] = {ENOSPC, EIO, EACCES};

std::optional<std::string> Read(const std::string& path) {
    if (!fs::exists(path)) return std::nullopt;
    return jtest::ReadFileBytes(path);
}

void Put(const std::string& path, const std::optional<std::string>& bytes) {
    if (bytes) {
        jtest::WriteFileBytes(path, *bytes);
    } else {
        fs::remove(path);
    }
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string VersionsFolder() {
    return store::VersionsPath(jtest::TestDir());
}

std::map<std::string, std::string> ReadVersions() {
    std::map<std::string, std::string> versions;
    if (!fs::is_directory(VersionsFolder())) return versions;
    for (const std::string& name : FilesIn(VersionsFolder())) {
        versions[name] = jtest::ReadFileBytes((fs::path(VersionsFolder()) / name).string());
    }
    return versions;
}

std::string DiaryFile() {
    return store::DiaryPath(jtest::TestDir());
}
std::string ListingFile() {
    return reports::ListingPath(jtest::TestDir());
}

// Every file of the data folder, and of the settings folder as "config/<name>".
std::vector<std::string> AllNames() {
    std::vector<std::string> names = FilesIn(jtest::TestDir());
    for (const std::string& name : FilesIn(jtest::ConfigDir())) names.push_back("config/" + name);
    return names;
}

}  // namespace

void PrintTo(const Files& files, std::ostream* out) {
    const auto size = [](const std::optional<std::string>& bytes) {
        return bytes ? std::to_string(bytes->size()) + " bytes" : std::string("none");
    };
    *out << "{diary " << size(files.diary) << ", listing " << size(files.listing) << ", settings "
         << size(files.settings) << ", files";
    for (const std::string& name : files.names) *out << " " << name;
    *out << ", versions";
    for (const auto& [name, bytes] : files.versions) *out << " " << name << " " << bytes.size();
    *out << "}";
}

Files Snapshot() {
    return {Read(DiaryFile()), Read(ListingFile()), Read(app::SettingsPath()), AllNames(),
            ReadVersions()};
}

void Restore(const Files& files) {
    for (const std::string& dir : {jtest::TestDir(), jtest::ConfigDir()}) {
        for (const std::string& name : FilesIn(dir)) fs::remove(fs::path(dir) / name);
    }
    Put(DiaryFile(), files.diary);
    Put(ListingFile(), files.listing);
    Put(app::SettingsPath(), files.settings);
    fs::remove_all(VersionsFolder());
    if (!files.versions.empty()) fs::create_directory(VersionsFolder());
    for (const auto& [name, bytes] : files.versions) {
        jtest::WriteFileBytes((fs::path(VersionsFolder()) / name).string(), bytes);
    }
}

std::vector<std::string> Leftovers() {
    std::vector<std::string> left;
    for (const std::string& name : AllNames()) {
        if (name != "Jotwel.dat" && name != "listd.tmp" && name != "config/ZORVANT.INI") {
            left.push_back(name);
        }
    }
    std::vector<store::DiaryVersion> kept;
    platform::ScopedEnv unfailing(platform::PosixEnv());
    EXPECT_TRUE(store::ListVersions(jtest::TestDir(), &kept).ok());
    for (const auto& [name, bytes] : ReadVersions()) {
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const store::DiaryVersion& v) { return v.name == name; })) {
            left.push_back(std::string(store::kVersionsFolderName) + "/" + name);
        }
    }
    return left;
}

int SweepWriteFaults(platform::FaultEnv& faults, const Files& start,
                     const std::function<void()>& run,
                     const std::function<void(const FaultRun&)>& check) {
    Restore(start);
    framework::testing::ResetSeams();
    faults.FailNth(0, kSweptOps, 0);
    run();
    const int count = faults.count();
    const Files clean = Snapshot();
    EXPECT_GT(count, 0) << "the action wrote nothing";
    for (int n = 1; n <= count; ++n) {
        for (int error : kErrors) {
            SCOPED_TRACE("operation " + std::to_string(n) + " failing with " +
                         std::strerror(error));
            Restore(start);
            framework::testing::ResetSeams();
            faults.FailNth(n, kSweptOps, error);
            run();
            EXPECT_TRUE(faults.fired());
            check(FaultRun{n, error, &start, &clean, Snapshot()});
            EXPECT_EQ(Leftovers(), std::vector<std::string>{});
        }
    }
    faults.FailNth(0, 0, 0);
    return count;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

bool IsVersionWarning(const framework::testing::ShownMessageBox& box) {
    return box.caption == "Jotwel" && box.flags == (framework::kMbOk | framework::kMbIconWarning) &&
           StartsWith(box.text, "The diary could not be copied to Jotwel.versions");
}

bool VersionsWithin(const Files& some, const Files& all) {
    return std::all_of(some.versions.begin(), some.versions.end(), [&](const auto& version) {
        const auto found = all.versions.find(version.first);
        return found != all.versions.end() && found->second == version.second;
    });
}

std::string DiaryOf(const std::vector<store::TEntryRecord>& records) {
    std::string bytes;
    for (const store::TEntryRecord& record : records) {
        const store::RecordBytes encoded = store::EncodeRecord(record);
        bytes.append(encoded.data(), encoded.size());
    }
    return bytes;
}

bool FirstDialogLeftOpen() {
    const auto& shown = framework::testing::DialogsShown();
    return !shown.empty() && shown.front().leftOpen;
}

void OkAndRetry(framework::TDialog& d) {
    jtest::Click(d, 1);
    if (d.IsRunning()) jtest::Click(d, 1);
}

void DialogFaults::SetUp() {
    GuiTest::SetUp();
    StartUp();
}

void DialogFaults::TearDown() {
    app::ResetValues();
    GuiTest::TearDown();
}

void DialogFaults::StartUp() {
    app::ResetValues();
    app::ResetVersionWarning();
    app::TAppValues& values = app::Values();
    values.dataDirectory = jtest::TestDir();
    values.todayInstant = kStartup;
    values.yesterdayInstant = kStartup - dates::SecondsPerDay;
    values.todayCompactDate = dates::FormatCompactDate(kStartup);
    values.todayShortDate = dates::FormatShortDate(kStartup);
    values.headings = {"Work", "Health", "Money", "Family", "Hobby", "Weather"};
}

int DialogFaults::Sweep(const char* name, const Files& start, const std::function<void()>& run,
                        const std::function<void(const FaultRun&)>& check) {
    SCOPED_TRACE(name);
    const int count = SweepWriteFaults(
        faults_, start,
        [&] {
            StartUp();
            run();
        },
        check);
    RecordProperty(name, count);
    return count;
}

bool LastMessageNames(int error) {
    const auto& shown = framework::testing::MessageBoxesShown();
    return !shown.empty() && shown.back().text.find(std::strerror(error)) != std::string::npos;
}

}  // namespace reliability
