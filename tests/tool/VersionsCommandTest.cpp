// versions and restore: the kept versions listed oldest first, and one put
// back only after a yes, with the diary as it was kept first.
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ToolTest.h"
#include "store/Versions.h"

namespace jtest {
namespace {

class VersionsCommandTest : public ToolTest {
protected:
    // Two versions: the sample diary kept on 14/06/20 at 09:00, its first
    // two entries kept today at 12:00; the diary now holds one entry.
    void SetUp() override {
        const auto sample = SampleDiary();
        Keep(Bytes(sample), On("14/06/20", 9));
        Keep(Bytes({sample[0], sample[1]}), On("15/06/20"));
        PutDiaryBytes(Bytes({sample[2]}));
    }
    void Keep(const std::string& bytes, dates::Instant at) {
        PutDiaryBytes(bytes);
        clock_.SetNow(at);
        std::string made;
        ASSERT_TRUE(
            store::KeepVersionBeforeChange(TestDir(), store::DiaryChange::kDeletion, &made).ok());
        ASSERT_FALSE(made.empty());
    }
    std::string Diary() const { return ReadFileBytes(store::DiaryPath(TestDir())); }

    const std::string first_ = "Jotwel-2020-06-14-090000.dat";
    const std::string second_ = "Jotwel-2020-06-15-120000.dat";
};

TEST_F(VersionsCommandTest, ListsTheVersionsOldestFirstWithTheirEntries) {
    const ToolRun run = RunTool({"versions"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Versions kept in " + store::VersionsPath(TestDir()) + ", oldest first:\n" +
                           first_ + "  2020-06-14 09:00:00  2136 bytes  4 entries\n" + second_ +
                           "  2020-06-15 12:00:00  1068 bytes  2 entries\n");
}

TEST_F(VersionsCommandTest, RestoresOnlyAfterYes) {
    const std::string diaryBefore = Diary();
    const std::string question = "Replace " + store::DiaryPath(TestDir()) + " with the version " +
                                 first_ + "? The diary as it is now is kept as a version first. " +
                                 "[y/N] ";
    for (const std::string answer : {"", "\n", "n\n", "yess\n"}) {
        const ToolRun run = RunTool({"restore", first_}, answer);
        EXPECT_EQ(run.status, tool::kExitUserError);
        EXPECT_EQ(run.err, question + "Nothing restored.\n");
        EXPECT_EQ(Diary(), diaryBefore);
    }
    ToolRun run = RunTool({"restore", "Jotwel-2001-01-01-000000.dat", "--yes"});
    EXPECT_EQ(run.status, tool::kExitUserError);
    EXPECT_EQ(run.err, "jotwel-tool: Jotwel-2001-01-01-000000.dat: no such version in " +
                           store::VersionsPath(TestDir()) + " (jotwel-tool versions lists them)\n");

    run = RunTool({"restore", first_}, " Yes \n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Restored " + store::DiaryPath(TestDir()) + " from the version " + first_ +
                           ".\nThe diary as it was is kept as the version "
                           "Jotwel-2020-06-15-120000-2.dat.\n");
    EXPECT_EQ(Diary(), Bytes(SampleDiary()));
    EXPECT_EQ(ReadFileBytes(store::VersionsPath(TestDir()) + "/Jotwel-2020-06-15-120000-2.dat"),
              diaryBefore);
}

// Failing while keeping the diary as a version, or while copying the
// version in: the diary stays, and the output says where the diary as it
// was is kept when it was. Failing once the copy is in place (the folder's
// sync): the output says it was restored, and the failure is still told.
TEST_F(VersionsCommandTest, AFailedRestoreSaysWhyAndWhetherTheDiaryWasReplaced) {
    const std::string diaryBefore = Diary();
    const struct {
        int n;
        unsigned ops;
        int error;
        bool versionKept;
    } failures[] = {
        // Creating the copy of the version, or writing it: the diary as it
        // was is kept by then (a second name of its file costs no write).
        {.n = 1, .ops = platform::FaultEnv::kOpenWrite, .error = EACCES, .versionKept = true},
        {.n = 1, .ops = platform::FaultEnv::kWrite, .error = ENOSPC, .versionKept = true},
    };
    for (const auto& failure : failures) {
        std::filesystem::remove(store::VersionsPath(TestDir()) + "/Jotwel-2020-06-15-120000-2.dat");
        faults_.FailNth(failure.n, failure.ops, failure.error);
        const ToolRun run = RunTool({"restore", second_, "--yes"});
        EXPECT_EQ(run.status, tool::kExitFileError);
        EXPECT_EQ(run.err.rfind("jotwel-tool: restore: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(std::strerror(failure.error)), std::string::npos) << run.err;
        EXPECT_TRUE(run.err.ends_with("Nothing restored.\n")) << run.err;
        EXPECT_EQ(run.out.ends_with("kept as the version Jotwel-2020-06-15-120000-2.dat.\n"),
                  failure.versionKept)
            << run.out;
        EXPECT_EQ(Diary(), diaryBefore);
    }
    // Syncs: the versions folder after the version's link, the diary's
    // copy, then the data folder after the rename.
    faults_.FailNth(3, platform::FaultEnv::kSync | platform::FaultEnv::kSyncDir, EIO);
    const ToolRun run = RunTool({"restore", second_, "--yes"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.out.rfind("Restored ", 0), 0u) << run.out;
    EXPECT_EQ(run.err.find("Nothing restored"), std::string::npos) << run.err;
    EXPECT_NE(Diary(), diaryBefore);
}

}  // namespace
}  // namespace jtest
