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

class VersionsTest : public ::testing::Test {
protected:
    platform::ClockEnv clock_{platform::PosixEnv(), kSunday};
    platform::ScopedEnv useClock_{&clock_};
};

TEST_F(VersionsTest, TheFirstChangeOfEachDayAndEveryDeletionKeepAPlainCopy) {
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "");  // absent
    PutDiary({});
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");  // empty
    EXPECT_FALSE(fs::exists(Folder()));

    const std::string first = Encoded(RecsWithKeys({10, 20})) + "fragment";
    jtest::WriteFileBytes(DiaryPath(DataDir()), first);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "Jotwel-2014-12-07-210509.dat");
    PutDiary(RecsWithKeys({10, 20, 30}));
    clock_.Advance(2 * 3600);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");  // later the same day
    EXPECT_EQ(Keep(DiaryChange::kDeletion), "Jotwel-2014-12-07-230509.dat");
    clock_.Advance(3600);
    EXPECT_EQ(Keep(DiaryChange::kAddition), "Jotwel-2014-12-08-000509.dat");
    EXPECT_EQ(Keep(DiaryChange::kAddition), "");

    EXPECT_EQ(jtest::ReadFileBytes(InFolder("Jotwel-2014-12-07-210509.dat")), first);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    ASSERT_EQ(versions.size(), 3u);
    EXPECT_EQ(versions[0].madeAt, kSunday);
    EXPECT_EQ(versions[0].size, first.size());
    EXPECT_EQ(versions[2].madeAt, kSunday + 3 * 3600);
    EXPECT_EQ(versions[2].size, 3 * RecordSize);
}

TEST_F(VersionsTest, NamesComeFromTheLocalClockAndTakeACopyNumberInTheSameSecond) {
    jtest::SetTimeZone("XST-10");  // ten hours ahead: already Monday
    PutDiary(RecsWithKeys({1}));
    std::vector<std::string> made;
    for (int i = 0; i < 10; ++i) made.push_back(Keep(DiaryChange::kDeletion));
    EXPECT_EQ(made[0], "Jotwel-2014-12-08-070509.dat");
    EXPECT_EQ(made[1], "Jotwel-2014-12-08-070509-2.dat");
    EXPECT_EQ(made[9], "Jotwel-2014-12-08-070509-10.dat");
    EXPECT_EQ(Listed(), made);  // "-10" is newer than "-2"
}

// 30 versions from November and names that only look like versions: the
// oldest version goes with each new one, nothing else is touched, and a
// version made with the clock set back stays. A restore keeps the diary as
// it stands first (none when there is no diary), then copies the version back.
TEST_F(VersionsTest, KeepsTheNewestThirtyAndRestoresAfterKeepingTheDiary) {
    std::vector<std::string> old = {"Jotwel-2014-11-01-120000.dat",
                                    "Jotwel-2014-11-01-120000-2.dat",
                                    "Jotwel-2014-11-01-120000-10.dat"};
    for (int day = 2; day <= 28; ++day) {
        char name[64];
        std::snprintf(name, sizeof name, "Jotwel-2014-11-%02d-120000.dat", day);
        old.push_back(name);
    }
    const std::vector<std::string> foreign = {"notes.txt",
                                              "Jotwel-2014-11-01-120000-1.dat",
                                              "Jotwel-2014-11-01-120000-02.dat",
                                              "Jotwel-2014-11-01-120000+2.dat",
                                              "Jotwel-2014-13-01-120000.dat",
                                              "Jotwel-2014-11-01-1200.dat",
                                              "Jotwel-2014-11-01-120000.dat~"};
    fs::create_directories(Folder());
    for (const std::string& name : old) jtest::WriteFileBytes(InFolder(name), name);
    for (const std::string& name : foreign) jtest::WriteFileBytes(InFolder(name), name);
    ASSERT_EQ(Listed(), old);
    PutDiary(RecsWithKeys({1}));

    for (std::size_t gone = 1; gone <= 3; ++gone) {
        Keep(DiaryChange::kAddition);
        clock_.Advance(86400);
        const std::vector<std::string> listed = Listed();
        ASSERT_EQ(listed.size(), kKeptVersions);
        EXPECT_EQ(listed.front(), old[gone]);
        for (std::size_t i = gone; i < old.size(); ++i) {
            EXPECT_EQ(jtest::ReadFileBytes(InFolder(old[i])), old[i]);
        }
    }
    clock_.SetNow(kSunday - 365 * 86400);
    const std::string backdated = Keep(DiaryChange::kAddition);
    EXPECT_EQ(Listed().front(), backdated);
    EXPECT_FALSE(fs::exists(InFolder(old[3])));
    for (const std::string& name : foreign) EXPECT_EQ(jtest::ReadFileBytes(InFolder(name)), name);

    clock_.SetNow(kSunday + 10 * 86400);
    const std::string current = *DiaryBytes();
    std::string saved;
    ASSERT_TRUE(RestoreVersion(DataDir(), old[10], &saved).ok());
    EXPECT_TRUE(DiaryIs(old[10]));
    EXPECT_EQ(saved, "Jotwel-2014-12-17-210509.dat");
    EXPECT_EQ(jtest::ReadFileBytes(InFolder(saved)), current);
    EXPECT_EQ(Listed().size(), kKeptVersions);
    EXPECT_FALSE(HoldExists());
    std::remove(DiaryPath(DataDir()).c_str());
    std::string savedAgain = "unset";
    ASSERT_TRUE(RestoreVersion(DataDir(), saved, &savedAgain).ok());
    EXPECT_EQ(savedAgain, "");
    EXPECT_TRUE(DiaryIs(current));
}

