// Every failure a full, broken or read-only disk can cause, injected through
// platform::FaultEnv.
//
// Method: each change to the diary is first run without faults to learn the
// new content. Then, from the same starting files, it is run again with the
// N-th file operation failing, for N = 1, 2, ... until a run completes
// without reaching the fault. After every failed run the operation must have
// said so, the diary must be byte-for-byte the old or the complete new one
// (or absent, if it was), and no hold file may be left.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>

#include "StoreFixture.h"
#include "store/ListingLine.h"
#include "store/Replace.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

using namespace storetest;
using platform::FaultEnv;
using Change = std::function<platform::Status()>;

void Start(const std::optional<std::string>& diary) {
    std::remove(DiaryPath(DataDir()).c_str());
    if (diary) jtest::WriteFileBytes(DiaryPath(DataDir()), *diary);
}

void SweepFaults(const char* name, const std::optional<std::string>& before, const Change& change,
                 int errorNumber) {
    Start(before);
    ASSERT_TRUE(change().ok()) << name;
    const std::optional<std::string> after = DiaryBytes();
    FaultEnv env(platform::Env::Default());
    platform::ScopedEnv scoped(&env);
    for (int n = 1;; ++n) {
        Start(before);
        env.FailNth(n, FaultEnv::kAll, errorNumber);
        const platform::Status status = change();
        if (!env.fired()) {
            EXPECT_TRUE(status.ok() && DiaryIs(after)) << name << " " << status.message();
            EXPECT_GT(n, 4) << name;
            return;
        }
        EXPECT_EQ(status.code(), errorNumber) << name << ", operation " << n << " failing";
        EXPECT_TRUE(DiaryIs(before) || DiaryIs(after)) << name << ", operation " << n << " failing";
        EXPECT_FALSE(HoldExists()) << name << ", operation " << n << " failing";
    }
}

TEST(StoreFaults, EveryFailingOperationLeavesOldOrNewAndIsReported) {
    const std::string three = Encoded(RecsWithKeys({10, 30, 25}));
    std::string many;  // several chunks, so that reads and writes repeat
    for (std::int32_t key = 0; key < 400; ++key) many += Encoded({Rec(key)});
    const struct {
        const char* name;
        std::optional<std::string> diary;
        Change change;
    } scenarios[] = {
        {.name = "insert into many",
         .diary = many,
         .change = [] { return InsertRecordInOrder(DataDir(), Rec(5)); }},
        {.name = "insert at the end of many",
         .diary = many,
         .change = [] { return InsertRecordInOrder(DataDir(), Rec(400)); }},
        {.name = "insert into absent",
         .diary = std::nullopt,
         .change = [] { return InsertRecordInOrder(DataDir(), Rec(20)); }},
        {.name = "delete",
         .diary = three,
         .change =
             [] {
                 return DeleteRecordAt(DataDir(), {1, RecsWithKeys({30})[0]});
             }},
        {.name = "append",
         .diary = three,
         .change = [] { return AppendRecord(DataDir(), Rec(1)); }},
        {.name = "append to absent",
         .diary = std::nullopt,
         .change = [] { return AppendRecord(DataDir(), Rec(1)); }},
        {.name = "append after fragment",
         .diary = three + "frag",
         .change = [] { return AppendRecord(DataDir(), Rec(1)); }},
        {.name = "replace",
         .diary = many,
         .change =
             [] {
                 return ReplaceRecordAt(DataDir(), {200, Rec(200)}, Rec(200, "edited"));
             }},
        {.name = "rewrite",
         .diary = three,
         .change =
             [] {
                 return RewriteDiary(DataDir(), [](const Records& current, Records* next) {
                     *next = current;
                     next->push_back(Rec(99));
                     return platform::Status::Ok();
                 });
             }},
    };
    for (const auto& s : scenarios) {
        for (int errorNumber : {EIO, ENOSPC}) SweepFaults(s.name, s.diary, s.change, errorNumber);
    }
}

// A diary that cannot be opened or read is reported, never taken as empty.
// The changes meet the same faults in the sweep above.
TEST(StoreFaults, AReaderReportsAnUnreadableDiary) {
    PutDiary(RecsWithKeys({10, 30}));
    FaultEnv env(platform::Env::Default());
    platform::ScopedEnv scoped(&env);
    for (FaultEnv::Op op : {FaultEnv::kOpenRead, FaultEnv::kRead}) {
        env.FailNth(1, op, EACCES);
        std::unique_ptr<DiaryReader> reader = OpenDiaryForReading(DataDir());
        TEntryRecord record;
        EXPECT_FALSE(ReadNextRecord(*reader, &record)) << op;
        EXPECT_EQ(reader->status().code(), EACCES) << op;
    }
}

}  // namespace
}  // namespace store
