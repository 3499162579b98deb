// Hostile files (a diary past 4 GiB, settings files of odd shapes and sizes)
// are read without a crash, a hang or growing memory. The reports dialog is swept with each
// file operation failing in turn: a message names the failure, and after
// the user tries again the files are as a clean run leaves them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QListView>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "reports/ReportsDialog.h"
#include "resources/ids/ReportsIds.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "store/Diary.h"
#include "store/Versions.h"
#include "support/DiaryFiles.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace reliability {
namespace {

namespace fs = std::filesystem;

constexpr char kDiary[] = "Jotwel.dat", kVersions[] = "Jotwel.versions/";

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

// Paths of every file under the test's folder but the (never changed) locks.
std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(jtest::TestDir())) {
        if (entry.is_regular_file() && entry.path().extension() != ".lck") {
            paths.push_back(fs::relative(entry.path(), jtest::TestDir()).generic_string());
        }
    }
    return paths;
}

Files Snapshot() {
    Files files;
    for (const std::string& path : Paths()) files[path] = jtest::ReadFileBytes(path);
    return files;
}

void Restore(const Files& files) {
    for (const fs::path& path : std::vector<fs::path>(fs::directory_iterator(jtest::TestDir()), {}))
        fs::remove_all(path);
    fs::create_directory(jtest::ConfigDir());
    for (const auto& [path, bytes] : files) {
        fs::create_directories(fs::path(jtest::InTestDir(path)).parent_path());
        jtest::WriteFileBytes(jtest::InTestDir(path), bytes);
    }
}

// Files the program does not keep in the test's folder (hold, temporary).
std::vector<std::string> Leftovers() {
    std::vector<store::DiaryVersion> kept;
    platform::ScopedEnv unfailing(platform::PosixEnv());
    EXPECT_TRUE(store::ListVersions(jtest::TestDir(), &kept).ok());
    std::vector<std::string> left;
    for (const std::string& path : Paths()) {
        if (path != kDiary && path != "listd.tmp" && path != "config/ZORVANT.INI" &&
            std::none_of(kept.begin(), kept.end(),
                         [&](const auto& version) { return path == kVersions + version.name; })) {
            left.push_back(path);
        }
    }
    return left;
}

using store::RecordSize;
using store::TEntryRecord;

// Counts the largest single read asked for and the bytes read in all.
class ReadCountingEnv : public platform::EnvWrapper {
public:
    using EnvWrapper::EnvWrapper;
    platform::Status NewSequentialFile(const std::string& path,
                                       std::unique_ptr<platform::SequentialFile>* result) override {
        struct Counting : platform::SequentialFile {
            ReadCountingEnv* env;
            std::unique_ptr<platform::SequentialFile> file;
            platform::Status Read(std::size_t n, char* buffer, std::size_t* got) override {
                env->largestRead = std::max(env->largestRead, n);
                const platform::Status status = file->Read(n, buffer, got);
                env->bytesRead += *got;
                return status;
            }
        };
        auto counting = std::make_unique<Counting>();
        counting->env = this;
        const platform::Status status = target()->NewSequentialFile(path, &counting->file);
        if (status.ok()) *result = std::move(counting);
        return status;
    }
    std::size_t largestRead = 0, bytesRead = 0;
};

// A file of size bytes that holds no data (all zeros) and takes no space.
void MakeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0) << "no sparse files here";
    ::close(fd);
}

std::string DiaryFile() {
    return store::DiaryPath(jtest::TestDir());
}

// 8,100,000 empty records: over 4 GiB, beyond any 32-bit size or offset.
constexpr off_t kHugeDiary = static_cast<off_t>(RecordSize) * 8'100'000;