TEST_F(VersionsTest, RestoreRefusesWhatIsNotAKeptVersion) {
    PutDiary(RecsWithKeys({1}));
    Keep(DiaryChange::kDeletion);
    jtest::WriteFileBytes(InFolder("notes.txt"), "not a diary");
    const char* const refused[] = {"",
                                   "notes.txt",
                                   "../Jotwel.dat",
                                   "/etc/passwd",
                                   "Jotwel.versions/Jotwel-2014-12-07-210509.dat",
                                   "Jotwel-2014-12-07-210509.dat/../../Jotwel.dat",
                                   "Jotwel-2014-12-07-210510.dat"};
    for (const std::string name : refused) {
        const platform::Status status = RestoreVersion(DataDir(), name);
        EXPECT_EQ(status.code(), name.ends_with("10.dat") ? ENOENT : EINVAL) << name;
        EXPECT_TRUE(DiaryIs(Encoded(RecsWithKeys({1})))) << name;
    }
    EXPECT_EQ(Listed().size(), 1u);
}

// Where the file system makes no second name (EPERM, EXDEV), the version is
// a copy all the same.
TEST_F(VersionsTest, AVersionIsACopyWhereALinkFails) {
    FaultEnv faults(&clock_);
    platform::ScopedEnv useFaults(&faults);
    PutDiary(RecsWithKeys({1, 2}));
    faults.FailNth(1, FaultEnv::kLink, EPERM);
    std::string made;
    ASSERT_TRUE(
        KeepVersionBeforeChange(DataDir(), DiaryChange::kDeletion, &made, VersionMethod::kLink)
            .ok());
    EXPECT_TRUE(faults.fired());
    EXPECT_EQ(fs::hard_link_count(InFolder(made)), 1u);
    EXPECT_EQ(jtest::ReadFileBytes(InFolder(made)), Encoded(RecsWithKeys({1, 2})));
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
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

// Private stays private, and so are the versions; a new diary is private
// whichever way it is made.
TEST(FileSafety, APrivateDiaryStaysPrivateThroughEveryChange) {
    for (const auto& change : kChanges) {
        fs::remove_all(VersionsPath(DataDir()));
        PutDiary(RecsWithKeys({1, 2}));
        ::chmod(DiaryPath(DataDir()).c_str(), 0600);
        ASSERT_TRUE(change().ok());
        EXPECT_EQ(ModeOf(DiaryPath(DataDir())), 0600u);
    }
    EXPECT_EQ(ModeOf(VersionsPath(DataDir())), 0700u);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    ASSERT_FALSE(versions.empty());
    for (const DiaryVersion& v : versions) EXPECT_EQ(ModeOf(InFolder(v.name)), 0600u) << v.name;
    for (const auto& make : {kChanges[0], kChanges[1]}) {
        fs::remove(DiaryPath(DataDir()));
        ASSERT_TRUE(make().ok());
        EXPECT_EQ(ModeOf(DiaryPath(DataDir())), 0600u);
    }
}

// A diary kept elsewhere and linked in stays linked: the file it points to
// takes every change, through a hold file in its own folder.
TEST(FileSafety, ALinkedDiaryStaysALink) {
    const std::string real = jtest::InTestDir("elsewhere/real.dat");
    for (const auto& change : kChanges) {
        fs::remove_all(jtest::InTestDir("elsewhere"));
        fs::remove(DiaryPath(DataDir()));
        fs::create_directories(jtest::InTestDir("elsewhere"));
        jtest::WriteFileBytes(real, Encoded(RecsWithKeys({1, 2})));
        fs::create_symlink("elsewhere/real.dat", DiaryPath(DataDir()));
        ASSERT_TRUE(change().ok());
        EXPECT_TRUE(fs::is_symlink(DiaryPath(DataDir())));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(real)));
        if (&change != &kChanges[3]) {  // a restore puts back the same bytes
            EXPECT_NE(jtest::ReadFileBytes(real), Encoded(RecsWithKeys({1, 2})));
        }
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::InTestDir("elsewhere")).empty());
    }
}

