#pragma once
// Sweeps of failing writes through a user's action: the action is run once
// to count the file operations it makes that can fail on a full or broken
// disk (opening for writing, writing, syncing a file or a folder, closing,
// renaming, creating or reading a folder), then once more for every N up to
// that count and for each of ENOSPC, EIO and EACCES, from the same starting
// files, with the N-th of those operations failing.
//
// The files a path can write are the diary, the listing file, the settings
// file and the kept versions of the diary; a snapshot holds each (nothing
// when absent) and the names of every file in the data and settings
// folders, so a leftover hold or temporary file shows up.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/TDialog.h"
#include "framework/TestSeams.h"
#include "platform/FaultEnv.h"
#include "store/EntryRecord.h"
#include "support/GuiTest.h"

namespace reliability {

struct Files {
    std::optional<std::string> diary;
    std::optional<std::string> listing;
    std::optional<std::string> settings;
    // Every file of the data folder and the settings folder, by name.
    std::vector<std::string> names;
    // Every file of the versions folder (store/Versions.h): name, bytes.
    std::map<std::string, std::string> versions;

    bool operator==(const Files&) const = default;
};
// How a failing check shows Files: each file's size, and the names.
void PrintTo(const Files& files, std::ostream* out);

Files Snapshot();
// Puts the diary, listing and settings files back as in files, and removes
// every other file of the two folders.
void Restore(const Files& files);
// Names of files in the two folders, and in the versions folder, that the
// program does not keep there (a hold file, a temporary file), if any.
std::vector<std::string> Leftovers();

inline constexpr unsigned kSweptOps =
    platform::FaultEnv::kOpenWrite | platform::FaultEnv::kWrite | platform::FaultEnv::kSync |
    platform::FaultEnv::kClose | platform::FaultEnv::kRename | platform::FaultEnv::kSyncDir |
    platform::FaultEnv::kCreateDirs | platform::FaultEnv::kGetChildren;

// One run with a failing operation, for the checks of a path.
struct FaultRun {
    int n = 0;                      // the operation that failed (1-based)
    int error = 0;                  // its errno
    const Files* before = nullptr;  // as the run started
    const Files* clean = nullptr;   // as a run without a fault leaves them
    Files now;                      // as this run left them
};

// Starts each run from `start`, runs `run` (which drives the dialog and
// returns once it is closed) through faults, and hands every run in which
// the fault happened to check. Returns how many operations were swept.
// REQUIRES: faults is the installed Env (platform::ScopedEnv).
int SweepWriteFaults(platform::FaultEnv& faults, const Files& start,
                     const std::function<void()>& run,
                     const std::function<void(const FaultRun&)>& check);

// Whether the last message box shown names the failure: its text holds the
// system's words for error.
bool LastMessageNames(int error);
bool StartsWith(const std::string& text, const std::string& start);
// Whether box is the warning that no version of the diary could be kept.
bool IsVersionWarning(const framework::testing::ShownMessageBox& box);
// Whether every version in `some` is in `all`, with the same bytes.
bool VersionsWithin(const Files& some, const Files& all);

// The diary's bytes holding these records.
std::string DiaryOf(const std::vector<store::TEntryRecord>& records);

using Action = std::function<void(framework::TDialog&)>;

// Runs a Dialog made with no parent; action gets it once it is shown.
template <class Dialog>
void RunDialog(Action action) {
    framework::testing::OnNextDialog(std::move(action));
    Dialog(nullptr).Execute();
}

// Whether the first dialog shown was still open after its action (the seam
// then cancelled it).
bool FirstDialogLeftOpen();
// Presses OK, and once more if the dialog is still open (as a user does
// after a message that something could not be saved).
void OkAndRetry(framework::TDialog& d);

// The fixture: the program as start-up leaves it on Sunday 07/12/14
// 21:05:09 (TZ=UTC), with six subject headings and the data directory in the
// test's folder, the warning about versions not yet shown; the clock two
// minutes later; and a FaultEnv over that clock installed as the file
// layer, unarmed.
class DialogFaults : public jtest::GuiTest {
protected:
    static constexpr std::int64_t kStartup = 1417986309;

    void SetUp() override;
    void TearDown() override;
    // The process-wide values as start-up leaves them (again).
    void StartUp();
    // SweepWriteFaults through faults_, with the values of start-up for
    // every run; records the count under name (gtest XML) and returns it.
    int Sweep(const char* name, const Files& start, const std::function<void()>& run,
              const std::function<void(const FaultRun&)>& check);

    platform::ClockEnv clock_{platform::PosixEnv(), kStartup + 120};
    platform::FaultEnv faults_{&clock_};
    platform::ScopedEnv useFaults_{&faults_};
};

}  // namespace reliability
