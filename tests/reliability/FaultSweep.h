#pragma once
// A user's action is run once from fixed files to count the file operations
// it makes that can fail on a full or broken disk; then once more for every
// N up to that count and each of ENOSPC, EIO and EACCES, with the N-th one
// failing. Each run is checked against the files as it started and as a
// clean run leaves them. A snapshot holds every file under the test's folder,
// so a leftover hold or temporary file shows up too.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dates/DiaryDates.h"
#include "framework/SaveMessages.h"
#include "session/AppValues.h"
#include "store/Diary.h"
#include "store/Versions.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace reliability {

namespace fs = std::filesystem;

inline constexpr char kDiary[] = "Jotwel.dat", kSettings[] = "config/",
                      kVersions[] = "Jotwel.versions/";

// Bytes of each file, by its path in the test's folder.
struct Files : std::map<std::string, std::string> {
    // The files whose paths start with prefix; with keep false, the others.
    Files Only(std::string_view prefix, bool keep = true) const {
        Files some = *this;
        std::erase_if(some, [&](const auto& f) { return f.first.starts_with(prefix) != keep; });
        return some;
    }
    bool operator==(const Files&) const = default;
};

inline void PrintTo(const Files& files, std::ostream* out) {
    for (const auto& [path, bytes] : files) *out << path << " " << bytes.size() << "; ";
}

// Paths of every file under the test's folder but the (never changed) locks.
inline std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(jtest::TestDir())) {
        if (entry.is_regular_file() && entry.path().extension() != ".lck") {
            paths.push_back(fs::relative(entry.path(), jtest::TestDir()).generic_string());
        }
    }
    return paths;
}

inline Files Snapshot() {
    Files files;
    for (const std::string& path : Paths()) {
        files[path] = jtest::ReadFileBytes(jtest::InTestDir(path));
    }
    return files;
}

inline void Restore(const Files& files) {
    for (const fs::path& path : std::vector<fs::path>(fs::directory_iterator(jtest::TestDir()), {}))
        fs::remove_all(path);
    fs::create_directory(jtest::ConfigDir());
    for (const auto& [path, bytes] : files) {
        fs::create_directories(fs::path(jtest::InTestDir(path)).parent_path());
        jtest::WriteFileBytes(jtest::InTestDir(path), bytes);
    }
}

// Files the program does not keep in the test's folder (hold, temporary).
inline std::vector<std::string> Leftovers() {
    std::vector<store::DiaryVersion> kept;
    platform::ScopedEnv unfailing(platform::PosixEnv());
    EXPECT_TRUE(store::ListVersions(jtest::TestDir(), &kept).ok());
    std::vector<std::string> left = Paths();
    std::erase_if(left, [&](const std::string& path) {
        return path == kDiary || path == "listd.tmp" || path == "config/ZORVANT.INI" ||
               std::any_of(kept.begin(), kept.end(),
                           [&](const auto& version) { return path == kVersions + version.name; });
    });
    return left;
}

inline std::string DiaryOf(const std::vector<store::TEntryRecord>& records) {
    std::string bytes;
    for (const store::TEntryRecord& record : records) {
        const store::RecordBytes encoded = store::EncodeRecord(record);
        bytes.append(encoded.data(), encoded.size());
    }
    return bytes;
}

struct FaultRun {
    int error = 0;                  // errno of the failed operation
    const Files* before = nullptr;  // as the run started
    const Files* clean = nullptr;   // as a run without a fault leaves them
    Files now;                      // as this run left them
};

// The program as start-up leaves it on Sunday 07/12/14 21:05:09 (TZ=UTC),
// the clock two minutes later, under a FaultEnv.
class DialogFaults : public jtest::GuiTest {
protected:
    static constexpr std::int64_t kStartup = 1417986309;

    void SetUp() override {
        GuiTest::SetUp();
        StartUp();
    }
    void TearDown() override {
        session::ResetValues();
        GuiTest::TearDown();
    }
    static void StartUp() {
        session::ResetValues();
        framework::ResetVersionWarning();
        session::AppValues& values = session::Values();
        values.dataDirectory = jtest::TestDir();
        values.todayInstant = kStartup;
        values.yesterdayInstant = kStartup - dates::SecondsPerDay;
        values.todayCompactDate = dates::FormatCompactDate(kStartup);
        values.todayShortDate = dates::FormatShortDate(kStartup);
        values.headings = {"Work", "Health", "Money", "Family", "Hobby", "Weather"};
    }

    // Sweeps run (which drives a dialog until it closes) from start, handing
    // every run in which the fault happened to check.
    void Sweep(const char* name, const Files& start, const std::function<void()>& run,
               const std::function<void(const FaultRun&)>& check) {
        using platform::FaultEnv;
        constexpr unsigned kSweptOps = FaultEnv::kOpenWrite | FaultEnv::kWrite | FaultEnv::kSync |
                                       FaultEnv::kClose | FaultEnv::kRename | FaultEnv::kSyncDir |
                                       FaultEnv::kCreateDirs | FaultEnv::kGetChildren;
        SCOPED_TRACE(name);
        const auto runFrom = [&](int n, int error) {
            Restore(start);
            framework::testing::ResetSeams();
            StartUp();
            faults_.FailNth(n, kSweptOps, error);
            run();
        };
        runFrom(0, 0);
        const int count = faults_.count();
        const Files clean = Snapshot();
        EXPECT_GT(count, 0) << "the action wrote nothing";
        for (int n = 1; n <= count; ++n) {
            for (int error : {ENOSPC, EIO, EACCES}) {
                SCOPED_TRACE("operation " + std::to_string(n) + ": " + std::strerror(error));
                runFrom(n, error);
                EXPECT_TRUE(faults_.fired());
                check(FaultRun{error, &start, &clean, Snapshot()});
                EXPECT_EQ(Leftovers(), std::vector<std::string>{});
            }
        }
        faults_.FailNth(0, 0, 0);
    }

    platform::ClockEnv clock_{platform::PosixEnv(), kStartup + 120};
    platform::FaultEnv faults_{&clock_};
    platform::ScopedEnv useFaults_{&faults_};
};

}  // namespace reliability
