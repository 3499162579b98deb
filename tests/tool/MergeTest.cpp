// merge: the rules of folding two copies of a diary together, and the
// command on real diaries that share, differ and conflict, or are damaged.
#include <filesystem>

#include "ToolTest.h"
#include "store/Versions.h"
#include "tool/Merge.h"

namespace jtest {
namespace {

using Records = std::vector<store::TEntryRecord>;

const auto kA = store::MakeTextEntryRecord("a", "", 1, On("01/03/14"));
const auto kB = store::MakeTextEntryRecord("b", "", 2, On("02/03/14"));
const auto kC = store::MakeTextEntryRecord("c", "", 3, On("03/03/14"));
const auto kD = store::MakeTextEntryRecord("d", "", 4, On("04/03/14"));
const auto kB2 = store::MakeTextEntryRecord("b, as changed elsewhere", "", 2, On("02/03/14"));
const auto kX = store::MakeButtonEntryRecord({"S", "W", "F", "M", "A", "R"}, {1, -1, 2, 3, 4, 5},
                                             On("01/03/14", 20));
const auto kY = store::MakeButtonEntryRecord({"S", "W", "F", "M", "A", "R"}, {5, 5, 5, 5, 5, -1},
                                             On("03/03/14", 20));

TEST(PlanMerge, KeepsEveryRecordOfBothOnceEachInDiaryOrder) {
    const struct {
        const char* name;
        Records mine, other, merged, added, onlyMine;
        std::size_t differing;
    } cases[] = {
        {.name = "the same",
         .mine = {kA, kB, kX},
         .other = {kA, kB, kX},
         .merged = {kA, kB, kX},
         .added = {},
         .onlyMine = {},
         .differing = 0},
        {.name = "the other has more",
         .mine = {kA, kX},
         .other = {kA, kC, kX, kY},
         .merged = {kA, kC, kX, kY},
         .added = {kC, kY},
         .onlyMine = {},
         .differing = 0},
        {.name = "each has its own",
         .mine = {kA, kC, kY},
         .other = {kB, kD, kX},
         .merged = {kA, kB, kC, kD, kX, kY},
         .added = {kB, kD, kX},
         .onlyMine = {kA, kC, kY},
         .differing = 0},
        {.name = "a conflict: both kept",
         .mine = {kA, kB},
         .other = {kA, kB2},
         .merged = {kA, kB, kB2},
         .added = {kB2},
         .onlyMine = {kB},
         .differing = 1},
        {.name = "out of order mended",
         .mine = {kC, kA, kY},
         .other = {kB},
         .merged = {kA, kB, kC, kY},
         .added = {kB},
         .onlyMine = {kC, kA, kY},
         .differing = 0},
        {.name = "a double entry stays double",
         .mine = {kA, kA},
         .other = {kA},
         .merged = {kA, kA},
         .added = {},
         .onlyMine = {kA},
         .differing = 0},
        {.name = "into an empty diary",
         .mine = {},
         .other = {kX, kB},
         .merged = {kB, kX},
         .added = {kX, kB},
         .onlyMine = {},
         .differing = 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const tool::MergePlan plan = tool::PlanMerge(c.mine, c.other);
        EXPECT_EQ(plan.merged, c.merged);
        EXPECT_EQ(plan.added, c.added);
        EXPECT_EQ(plan.onlyMine, c.onlyMine);
        EXPECT_EQ(plan.differing.size(), c.differing);
    }
}

class MergeTest : public ToolTest {
protected:
    void SetUp() override {
        PutDiaryBytes(Bytes({kA, kB, kX}));
        WriteFileBytes(InTestDir("other.dat"), Bytes({kA, kB2, kD, kY}));
    }
    std::string Diary() { return ReadFileBytes(store::DiaryPath(TestDir())); }
    std::size_t Versions() {
        std::vector<store::DiaryVersion> versions;
        EXPECT_TRUE(store::ListVersions(TestDir(), &versions).ok());
        return versions.size();
    }
};

TEST_F(MergeTest, FoldsTheOtherInAfterKeepingAVersionAndTellsWhat) {
    const ToolRun run = RunTool({"merge", "other.dat"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Diary(), Bytes({kA, kB, kB2, kD, kX, kY}));
    EXPECT_EQ(Versions(), 1u);
    for (const char* said :
         {"Added 3 entries from other.dat:\n  02/03/14 @ 12:00:00  score 2: b, as changed",
          "  03/03/14  button entry: S = 5 : W = 5", "Only in this diary: 2 entries:\n",
          "Entries of the same time that differ (both are kept): 1\n", "In both: 1 entry.\n",
          "kept as the version Jotwel-"}) {
        EXPECT_NE(run.out.find(said), std::string::npos) << said << "\n" << run.out;
    }
    // Merging again adds nothing and changes nothing.
    const ToolRun again = RunTool({"merge", "other.dat"});
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("Nothing to add: the diary is unchanged."), std::string::npos);
    EXPECT_EQ(Diary(), Bytes({kA, kB, kB2, kD, kX, kY}));
}

TEST_F(MergeTest, ADryRunTellsAndChangesNothing) {
    const std::string before = Diary();
    const ToolRun run = RunTool({"merge", "other.dat", "--dry-run"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Would add 3 entries"), std::string::npos) << run.out;
    EXPECT_EQ(Diary(), before);
    EXPECT_EQ(Versions(), 0u);
}

TEST_F(MergeTest, ADamagedOrForeignFileIsRefusedAndNothingChanges) {
    const std::string before = Diary();
    const struct {
        const char* name;
        std::string bytes;
        const char* why;
    } cases[] = {
        {.name = "cut short",
         .bytes = Bytes({kA, kD}).substr(0, 700),
         .why = "is not a whole number of 534-byte records"},
        {.name = "a text file",
         .bytes = std::string(store::RecordSize * 2, 'x'),
         .why = "whose text or stamp has no end"},
        {.name = "dates of no diary",
         .bytes = Bytes({store::MakeTextEntryRecord("old", "", 1, 100)}),
         .why = "dated outside 2005 to 2038"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(InTestDir("other.dat"), c.bytes);
        const ToolRun run = RunTool({"merge", "other.dat"});
        EXPECT_EQ(run.status, tool::kExitFileError);
        EXPECT_NE(run.err.find(c.why), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Nothing merged."), std::string::npos) << run.err;
        EXPECT_EQ(Diary(), before);
        EXPECT_EQ(Versions(), 0u);
    }
    EXPECT_EQ(RunTool({"merge", "missing.dat"}).status, tool::kExitUserError);
    EXPECT_EQ(RunTool({"merge", "Jotwel.dat"}).status, tool::kExitUserError);
}

}  // namespace
}  // namespace jtest
