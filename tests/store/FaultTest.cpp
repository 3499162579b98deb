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

void SweepFaults(std::size_t scenario, const std::optional<std::string>& before,
                 const Change& change, int errorNumber) {
    Start(before);
    ASSERT_TRUE(change().ok()) << scenario;
    const std::optional<std::string> after = DiaryBytes();
    FaultEnv env(platform::Env::Default());
    platform::ScopedEnv scoped(&env);
    for (int n = 1;; ++n) {
        SCOPED_TRACE("scenario " + std::to_string(scenario) + ", operation " + std::to_string(n) +
                     " failing");
        Start(before);
        env.FailNth(n, FaultEnv::kAll, errorNumber);
        const platform::Status status = change();
        if (!env.fired()) {
            EXPECT_TRUE(status.ok() && DiaryIs(after)) << status.message();
            EXPECT_GT(n, 4);
            return;
        }
        EXPECT_EQ(status.code(), errorNumber);
        EXPECT_TRUE(DiaryIs(before) || DiaryIs(after));
        EXPECT_FALSE(HoldExists());
    }
}

platform::Status AddKey99(const Records& current, Records* next) {
    *next = current;
    next->push_back(Rec(99));
    return {};
}

TEST(StoreFaults, EveryFailingOperationLeavesOldOrNewAndIsReported) {
    const std::string three = Encoded(RecsWithKeys({10, 30, 25}));
    std::string many;  // several chunks, so that reads and writes repeat
    for (std::int32_t key = 0; key < 400; ++key) many += Encoded({Rec(key)});
    const std::string dir = DataDir();
    const std::pair<std::optional<std::string>, Change> scenarios[] = {
        {many, [&] { return InsertRecordInOrder(dir, Rec(5)); }},
        {many, [&] { return InsertRecordInOrder(dir, Rec(400)); }},
        {std::nullopt, [&] { return InsertRecordInOrder(dir, Rec(20)); }},
        {three,
         [&] {
             return DeleteRecordAt(dir, {1, Rec(30, "key 30")});
         }},
        {three, [&] { return AppendRecord(dir, Rec(1)); }},
        {std::nullopt, [&] { return AppendRecord(dir, Rec(1)); }},
        {three + "frag", [&] { return AppendRecord(dir, Rec(1)); }},
        {many,
         [&] {
             return ReplaceRecordAt(dir, {200, Rec(200)}, Rec(200, "x"));
         }},
        {three, [&] { return RewriteDiary(dir, AddKey99); }},
    };
    for (std::size_t i = 0; i < std::size(scenarios); ++i) {
        for (int errorNumber : {EIO, ENOSPC}) {
            SweepFaults(i, scenarios[i].first, scenarios[i].second, errorNumber);
        }
    }
}

// A diary that cannot be opened or read is reported, never taken as empty.
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
