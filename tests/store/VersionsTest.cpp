// Kept versions of the diary, on real files with a set clock, and what a
// change does to the files around the diary: permissions and links kept,
// links and pipes planted at the program's names never followed or waited
// on, and a version that never costs a save.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "StoreFixture.h"
#include "store/Versions.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

using namespace storetest;
using platform::FaultEnv;
namespace fs = std::filesystem;

constexpr std::int64_t kSunday = 1417986309;  // 2014-12-07 21:05:09 UTC

std::string Folder() {
    return VersionsPath(DataDir());
}
std::string InFolder(const std::string& name) {
    return (fs::path(Folder()) / name).string();
}

std::vector<std::string> Listed() {
    std::vector<DiaryVersion> versions;
    EXPECT_TRUE(ListVersions(DataDir(), &versions).ok());
    std::vector<std::string> names;
    for (const DiaryVersion& v : versions) names.push_back(v.name);
    return names;
}

std::string Keep(DiaryChange change) {
    std::string made = "unset";
    const platform::Status status = KeepVersionBeforeChange(DataDir(), change, &made);
    EXPECT_TRUE(status.ok()) << status.message();
    return made;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}
unsigned ModeOf(const std::string& path) {
    return StatOf(path).st_mode & 07777;
}

// A set clock, and under it a file layer that fails only when a test says.
class VersionsTest : public ::testing::Test {
protected:
    platform::ClockEnv clock_{platform::PosixEnv(), kSunday};
    FaultEnv faults_{&clock_};
    platform::ScopedEnv useFaults_{&faults_};
};
using FileSafety = VersionsTest;

// Names come from the local clock, with a copy number in the same second.
TEST_F(VersionsTest, TheFirstChangeOfEachDayAndEveryDeletionKeepAPlainCopy) {
    jtest::SetTimeZone("XST-10");                 // ten hours ahead of UTC
    clock_.SetNow(kSunday - 10 * 3600);           // 21:05:09 there
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "");  // absent
    PutDiary({});
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");  // empty
    EXPECT_FALSE(fs::exists(Folder()));

    const std::string first = DiaryOf(RecsWithKeys({10, 20})) + "fragment";
    jtest::WriteFileBytes(DiaryPath(DataDir()), first);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "Jotwel-2014-12-07-210509.dat");
    PutDiary(RecsWithKeys({10, 20, 30}));
    clock_.Advance(2 * 3600);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");  // later the same day
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "Jotwel-2014-12-07-230509.dat");
    clock_.Advance(3600);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "Jotwel-2014-12-08-000509.dat");
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "Jotwel-2014-12-08-000509-2.dat");

    EXPECT_EQ(jtest::ReadFileBytes(InFolder("Jotwel-2014-12-07-210509.dat")), first);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    ASSERT_EQ(versions.size(), 4u);
    EXPECT_EQ(versions[2].madeAt, kSunday - 7 * 3600);
}

// 30 versions from November and names that only look like versions: the
// oldest version goes with each new one (by time, not by name), nothing else
// is touched, and a version made with the clock set back stays.
TEST_F(VersionsTest, KeepsTheNewestThirty) {
    std::vector<std::string> old = {"Jotwel-2014-11-01-120000.dat",
                                    "Jotwel-2014-11-01-120000-2.dat",
                                    "Jotwel-2014-11-01-120000-10.dat"};
    for (int day = 2; day <= 28; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "Jotwel-2014-11-%02d-120000.dat", day);
        old.push_back(name);
    }
    const std::vector<std::string> foreign = {
        "Jotwel-2014-11-01-120000-1.dat", "Jotwel-2014-11-01-120000-02.dat",
        "Jotwel-2014-13-01-120000.dat", "Jotwel-2014-11-01-120000.dat~"};
    fs::create_directories(Folder());
    for (const std::string& name : old) jtest::WriteFileBytes(InFolder(name), name);
    for (const std::string& name : foreign) jtest::WriteFileBytes(InFolder(name), name);
    PutDiary(RecsWithKeys({1}));

    std::vector<std::string> expected(old.begin() + 2, old.end());
    expected.push_back(Keep(DiaryChange::kAddition));
    clock_.Advance(86400);
    expected.push_back(Keep(DiaryChange::kAddition));
    EXPECT_EQ(Listed(), expected);
    clock_.SetNow(kSunday - 365 * 86400);
    const std::string backdated = Keep(DiaryChange::kAddition);
    EXPECT_EQ(Listed().front(), backdated);
    EXPECT_FALSE(fs::exists(InFolder(old[2])));
    for (const std::string& name : foreign) EXPECT_EQ(jtest::ReadFileBytes(InFolder(name)), name);
}

