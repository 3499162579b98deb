// versions and restore: the kept versions listed oldest first, and one put
// back only after a yes, with the diary as it was kept first.
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ToolTest.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;

// Two versions: the sample diary kept on 14/06/20 at 09:00, its first two
// entries kept today at 12:00; the diary now holds one entry.
class VersionsCommandTest : public ToolTest {
protected:
    void SetUp() override {
        Keep(Bytes(SampleDiary()), On("14/06/20", 9));
        Keep(Bytes({SampleDiary()[0], SampleDiary()[1]}), On("15/06/20"));
        PutDiary(now_);
    }
    void Keep(const std::string& bytes, dates::Instant at) {
        PutDiary(bytes);
        clock_.SetNow(at);
        std::string made;
        ASSERT_TRUE(
            store::KeepVersionBeforeChange(TestDir(), store::DiaryChange::kDeletion, &made).ok());
    }
    const std::string now_ = Bytes({SampleDiary()[2]});
    const std::string first_ = "Jotwel-2020-06-14-090000.dat";
    const std::string second_ = "Jotwel-2020-06-15-120000.dat";
    const std::string kept_ = store::VersionsPath(TestDir()) + "/Jotwel-2020-06-15-120000-2.dat";
};

TEST_F(VersionsCommandTest, ListsTheVersionsAndRestoresOnlyAfterYes) {
    EXPECT_EQ(RunTool({"versions"}).out,
              "Versions kept in " + store::VersionsPath(TestDir()) + ", oldest first:\n" + first_ +
                  "  2020-06-14 09:00:00  2136 bytes  4 entries\n" + second_ +
                  "  2020-06-15 12:00:00  1068 bytes  2 entries\n");
    for (const std::string answer : {"", "n\n", "yess\n"}) {
        const ToolRun run = RunTool({"restore", first_}, answer);
        EXPECT_EQ(run.status, tool::kExitUserError);
        EXPECT_EQ(run.err, "Replace " + store::DiaryPath(TestDir()) + " with the version " +
                               first_ +
                               "? The diary as it is now is kept as a version first. [y/N] "
                               "Nothing restored.\n");
        EXPECT_EQ(Diary(), now_);
    }
    EXPECT_EQ(RunTool({"restore", "Jotwel-2001-01-01-000000.dat", "--yes"}).err,
              "jotwel-tool: Jotwel-2001-01-01-000000.dat: no such version in " +
                  store::VersionsPath(TestDir()) + " (jotwel-tool versions lists them)\n");

    const std::string run = Out({"restore", first_}, " Yes \n");
    EXPECT_EQ(run, "Restored " + store::DiaryPath(TestDir()) + " from the version " + first_ +
                       ".\nThe diary as it was is kept as the version "
                       "Jotwel-2020-06-15-120000-2.dat.\n");
    EXPECT_EQ(Diary(), Bytes(SampleDiary()));
    EXPECT_EQ(ReadFileBytes(kept_), now_);
    // With no diary left there is none to keep.
    fs::remove(store::DiaryPath(TestDir()));
    EXPECT_THAT(RunTool({"restore", second_, "--yes"}).out,
                EndsWith(".\nThere was no diary to keep as a version.\n"));
    EXPECT_EQ(Diary(), Bytes({SampleDiary()[0], SampleDiary()[1]}));
}

// Only a plain file of the versions folder is taken, not a link to a file
// elsewhere nor a folder.
TEST_F(VersionsCommandTest, RestoreTakesOnlyAPlainFileOfTheVersionsFolder) {
    const std::string folder = store::VersionsPath(TestDir());
    WriteFileBytes(InTestDir("elsewhere.dat"), Bytes({SampleDiary()[0]}));
    fs::create_symlink(InTestDir("elsewhere.dat"), folder + "/Jotwel-2020-06-01-120000.dat");
    fs::create_directory(folder + "/Jotwel-2020-06-02-120000.dat");
    for (const char* name : {"Jotwel-2020-06-01-120000.dat", "Jotwel-2020-06-02-120000.dat"}) {
        const ToolRun run = RunTool({"restore", name, "--yes"});
        EXPECT_EQ(run.status, tool::kExitUserError) << name;
        EXPECT_THAT(run.err, HasSubstr("nothing restored"));
        EXPECT_EQ(Diary(), now_);
    }
}

// Failing while copying the version in: the diary stays, and the output
// says where the diary as it was is kept. Failing once the copy is in place
// (the folder's sync): it was restored, and the failure is still told.
TEST_F(VersionsCommandTest, AFailedRestoreSaysWhyAndWhetherTheDiaryWasReplaced) {
    for (const unsigned op : {platform::FaultEnv::kOpenWrite, platform::FaultEnv::kWrite}) {
        fs::remove(kept_);
        faults_.FailNth(1, op, ENOSPC);
        const ToolRun run = RunTool({"restore", second_, "--yes"});
        EXPECT_EQ(run.status, tool::kExitFileError);
        EXPECT_THAT(run.err, StartsWith("jotwel-tool: restore: "));
        EXPECT_THAT(run.err, HasSubstr(std::strerror(ENOSPC)));
        EXPECT_THAT(run.err, EndsWith("Nothing restored.\n"));
        EXPECT_THAT(run.out, EndsWith("kept as the version Jotwel-2020-06-15-120000-2.dat.\n"));
        EXPECT_EQ(Diary(), now_);
    }
    // Syncs: the versions folder after the version's link, the diary's
    // copy, then the data folder after the rename.
    faults_.FailNth(3, platform::FaultEnv::kSync | platform::FaultEnv::kSyncDir, EIO);
    const ToolRun run = RunTool({"restore", second_, "--yes"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.out, StartsWith("Restored "));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("Nothing restored")));
    EXPECT_NE(Diary(), now_);
}

}  // namespace
}  // namespace jtest
