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
using storetest::DataDir;
using storetest::Encoded;
using storetest::Rec;
using storetest::RecsWithKeys;

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_ino;
}

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// One change of each kind, on a diary holding keys 1 and 2.
struct Change {
    const char* name;
    std::function<platform::Status()> run;
};

const Change kChanges[] = {
    {.name = "insertion", .run = [] { return InsertRecordInOrder(DataDir(), Rec(5)); }},
    {.name = "append", .run = [] { return AppendRecord(DataDir(), Rec(5)); }},
    {.name = "deletion",
     .run =
         [] {
             return DeleteRecordAt(DataDir(), {0, storetest::RecsWithKeys({1})[0]});
         }},
    {.name = "restore",
     .run =
         [] {
             std::string made;
             platform::Status kept =
                 KeepVersionBeforeChange(DataDir(), DiaryChange::kDeletion, &made);
             return kept.ok() ? RestoreVersion(DataDir(), made) : kept;
         }},
};

TEST(FileSafety, APrivateDiaryStaysPrivateThroughEveryChange) {
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.name);
        fs::remove_all(VersionsPath(DataDir()));
        storetest::PutDiary(RecsWithKeys({1, 2}));
        ::chmod(DiaryPath(DataDir()).c_str(), 0600);
        ASSERT_TRUE(change.run().ok());
        EXPECT_EQ(ModeOf(DiaryPath(DataDir())), 0600u);
    }
    EXPECT_EQ(ModeOf(VersionsPath(DataDir())), 0700u);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    ASSERT_FALSE(versions.empty());
    for (const DiaryVersion& v : versions) {
        EXPECT_EQ(ModeOf(fs::path(VersionsPath(DataDir())) / v.name), 0600u) << v.name;
    }
}

TEST(FileSafety, ANewDiaryIsPrivateWhicheverWayItIsMade) {
    const std::function<platform::Status()> makers[] = {
        [] { return InsertRecordInOrder(DataDir(), Rec(1)); },
        [] { return AppendRecord(DataDir(), Rec(1)); },
    };
    for (const auto& make : makers) {
        fs::remove(DiaryPath(DataDir()));
        ASSERT_TRUE(make().ok());
        EXPECT_EQ(ModeOf(DiaryPath(DataDir())), 0600u);
    }
}

// A diary kept elsewhere and linked in stays linked: the file it points to
// takes every change, through a hold file in its own folder.
TEST(FileSafety, ALinkedDiaryStaysALink) {
    const std::string real = jtest::InTestDir("elsewhere/real.dat");
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.name);
        fs::remove_all(jtest::InTestDir("elsewhere"));
        fs::remove(DiaryPath(DataDir()));
        fs::create_directories(jtest::InTestDir("elsewhere"));
        jtest::WriteFileBytes(real, Encoded(RecsWithKeys({1, 2})));
        fs::create_symlink("elsewhere/real.dat", DiaryPath(DataDir()));
        ASSERT_TRUE(change.run().ok());
        EXPECT_TRUE(fs::is_symlink(DiaryPath(DataDir())));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(real)));
        if (std::string_view(change.name) != "restore") {  // restores the same bytes
            EXPECT_NE(jtest::ReadFileBytes(real), Encoded(RecsWithKeys({1, 2})));
        }
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::InTestDir("elsewhere")).empty());
    }
}

// A link planted at the hold file's name is removed, never written through.
TEST(FileSafety, ALinkPlantedAtTheHoldFileIsNeverFollowed) {
    // Key 5 goes between the two: the diary is rebuilt, not appended to.
    const std::string victim = jtest::InTestDir("victim");
    jtest::WriteFileBytes(victim, "keep me");
    storetest::PutDiary(RecsWithKeys({1, 9}));
    fs::create_symlink(victim, HoldPath(DataDir()));
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5)).ok());
    EXPECT_EQ(jtest::ReadFileBytes(victim), "keep me");
    EXPECT_FALSE(fs::exists(fs::symlink_status(HoldPath(DataDir()))));
    EXPECT_EQ(storetest::ReadAll().size(), 3u);
}