// A restore keeps the diary as it stands first (none when there is no
// diary), then copies the version back; it takes only a kept version's name.
TEST_F(VersionsTest, ARestoreKeepsTheDiaryFirstAndRefusesWhatIsNotAKeptVersion) {
    PutDiary(RecsWithKeys({1}));
    const std::string version = Keep(DiaryChange::kDeletion);
    jtest::WriteFileBytes(InFolder("notes.txt"), "not a diary");
    const char* const refused[] = {
        "notes.txt", "../Jotwel.dat", "Jotwel.versions/Jotwel-2014-12-07-210509.dat",
        "Jotwel-2014-12-07-210509.dat/../../Jotwel.dat", "Jotwel-2014-12-07-210510.dat"};
    for (const std::string name : refused) {
        const platform::Status status = RestoreVersion(DataDir(), name);
        EXPECT_EQ(status.code(), name.ends_with("10.dat") ? ENOENT : EINVAL) << name;
        EXPECT_TRUE(DiaryIs(DiaryOf(RecsWithKeys({1})))) << name;
    }
    EXPECT_EQ(Listed(), std::vector<std::string>{version});

    PutDiary(RecsWithKeys({1, 2}));
    std::string saved;
    ASSERT_TRUE(RestoreVersion(DataDir(), version, &saved).ok());
    EXPECT_TRUE(DiaryIs(DiaryOf(RecsWithKeys({1}))));
    EXPECT_EQ(jtest::ReadFileBytes(InFolder(saved)), DiaryOf(RecsWithKeys({1, 2})));
    fs::remove(DiaryPath(DataDir()));
    std::string savedAgain = "unset";
    ASSERT_TRUE(RestoreVersion(DataDir(), saved, &savedAgain).ok());
    EXPECT_EQ(savedAgain, "");
    EXPECT_TRUE(DiaryIs(DiaryOf(RecsWithKeys({1, 2}))));
}

// One change of each kind, on a diary holding keys 1 and 2.
platform::Status Restore() {
    std::string made;
    platform::Status kept = KeepVersionBeforeChange(DataDir(), DiaryChange::kDeletion, &made);
    return kept.ok() ? RestoreVersion(DataDir(), made) : kept;
}
const std::function<platform::Status()> kChanges[] = {
    [] { return InsertRecordInOrder(DataDir(), Rec(5)); },
    [] { return AppendRecord(DataDir(), Rec(5)); },
    [] {
        return DeleteRecordAt(DataDir(), {0, RecsWithKeys({1})[0]});
    },
    Restore,
};

// A private diary kept elsewhere and linked in stays linked and private: the
// file it points to takes every change, through a hold file in its own
// folder. The versions are private, and so is a new diary.
TEST_F(FileSafety, ALinkedPrivateDiaryStaysALinkAndPrivateThroughEveryChange) {
    const std::string real = jtest::InTestDir("elsewhere/real.dat");
    for (const auto& change : kChanges) {
        fs::remove_all(jtest::InTestDir("elsewhere"));
        fs::remove(DiaryPath(DataDir()));
        fs::create_directories(jtest::InTestDir("elsewhere"));
        jtest::WriteFileBytes(real, DiaryOf(RecsWithKeys({1, 2})));
        ::chmod(real.c_str(), 0600);
        fs::create_symlink("elsewhere/real.dat", DiaryPath(DataDir()));
        ASSERT_TRUE(change().ok());
        EXPECT_TRUE(fs::is_symlink(DiaryPath(DataDir())));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(real)));
        EXPECT_EQ(ModeOf(real), 0600u);
        if (&change != &kChanges[3]) {  // a restore puts back the same bytes
            EXPECT_NE(jtest::ReadFileBytes(real), DiaryOf(RecsWithKeys({1, 2})));
        }
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::InTestDir("elsewhere")).empty());
    }
    EXPECT_EQ(ModeOf(VersionsPath(DataDir())), 0700u);
    const std::vector<std::string> versions = Listed();
    ASSERT_FALSE(versions.empty());
    for (const std::string& name : versions) EXPECT_EQ(ModeOf(InFolder(name)), 0600u) << name;
    fs::remove(DiaryPath(DataDir()));
    ASSERT_TRUE(AppendRecord(DataDir(), Rec(1)).ok());
    EXPECT_EQ(ModeOf(DiaryPath(DataDir())), 0600u);
}
// A link planted at the hold file's name is removed, never written through;
// a restore puts back only a regular file of the versions folder.
TEST_F(FileSafety, ALinkPlantedAtTheHoldFileOrAsAVersionIsNeverFollowed) {
    const std::string victim = jtest::InTestDir("victim");
    jtest::WriteFileBytes(victim, "keep me");
    PutDiary(RecsWithKeys({1, 9}));
    fs::create_symlink(victim, HoldPath(DataDir()));
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5)).ok());  // a rebuild: 5 goes between
    EXPECT_EQ(jtest::ReadFileBytes(victim), "keep me");
    EXPECT_FALSE(fs::exists(fs::symlink_status(HoldPath(DataDir()))));
    EXPECT_EQ(ReadAll().size(), 3u);

    fs::create_directories(VersionsPath(DataDir()));
    fs::create_symlink(victim, InFolder("Jotwel-2014-01-01-000000.dat"));
    const platform::Status status = RestoreVersion(DataDir(), "Jotwel-2014-01-01-000000.dat");
    EXPECT_NE(status.message().find("not a regular file"), std::string::npos) << status.message();
    EXPECT_EQ(ReadAll().size(), 3u);
}

