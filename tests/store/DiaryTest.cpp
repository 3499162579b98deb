// Reading, appending, ordered insertion and deletion on real files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "StoreFixture.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

using namespace storetest;

TEST(DiaryReader, ReturnsWholeRecordsInFileOrderAndSkipsATrailingFragment) {
    EXPECT_TRUE(ReadAll().empty());  // absent
    PutDiary(RecsWithKeys({30, 10, 20}), std::string(533, 'z'));
    EXPECT_EQ(ReadAll(), RecsWithKeys({30, 10, 20}));
}

TEST(AppendRecord, AddsAtTheEndWhateverTheKeyAndDropsAFragmentFirst) {
    ASSERT_TRUE(AppendRecord(DataDir(), RecsWithKeys({50})[0]).ok());
    EXPECT_TRUE(DiaryIs(Encoded(RecsWithKeys({50}))));  // a new diary of one record
    ASSERT_TRUE(AppendRecord(DataDir(), RecsWithKeys({10})[0]).ok());
    EXPECT_TRUE(DiaryIs(Encoded(RecsWithKeys({50, 10}))));
    PutDiary(RecsWithKeys({1, 2}), "partial");  // appending after it would misalign the record
    ASSERT_TRUE(AppendRecord(DataDir(), RecsWithKeys({3})[0]).ok());
    EXPECT_TRUE(DiaryIs(Encoded(RecsWithKeys({1, 2, 3}))));
    EXPECT_FALSE(HoldExists());
}

TEST(InsertRecordInOrder, PlacesBeforeTheFirstGreaterKeyInFileOrder) {
    const struct {
        std::vector<std::int32_t> before;
        std::int32_t key;
        std::vector<std::int32_t> after;
        std::size_t newAt;
    } cases[] = {
        {.before = {}, .key = 5, .after = {5}, .newAt = 0},  // absent diary
        {.before = {10, 30, 25},
         .key = 20,
         .after = {10, 20, 30, 25},
         .newAt = 1},  // 25, a button entry, is out of order
        {.before = {10, 30, 40},
         .key = 30,
         .after = {10, 30, 30, 40},
         .newAt = 2},                                                        // after equal keys
        {.before = {10, 20}, .key = 99, .after = {10, 20, 99}, .newAt = 2},  // largest at the end
        {.before = {10, 20}, .key = -7, .after = {-7, 10, 20}, .newAt = 0},
    };
    for (const auto& c : cases) {
        if (!c.before.empty()) PutDiary(RecsWithKeys(c.before));
        ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(c.key, "new")).ok()) << c.key;
        const Records records = ReadAll();
        EXPECT_EQ(Keys(records), c.after);
        EXPECT_EQ(records[c.newAt].Text, "new") << c.key;
        EXPECT_FALSE(HoldExists());
    }
}

// The diary file's inode: an append keeps it, a rebuild renames a new file in.
ino_t DiaryInode() {
    struct stat info {};
    return stat(DiaryPath(DataDir()).c_str(), &info) == 0 ? info.st_ino : 0;
}