// A named pipe (or a folder) at the diary's name is refused at once as a
// file that cannot be read: nothing waits for a writer that never comes.
TEST(FileSafety, APipeAtTheDiaryIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(DiaryPath(DataDir()).c_str(), 0600), 0);
    for (const Change& change : kChanges) {
        if (std::string_view(change.name) == "restore") continue;
        const platform::Status status = change.run();
        EXPECT_NE(status.message().find("not a regular file"), std::string::npos)
            << change.name << ": " << status.message();
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
    const auto setUp = [] {
        fs::remove_all(VersionsPath(DataDir()));
        storetest::PutDiary(RecsWithKeys({1, 2}));
    };
    setUp();
    faults.FailNth(0, platform::FaultEnv::kWrite, 0);
    VersionRequest counted;
    ASSERT_TRUE(AppendRecord(DataDir(), Rec(5), nullptr, &counted).ok());
    ASSERT_FALSE(counted.made.empty());
    const int writes = faults.count();  // the append's write is the last

    setUp();
    faults.FailNth(writes, platform::FaultEnv::kWrite, ENOSPC);
    VersionRequest version;
    bool inPlace = false;
    const platform::Status status = AppendRecord(DataDir(), Rec(5), &inPlace, &version);
    EXPECT_TRUE(faults.fired());
    EXPECT_TRUE(status.ok()) << status.message();
    EXPECT_TRUE(inPlace);
    EXPECT_EQ(storetest::Keys(storetest::ReadAll()), (std::vector<std::int32_t>{1, 2, 5}));
    EXPECT_TRUE(version.made.empty());
    EXPECT_EQ(version.status.code(), ENOSPC);
    std::vector<DiaryVersion> versions;
    ASSERT_TRUE(ListVersions(DataDir(), &versions).ok());
    EXPECT_TRUE(versions.empty());
}

// A rebuild's version is a second name of the old diary file, made just
// before the rename: it takes no room and holds the diary as it was.
TEST(FileSafety, ARebuildKeepsItsVersionAsALinkToTheOldDiary) {
    // Key 5 goes between the two: the diary is rebuilt, not appended to.
    storetest::PutDiary(RecsWithKeys({1, 9}));
    const ino_t old = InodeOf(DiaryPath(DataDir()));
    VersionRequest version;
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(5), nullptr, &version).ok());
    ASSERT_TRUE(version.status.ok()) << version.status.message();
    const std::string made = (fs::path(VersionsPath(DataDir())) / version.made).string();
    EXPECT_EQ(jtest::ReadFileBytes(made), Encoded(RecsWithKeys({1, 9})));
    EXPECT_EQ(InodeOf(made), old);
    EXPECT_EQ(fs::hard_link_count(made), 1u);  // the diary itself is a new file now
    EXPECT_EQ(storetest::ReadAll().size(), 3u);
}

// A failed change makes no version: nothing is said of a version then.
TEST(FileSafety, AFailedRebuildKeepsNoVersion) {
    // Key 5 goes between the two: the diary is rebuilt, not appended to.
    platform::FaultEnv faults(platform::PosixEnv());
    platform::ScopedEnv scoped(&faults);
    storetest::PutDiary(RecsWithKeys({1, 9}));
    faults.FailNth(1, platform::FaultEnv::kWrite, ENOSPC);
    VersionRequest version;
    EXPECT_EQ(InsertRecordInOrder(DataDir(), Rec(5), nullptr, &version).code(), ENOSPC);
    EXPECT_TRUE(version.made.empty());
    EXPECT_TRUE(version.status.ok());
    EXPECT_FALSE(fs::exists(VersionsPath(DataDir())));
}

// Restore puts back only a regular file of the versions folder.
TEST(FileSafety, RestoreRefusesALinkInTheVersionsFolder) {
    storetest::PutDiary(RecsWithKeys({1, 2}));
    const std::string secret = jtest::InTestDir("secret");
    jtest::WriteFileBytes(secret, "not a diary");
    fs::create_directories(VersionsPath(DataDir()));
    fs::create_symlink(secret, fs::path(VersionsPath(DataDir())) / "Jotwel-2014-01-01-000000.dat");
    const platform::Status status = RestoreVersion(DataDir(), "Jotwel-2014-01-01-000000.dat");
    EXPECT_NE(status.message().find("not a regular file"), std::string::npos) << status.message();
    EXPECT_TRUE(storetest::DiaryIs(Encoded(RecsWithKeys({1, 2}))));
}

}  // namespace
}  // namespace store