// A link planted at the hold file's name is removed, never written through;
// a restore puts back only a regular file of the versions folder.
TEST(FileSafety, ALinkPlantedAtTheHoldFileOrAsAVersionIsNeverFollowed) {
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
TEST(FileSafety, APipeAtTheDiaryIsRefusedWithoutWaiting) {
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
TEST(FileSafety, AVersionNeverCostsASave) {
    platform::FaultEnv faults(platform::PosixEnv());
    platform::ScopedEnv scoped(&faults);
    PutDiary(RecsWithKeys({1, 2}));
    faults.FailNth(0, platform::FaultEnv::kWrite, 0);
    VersionRequest counted;
    ASSERT_TRUE(AppendRecord(DataDir(), Rec(5), nullptr, &counted).ok());
    ASSERT_FALSE(counted.made.empty());
    const int writes = faults.count();  // the append's write is the last

    fs::remove_all(VersionsPath(DataDir()));
    PutDiary(RecsWithKeys({1, 2}));
    faults.FailNth(writes, platform::FaultEnv::kWrite, ENOSPC);
    VersionRequest version;
    bool inPlace = false;
    const platform::Status status = AppendRecord(DataDir(), Rec(5), &inPlace, &version);
    EXPECT_TRUE(faults.fired());
    EXPECT_TRUE(status.ok()) << status.message();
    EXPECT_TRUE(inPlace);
    EXPECT_EQ(Keys(ReadAll()), (std::vector<std::int32_t>{1, 2, 5}));
    EXPECT_TRUE(version.made.empty());
    EXPECT_EQ(version.status.code(), ENOSPC);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    EXPECT_TRUE(versions.empty());
}

// A rebuild's version is a second name of the old diary file, made just
// before the rename: it takes no room and holds the diary as it was. A
// failed rebuild makes none, and says nothing of one.
TEST(FileSafety, ARebuildKeepsItsVersionAsALinkToTheOldDiary) {
    platform::FaultEnv faults(platform::PosixEnv());
    platform::ScopedEnv scoped(&faults);
    PutDiary(RecsWithKeys({1, 9}));
    faults.FailNth(1, platform::FaultEnv::kWrite, ENOSPC);
    VersionRequest failed;
    EXPECT_EQ(InsertRecordInOrder(DataDir(), Rec(5), nullptr, &failed).code(), ENOSPC);
    EXPECT_TRUE(failed.made.empty());
    EXPECT_TRUE(failed.status.ok());
    EXPECT_FALSE(fs::exists(VersionsPath(DataDir())));

    struct stat old {};
    ASSERT_EQ(::stat(DiaryPath(DataDir()).c_str(), &old), 0);
    VersionRequest version;
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5), nullptr, &version).ok());
    ASSERT_TRUE(version.status.ok()) << version.status.message();
    const std::string made = InFolder(version.made);
    EXPECT_EQ(jtest::ReadFileBytes(made), Encoded(RecsWithKeys({1, 9})));
    EXPECT_EQ(fs::hard_link_count(made), 1u);  // the diary itself is a new file now
    struct stat kept {};
    ASSERT_EQ(::stat(made.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_ino, old.st_ino);
    EXPECT_EQ(ReadAll().size(), 3u);
}

}  // namespace
}  // namespace store