// An entry that no record's Key exceeds goes at the end, where it is
// appended in place rather than the diary copied; the bytes are those the
// rebuild writes (old records with the new one before the first greater
// Key), whatever the records' order, fragment or not.
TEST(InsertRecordInOrder, AppendsWhenNoKeyIsGreaterWithTheRebuildsBytes) {
    const struct {
        std::vector<std::int32_t> before;
        std::string tail;
        std::int32_t key;
        bool appended;
    } cases[] = {
        // equal to the last: after it
        {.before = {10, 20, 30}, .tail = "", .key = 30, .appended = true},
        {.before = {10, 20, 30}, .tail = "", .key = 31, .appended = true},
        // the last is smaller, an earlier one greater
        {.before = {10, 40, 25}, .tail = "", .key = 30, .appended = false},
        // out of order, but nothing greater
        {.before = {10, 40, 25}, .tail = "", .key = 40, .appended = true},
        {.before = {10, 20, 30}, .tail = "", .key = 29, .appended = false},
        // the fragment is dropped by a rebuild
        {.before = {10, 20}, .tail = "fragment", .key = 50, .appended = false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Records expected = RecsWithKeys(c.before);
        PutDiary(expected, c.tail);
        const TEntryRecord made = Rec(c.key, "new");
        const auto greater = [&](const TEntryRecord& r) { return r.Key > made.Key; };
        expected.insert(std::find_if(expected.begin(), expected.end(), greater), made);
        const ino_t inode = DiaryInode();
        bool inPlace = false;
        ASSERT_TRUE(InsertRecordInOrder(DataDir(), made, &inPlace).ok());
        EXPECT_TRUE(inPlace);
        EXPECT_TRUE(DiaryIs(Encoded(expected)));
        EXPECT_EQ(DiaryInode() == inode, c.appended);
        EXPECT_FALSE(HoldExists());
    }
}

// A write cut short while the entry is appended, and the repair failing too
// (a full disk): the old records and at most a fragment remain, which
// reading skips and the next change drops.
TEST(InsertRecordInOrder, ATornAppendLeavesTheOldRecordsAndAFragment) {
    const Records old = RecsWithKeys({10, 20, 30});
    PutDiary(old);
    platform::FaultEnv disk(platform::Env::Default());
    platform::FaultEnv writes(&disk);
    {
        platform::ScopedEnv scoped(&writes);
        writes.FailNth(1, platform::FaultEnv::kWrite, ENOSPC);    // half the record is written
        disk.FailNth(2, platform::FaultEnv::kOpenWrite, ENOSPC);  // the repair's hold file
        bool inPlace = true;
        EXPECT_EQ(InsertRecordInOrder(DataDir(), Rec(40, "new"), &inPlace).code(), ENOSPC);
        EXPECT_FALSE(inPlace);
        EXPECT_TRUE(writes.fired() && disk.fired());
    }
    const std::optional<std::string> torn = DiaryBytes();
    ASSERT_TRUE(torn);
    EXPECT_EQ(torn->substr(0, 3 * RecordSize), Encoded(old));
    EXPECT_LT(torn->size(), 4 * RecordSize);
    EXPECT_EQ(ReadAll(), old);
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(40, "new")).ok());
    EXPECT_TRUE(DiaryIs(Encoded({old[0], old[1], old[2], Rec(40, "new")})));
}

TEST(InsertRecordInOrder, CopiesOldRecordsByteForByteAcrossManyChunks) {
    std::string old;  // 700 records, the first with a foreign writer's bytes after its Text
    for (std::int32_t key = 0; key < 1400; key += 2) old += Encoded({Rec(key)});
    old.replace(100, 10, "junk-bytes");
    jtest::WriteFileBytes(DiaryPath(DataDir()), old + "fragment");
    jtest::WriteFileBytes(HoldPath(DataDir()), std::string(2000, 'h'));  // left by a crash
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(501)).ok());
    EXPECT_TRUE(DiaryIs(old.substr(0, 251 * RecordSize) + Encoded({Rec(501)}) +
                        old.substr(251 * RecordSize)));
    EXPECT_FALSE(HoldExists());
}

TEST(DeleteRecordAt, RemovesExactlyTheChosenRecord) {
    const TEntryRecord a = Rec(10, "a"), b = Rec(20, "b"), c = Rec(30, "c"), twin = Rec(20, "twin");
    const struct {
        Records before;
        std::int64_t index;
        Records after;
    } cases[] = {
        {.before = {a, b, c}, .index = 0, .after = {b, c}},
        {.before = {a, b, c}, .index = 2, .after = {a, b}},
        {.before = {a}, .index = 0, .after = {}},
        {.before = {a, b, twin, c},
         .index = 2,
         .after = {a, b, c}},  // the other record of the key stays
    };
    for (const auto& d : cases) {
        PutDiary(d.before);
        ASSERT_TRUE(
            DeleteRecordAt(DataDir(), {d.index, d.before[static_cast<std::size_t>(d.index)]}).ok());
        EXPECT_TRUE(DiaryIs(Encoded(d.after))) << d.index;
        EXPECT_FALSE(HoldExists());
    }
}

TEST(DeleteRecordAt, RefusesAStaleLocationAndChangesNothing) {
    const Records before = {Rec(10, "a"), Rec(20, "b")};
    for (const RecordLocation& stale :
         {RecordLocation{0, Rec(20, "b")}, RecordLocation{2, Rec(20, "b")},
          RecordLocation{-1, Rec(10, "a")}}) {
        PutDiary(before);
        const platform::Status status = DeleteRecordAt(DataDir(), stale);
        EXPECT_NE(status.message().find("no longer"), std::string::npos) << status.message();
        EXPECT_TRUE(DiaryIs(Encoded(before))) << stale.index;
        EXPECT_FALSE(HoldExists());
    }
}

}  // namespace
}  // namespace store
