// merge: the rules of folding two copies of a diary together, and the
// command on real diaries that share, differ and conflict, or are damaged.
#include "ToolTest.h"
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

// Every record of both once each, in diary order; a conflict keeps both.
TEST(PlanMerge, KeepsEveryRecordOfBothOnceEachInDiaryOrder) {
    const struct {
        Records mine, other, merged, added = {}, onlyMine = {};
        std::size_t differing = 0;
    } cases[] = {
        {.mine = {kA, kB, kX}, .other = {kA, kB, kX}, .merged = {kA, kB, kX}},
        {.mine = {kA, kX},
         .other = {kA, kC, kX, kY},
         .merged = {kA, kC, kX, kY},
         .added = {kC, kY}},
        {.mine = {kA, kB},
         .other = {kA, kB2},
         .merged = {kA, kB, kB2},
         .added = {kB2},
         .onlyMine = {kB},
         .differing = 1},
        // Out of order mended; a double entry stays double.
        {.mine = {kC, kA, kY},
         .other = {kB},
         .merged = {kA, kB, kC, kY},
         .added = {kB},
         .onlyMine = {kC, kA, kY}},
        {.mine = {kA, kA}, .other = {kA}, .merged = {kA, kA}, .onlyMine = {kA}},
        {.mine = {}, .other = {kX, kB}, .merged = {kB, kX}, .added = {kX, kB}},
    };
    for (const auto& c : cases) {
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
        PutDiary(before_);
        WriteFileBytes(InTestDir("other.dat"), Bytes({kA, kB2, kD, kY}));
    }
    const std::string before_ = Bytes({kA, kB, kX});
};

TEST_F(MergeTest, FoldsTheOtherInAfterKeepingAVersionAndTellsWhat) {
    const std::string dry = Out({"merge", "other.dat", "--dry-run"});
    EXPECT_THAT(dry, HasSubstr("Would add 3 entries"));
    EXPECT_EQ(Diary(), before_);
    EXPECT_EQ(VersionCount(), 0u);

    const std::string run = Out({"merge", "other.dat"});
    EXPECT_EQ(Diary(), Bytes({kA, kB, kB2, kD, kX, kY}));
    EXPECT_EQ(VersionCount(), 1u);
    for (const char* said :
         {"Added 3 entries from other.dat:\n  02/03/14 @ 12:00:00  score 2: b, as changed",
          "  03/03/14  button entry: S = 5 : W = 5", "Only in this diary: 2 entries:\n",
          "Entries of the same time that differ (both are kept): 1\n", "In both: 1 entry.\n",
          "kept as the version Jotwel-"}) {
        EXPECT_THAT(run, HasSubstr(said));
    }
    // Merging again adds nothing and changes nothing.
    EXPECT_THAT(RunTool({"merge", "other.dat"}).out,
                HasSubstr("Nothing to add: the diary is unchanged."));
    EXPECT_EQ(Diary(), Bytes({kA, kB, kB2, kD, kX, kY}));
}

TEST_F(MergeTest, ADamagedOrForeignFileIsRefusedAndNothingChanges) {
    const struct {
        std::string bytes;
        const char* why;
    } cases[] = {
        {.bytes = Bytes({kA, kD}).substr(0, 700), .why = "is not a whole number of 534-byte"},
        {.bytes = std::string(store::RecordSize * 2, 'x'), .why = "whose text or stamp has no end"},
        {.bytes = Bytes({store::MakeTextEntryRecord("old", "", 1, 100)}), .why = "dated outside"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(InTestDir("other.dat"), c.bytes);
        const ToolRun run = RunTool({"merge", "other.dat"});
        EXPECT_EQ(run.status, tool::kExitFileError);
        EXPECT_THAT(run.err, HasSubstr(c.why));
        EXPECT_THAT(run.err, HasSubstr("Nothing merged."));
        EXPECT_EQ(Diary(), before_);
        EXPECT_EQ(VersionCount(), 0u);
    }
}

}  // namespace
}  // namespace jtest
