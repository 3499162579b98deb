// What a change does to the files around the diary: permissions kept, links
// kept, links and pipes planted at the program's names never followed or
// waited on, and a version that never costs a save on a full disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "StoreFixture.h"
#include "store/Versions.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

namespace fs = std::filesystem;
using namespace storetest;

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::string Versioned(const std::string& name) {
    return (fs::path(VersionsPath(DataDir())) / name).string();
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
    for (const DiaryVersion& v : versions) EXPECT_EQ(ModeOf(Versioned(v.name)), 0600u) << v.name;
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
    fs::create_symlink(victim, Versioned("Jotwel-2014-01-01-000000.dat"));
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
    const std::string made = Versioned(version.made);
    EXPECT_EQ(jtest::ReadFileBytes(made), Encoded(RecsWithKeys({1, 9})));
    EXPECT_EQ(fs::hard_link_count(made), 1u);  // the diary itself is a new file now
    struct stat kept {};
    ASSERT_EQ(::stat(made.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_ino, old.st_ino);
    EXPECT_EQ(ReadAll().size(), 3u);
}

}  // namespace
}  // namespace store
