// restore into a folder whose diary is gone: the version comes back, and the
// output says there was no diary to keep rather than naming a kept version.
#include <cstdio>

#include "ToolTest.h"
#include "store/Versions.h"

namespace jtest {
namespace {

class RestoreWithoutDiaryTest : public ToolTest {};

TEST_F(RestoreWithoutDiaryTest, SaysThereWasNoDiaryToKeep) {
    const std::string bytes = Bytes(SampleDiary());
    PutDiaryBytes(bytes);
    std::string made;
    ASSERT_TRUE(
        store::KeepVersionBeforeChange(TestDir(), store::DiaryChange::kDeletion, &made).ok());
    const std::string diary = store::DiaryPath(TestDir());
    ASSERT_EQ(std::remove(diary.c_str()), 0);

    const ToolRun run = RunTool({"restore", made, "--yes"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Restored " + diary + " from the version " + made +
                           ".\nThere was no diary to keep as a version.\n");
    EXPECT_EQ(ReadFileBytes(diary), bytes);
}

}  // namespace
}  // namespace jtest