TEST(HostileFiles, AHugeDiaryIsReadAChunkAtATimeAndAppendedToInPlace) {
    MakeSparse(DiaryFile(), kHugeDiary);
    ReadCountingEnv counting(platform::Env::Default());
    {
        platform::ScopedEnv scoped(&counting);
        std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(jtest::TestDir());
        TEntryRecord record;
        for (int i = 0; i < 1000; ++i) ASSERT_TRUE(store::ReadNextRecord(*reader, &record));
        EXPECT_EQ(record, (TEntryRecord{"", "", 0, 0}));
    }
    EXPECT_LE(counting.largestRead, std::size_t{1} << 20);
    EXPECT_LE(counting.bytesRead, std::size_t{2} << 20);

    const TEntryRecord added{"after four gigabytes", "07/12/14", INT32_MAX, -1};
    ASSERT_TRUE(store::AppendRecord(jtest::TestDir(), added).ok());
    EXPECT_EQ(std::filesystem::file_size(DiaryFile()), kHugeDiary + RecordSize);
    std::ifstream in(DiaryFile(), std::ios::binary);
    std::string tail(RecordSize, '\0');
    in.seekg(kHugeDiary).read(tail.data(), RecordSize);
    EXPECT_EQ(tail, jtest::DiaryOf({added}));
    EXPECT_FALSE(std::filesystem::exists(store::HoldPath(jtest::TestDir())));
}

// Every odd settings file reads what it holds (capacity 501) and takes a new
// value without losing another; one of gigabytes reads as empty, is not
// rewritten and the failure says why.
TEST(HostileFiles, OddSettingsFilesReadAndTakeNewValuesKeepingTheRest) {
    const struct {
        std::string bytes;
        const char* key;
        std::string value;
    } cases[] = {
        {.bytes = "[Jotwel]\r\nTextTit=" + std::string(4 << 20, 'a') + "\r\nHead0=Work",
         .key = "TextTit",
         .value = std::string(500, 'a')},
        {.bytes = "\r", .key = "Head0", .value = ""},
    };
    const std::string path = session::SettingsPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        jtest::WriteFileBytes(path, c.bytes);
        EXPECT_EQ(session::ReadSetting(c.key, 501), c.value);
        ASSERT_TRUE(session::WriteSetting("LastDate", "071214").ok());
        EXPECT_EQ(session::ReadSetting("LastDate", 25), "071214");
        EXPECT_EQ(session::ReadSetting(c.key, 501), c.value);
        EXPECT_EQ(Leftovers(), std::vector<std::string>{});
    }
    MakeSparse(path, off_t{5} << 30);
    EXPECT_EQ(session::ReadSetting("Today", 25), "");
    EXPECT_EQ(session::WriteSetting("LastDate", "071214").code(), EFBIG);
    EXPECT_EQ(std::filesystem::file_size(path), std::uintmax_t{5} << 30);
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

using framework::TDialog;
using framework::testing::MessageBoxesShown;
namespace ids = resources::reports_ids;

std::string LastText() {
    return MessageBoxesShown().empty() ? std::string() : MessageBoxesShown().back().text;
}
// A listing that could not be saved leaves the list filled, the listing gone
// and not counted; then Show Results again.
void ShowResultsAgainIfNotSaved(TDialog& d) {
    if (!LastText().starts_with("The listing could not be saved")) return;
    EXPECT_GT(jtest::ControlOf<QListView>(d, ids::kResultsList)->model()->rowCount(), 3);
    EXPECT_EQ(session::Values().listingLineCount, 0);
    EXPECT_FALSE(fs::exists(jtest::InTestDir("listd.tmp")));
    jtest::Click(d, ids::kShowResultsButton);
}
// Deletes the first twin after Yes; returns whether the deletion failed.
bool DeleteTwin(TDialog& d) {
    framework::TListBox(&d, ids::kResultsList).SetSelIndex(3);  // heading, blank, quiet, twin
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    jtest::Click(d, ids::kDeleteButton);
    return LastText().starts_with("Unable to delete entry");
}