// A named pipe at the diary's name is refused at once as a file that cannot
// be read: nothing waits for a writer that never comes.
TEST_F(FileSafety, APipeAtTheDiaryIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(DiaryPath(DataDir()).c_str(), 0600), 0);
    for (const auto& change : {kChanges[0], kChanges[1], kChanges[2]}) {
        const platform::Status status = change();
        EXPECT_NE(status.message().find("not a regular file"), std::string::npos)
            << status.message();
    }
    std::unique_ptr<DiaryReader> reader = OpenDiaryForReading(DataDir());
    EXPECT_NE(reader->status().message().find("not a regular file"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(DiaryPath(DataDir())));
}

// The first append of a day copies the diary as its version; when the disk
// then has no room for the record, the copy goes and the append is tried
// again, so the entry is saved.
TEST_F(FileSafety, AVersionNeverCostsASave) {
    PutDiary(RecsWithKeys({1, 2}));
    faults_.FailNth(0, FaultEnv::kWrite, 0);
    VersionRequest counted;
    ASSERT_TRUE(AppendRecord(DataDir(), Rec(5), nullptr, &counted).ok());
    ASSERT_FALSE(counted.made.empty());
    const int writes = faults_.count();  // the append's write is the last

    fs::remove_all(VersionsPath(DataDir()));
    PutDiary(RecsWithKeys({1, 2}));
    faults_.FailNth(writes, FaultEnv::kWrite, ENOSPC);
    VersionRequest version;
    const platform::Status status = AppendRecord(DataDir(), Rec(5), nullptr, &version);
    EXPECT_TRUE(faults_.fired());
    EXPECT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(Keys(ReadAll()), (std::vector<std::int32_t>{1, 2, 5}));
    EXPECT_EQ(version.status.code(), ENOSPC);
    EXPECT_TRUE(Listed().empty());
}

// A rebuild's version is a second name of the old diary file, made just
// before the rename: it takes no room and holds the diary as it was.
TEST_F(FileSafety, ARebuildKeepsItsVersionAsALinkToTheOldDiary) {
    PutDiary(RecsWithKeys({1, 9}));
    const ino_t old = StatOf(DiaryPath(DataDir())).st_ino;
    VersionRequest version;
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5), nullptr, &version).ok());
    ASSERT_TRUE(version.status.ok()) << version.status.message();
    const std::string made = InFolder(version.made);
    EXPECT_EQ(jtest::ReadFileBytes(made), DiaryOf(RecsWithKeys({1, 9})));
    EXPECT_EQ(fs::hard_link_count(made), 1u);  // the diary itself is a new file now
    EXPECT_EQ(StatOf(made).st_ino, old);
    EXPECT_EQ(ReadAll().size(), 3u);

    // Where the file system makes no second name (EPERM, EXDEV), the version
    // is a copy all the same.
    const std::string before = *DiaryBytes();
    faults_.FailNth(1, FaultEnv::kLink, EPERM);
    VersionRequest copied(DiaryChange::kDeletion);
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(2), nullptr, &copied).ok());
    EXPECT_TRUE(faults_.fired() && copied.status.ok());
    EXPECT_EQ(jtest::ReadFileBytes(InFolder(copied.made)), before);
}

}  // namespace
}  // namespace store