// Today is Sunday 07/12/14 21:05:09 (TZ=UTC), the clock two minutes later,
// under a FaultEnv.
class DialogFaults : public jtest::GuiTest {
protected:
    void TearDown() override {
        session::ResetValues();
        GuiTest::TearDown();
    }
    // From the files start, with the n-th file operation failing: Show
    // Results and delete one of two twins (done twice, a deletion would lose
    // both), trying again after each failure.
    void Run(const Files& start, int n, int error) {
        using platform::FaultEnv;
        Restore(start);
        framework::testing::ResetSeams();
        session::ResetValues();
        framework::ResetVersionWarning();
        session::Values().dataDirectory = jtest::TestDir();
        session::Values().todayShortDate = "07/12/14";
        faults_.FailNth(n,
                        FaultEnv::kOpenWrite | FaultEnv::kWrite | FaultEnv::kSync |
                            FaultEnv::kClose | FaultEnv::kRename | FaultEnv::kSyncDir |
                            FaultEnv::kCreateDirs | FaultEnv::kGetChildren,
                        error);
        framework::testing::OnNextDialog([](TDialog& d) {
            jtest::Click(d, ids::kShowResultsButton);
            ShowResultsAgainIfNotSaved(d);
            if (DeleteTwin(d)) DeleteTwin(d);
            ShowResultsAgainIfNotSaved(d);
        });
        reports::ReportsDialog(nullptr).Execute();
    }

    platform::ClockEnv clock_{platform::PosixEnv(), 1417986309 + 120};
    platform::FaultEnv faults_{&clock_};
    platform::ScopedEnv useFaults_{&faults_};
};

// Each file operation of the run fails in turn: a message names the
// failure; after the user tries again the files are as a clean run leaves
// them, but for versions, which hold the old diary whole.
TEST_F(DialogFaults, ReportsEveryFailureAndTryingAgainGivesTheRightResult) {
    const store::TEntryRecord twin{"twin", "05/02/14 @ 00:00:00", 1391558400, 5};
    jtest::WriteFileBytes(
        jtest::InTestDir(kDiary),
        jtest::DiaryOf({{"quiet day", "01/02/14 @ 12:00:00", 1391256000, 3}, twin, twin}));
    jtest::WriteFileBytes(jtest::InTestDir("listd.tmp"), "an old listing\r\n");
    const Files start = Snapshot();
    Run(start, 0, 0);
    const int count = faults_.count();
    const Files clean = Snapshot();
    ASSERT_GT(count, 0) << "the action wrote nothing";
    for (int n = 1; n <= count; ++n) {
        for (int error : {ENOSPC, EIO, EACCES}) {
            SCOPED_TRACE("operation " + std::to_string(n) + ": " + std::strerror(error));
            Run(start, n, error);
            EXPECT_TRUE(faults_.fired());
            const Files now = Snapshot();
            const auto& shown = MessageBoxesShown();
            EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](const auto& box) {
                return box.text.find(std::strerror(error)) != std::string::npos;
            })) << LastText();
            EXPECT_EQ(now.Only(kVersions, false), clean.Only(kVersions, false));
            EXPECT_EQ(session::Values().listingLineCount, 2);
            const Files versions = now.Only(kVersions);
            for (const auto& [path, bytes] : versions) EXPECT_EQ(bytes, start.at(kDiary));
            // Without a version, the warning says so; else none is lost.
            const Files cleanVersions = clean.Only(kVersions);
            if (std::any_of(shown.begin(), shown.end(), [](const auto& box) {
                    return box.text.starts_with("No version of the diary could be kept");
                })) {
                EXPECT_TRUE(
                    std::includes(clean.begin(), clean.end(), versions.begin(), versions.end()));
            } else {
                EXPECT_TRUE(std::includes(now.begin(), now.end(), cleanVersions.begin(),
                                          cleanVersions.end()));
                EXPECT_LE(versions.size(), 2u);
            }
            EXPECT_EQ(Leftovers(), std::vector<std::string>{});
        }
    }
}

}  // namespace
}  // namespace reliability
