// Reading and changing the diary on real files, and every failure a full,
// broken or read-only disk can cause there, injected through FaultEnv.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "StoreFixture.h"
#include "store/Replace.h"
#include "store/Versions.h"
#include "support/env/FaultEnv.h"

namespace store {
namespace {

using namespace storetest;
using platform::FaultEnv;
using Change = std::function<platform::Status()>;

// The new record goes before the first record of greater Key in file order
// (button entries may stand out of order), after equal keys.
TEST(InsertRecordInOrder, PlacesBeforeTheFirstGreaterKey) {
    const std::vector<std::int32_t> cases[] = {{}, {10, 40, 25}, {10, 30, 40}, {10, 20, 30}};
    for (const std::vector<std::int32_t>& keys : cases) {
        std::remove(DiaryPath(DataDir()).c_str());
        Records expected = RecsWithKeys(keys);
        if (!keys.empty()) PutDiary(expected);
        const TEntryRecord made = Rec(30, "new");
        const auto greater = [&](const TEntryRecord& r) { return r.Key > made.Key; };
        expected.insert(std::find_if(expected.begin(), expected.end(), greater), made);
        bool inPlace = false;
        ASSERT_TRUE(InsertRecordInOrder(DataDir(), made, &inPlace).ok());
        EXPECT_TRUE(inPlace);
        EXPECT_TRUE(DiaryIs(DiaryOf(expected))) << keys.size();
        EXPECT_FALSE(HoldExists());
    }
}

// A write cut short while the entry is appended, and the repair failing too
// (a full disk): the old records and at most a fragment remain, which
// reading skips and the next change drops.
TEST(InsertRecordInOrder, ATornAppendLeavesTheOldRecordsAndAFragment) {
    const Records old = RecsWithKeys({10, 20, 30});
    PutDiary(old);
    FaultEnv disk(platform::Env::Default());
    FaultEnv writes(&disk);
    platform::ScopedEnv scoped(&writes);
    writes.FailNth(1, FaultEnv::kWrite, ENOSPC);    // half the record is written
    disk.FailNth(2, FaultEnv::kOpenWrite, ENOSPC);  // the repair's hold file
    bool inPlace = true;
    EXPECT_EQ(InsertRecordInOrder(DataDir(), Rec(40, "new"), &inPlace).code(), ENOSPC);
    EXPECT_FALSE(inPlace);
    EXPECT_TRUE(writes.fired() && disk.fired());
    EXPECT_LT(DiaryBytes().value_or("").size(), 4 * RecordSize);
    EXPECT_EQ(ReadAll(), old);
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(40, "new")).ok());
    EXPECT_TRUE(DiaryIs(DiaryOf({old[0], old[1], old[2], Rec(40, "new")})));
}

TEST(InsertRecordInOrder, CopiesOldRecordsByteForByteAcrossManyChunks) {
    std::string old;  // 700 records, the first with a foreign writer's bytes after its Text
    for (std::int32_t key = 0; key < 1400; key += 2) old += DiaryOf({Rec(key)});
    old.replace(100, 10, "junk-bytes");
    jtest::WriteFileBytes(DiaryPath(DataDir()), old + "fragment");
    jtest::WriteFileBytes(HoldPath(DataDir()), std::string(2000, 'h'));  // left by a crash
    ASSERT_TRUE(InsertRecordInOrder(DataDir(), Rec(501)).ok());
    EXPECT_TRUE(DiaryIs(old.substr(0, 251 * RecordSize) + DiaryOf({Rec(501)}) +
                        old.substr(251 * RecordSize)));
    EXPECT_FALSE(HoldExists());
}

// Only the record at the index goes or changes, and only when it is still
// the one found there: another copy of the program may have changed the
// diary since. A stale location changes nothing.
TEST(DeleteRecordAt, DeletesOrReplacesExactlyTheChosenRecordOrRefusesAStaleLocation) {
    const TEntryRecord a = Rec(10, "a"), b = Rec(20, "b"), c = Rec(30, "c"), twin = Rec(20, "t");
    const struct {
        Records before;
        RecordLocation at;
        std::optional<TEntryRecord> replacement = std::nullopt;
        Records after;
    } cases[] = {
        {.before = {a}, .at = {0, a}, .after = {}},
        {.before = {a, b, twin, c}, .at = {2, twin}, .after = {a, b, c}},
        {.before = {a, b}, .at = {0, b}, .after = {a, b}},
        {.before = {a, b}, .at = {2, b}, .after = {a, b}},
        {.before = {a, b, twin}, .at = {1, b}, .replacement = c, .after = {a, c, twin}},
        {.before = {a, b}, .at = {1, a}, .replacement = c, .after = {a, b}},
    };
    for (const auto& d : cases) {
        PutDiary(d.before);
        bool inPlace = false;
        const platform::Status status =
            d.replacement ? ReplaceRecordAt(DataDir(), d.at, *d.replacement, &inPlace)
                          : DeleteRecordAt(DataDir(), d.at, &inPlace);
        EXPECT_EQ(status.ok(), d.before != d.after) << d.at.index;
        EXPECT_EQ(inPlace, status.ok());
        if (!status.ok()) {
            EXPECT_NE(status.message().find("is no longer where it was"), std::string::npos);
        }
        EXPECT_TRUE(DiaryIs(DiaryOf(d.after))) << d.at.index;
        EXPECT_FALSE(HoldExists());
    }
}

platform::Status AddKey99(const Records& current, Records* next) {
    *next = current;
    next->push_back(Rec(99));
    return {};
}

TEST(RewriteDiary, WritesWhatTheRewriteMakesOfTheRecordsOrNothingWhenItFails) {
    PutDiary(RecsWithKeys({10, 30}), "fragment");
    ASSERT_TRUE(RewriteDiary(DataDir(), AddKey99).ok());
    const Records rewritten = {Rec(10, "key 10"), Rec(30, "key 30"), Rec(99)};
    EXPECT_EQ(ReadAll(), rewritten);
    const platform::Status refused = RewriteDiary(DataDir(), [](const Records&, Records* next) {
        *next = {};
        return platform::Status::Error(0, "no");
    });
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(ReadAll(), rewritten);
    EXPECT_FALSE(HoldExists());
}

// Method: each change is first run without faults to learn the new content,
// then again from the same files with the n-th file operation failing (a
// full disk and a broken one in turn), for n = 1, 2, ... until a run no
// longer reaches the fault. Every failed run must report the failure and
// leave the diary byte for byte old or new (or absent, if it was), no hold
// or temporary file, and only whole versions of the old or new diary.
void Start(const std::optional<std::string>& diary) {
    std::remove(DiaryPath(DataDir()).c_str());
    std::filesystem::remove_all(VersionsPath(DataDir()));
    if (diary) jtest::WriteFileBytes(DiaryPath(DataDir()), *diary);
}

void SweepFaults(std::size_t scenario, const std::optional<std::string>& before,
                 const Change& change) {
    Start(before);
    ASSERT_TRUE(change().ok()) << scenario;
    const std::optional<std::string> after = DiaryBytes();
    const std::string versions = VersionsPath(DataDir());
    FaultEnv env(platform::Env::Default());
    platform::ScopedEnv scoped(&env);
    for (int n = 1;; ++n) {
        SCOPED_TRACE("scenario " + std::to_string(scenario) + ", operation " + std::to_string(n));
        Start(before);
        // A failing link is no failure: a version is copied instead.
        const int error = n % 2 ? ENOSPC : EIO;
        env.FailNth(n, FaultEnv::kAll & ~FaultEnv::kLink, error);
        const platform::Status status = change();
        if (!env.fired()) {
            EXPECT_TRUE(status.ok() && DiaryIs(after)) << status.message();
            EXPECT_GT(n, 4);
            return;
        }
        EXPECT_EQ(status.code(), error);
        EXPECT_TRUE(DiaryIs(before) || DiaryIs(after));
        EXPECT_FALSE(HoldExists());
        EXPECT_TRUE(jtest::TemporaryFilesIn(DataDir()).empty());
        EXPECT_TRUE(jtest::TemporaryFilesIn(versions).empty());
        if (!std::filesystem::exists(versions)) continue;
        for (const auto& file : std::filesystem::directory_iterator(versions)) {
            const std::string bytes = jtest::ReadFileBytes(file.path());
            EXPECT_TRUE(bytes == before || bytes == after) << file.path();
        }
    }
}

// Restores a version holding key 7; says whether the diary holds it.
platform::Status RestoreAVersion() {
    const std::string name = "Jotwel-2014-01-01-000000.dat";
    std::filesystem::create_directories(VersionsPath(DataDir()));
    jtest::WriteFileBytes(VersionsPath(DataDir()) + "/" + name, DiaryOf(RecsWithKeys({7})));
    bool restored = false;
    const platform::Status status = RestoreVersion(DataDir(), name, nullptr, &restored);
    EXPECT_EQ(restored, DiaryIs(DiaryOf(RecsWithKeys({7}))));
    return status;
}

TEST(StoreFaults, EveryFailingOperationLeavesOldOrNewAndIsReported) {
    const std::string three = DiaryOf(RecsWithKeys({10, 30, 25}));
    std::string many;  // several chunks, so that reads and writes repeat
    for (std::int32_t key = 0; key < 400; ++key) many += DiaryOf({Rec(key)});
    const std::string dir = DataDir();
    const std::pair<std::optional<std::string>, Change> scenarios[] = {
        {many, [&] { return InsertRecordInOrder(dir, Rec(5)); }},
        {std::nullopt, [&] { return AppendRecord(dir, Rec(1)); }},
        {three, [&] { return AppendRecord(dir, Rec(1)); }},
        {three,
         [&] {
             return DeleteRecordAt(dir, {1, Rec(30, "key 30")});
         }},
        {three,
         [&] {
             return ReplaceRecordAt(dir, {1, Rec(30, "key 30")}, Rec(30, "x"));
         }},
        {three, [&] { return RewriteDiary(dir, AddKey99); }},
        {three, [&] { return KeepVersionBeforeChange(dir, DiaryChange::kDeletion); }},
        {three, RestoreAVersion},
    };
    for (std::size_t i = 0; i < std::size(scenarios); ++i) {
        SweepFaults(i, scenarios[i].first, scenarios[i].second);
    }
}

// A diary that cannot be opened or read is reported, never taken as empty;
// an absent one is empty, and a trailing fragment is skipped.
TEST(StoreFaults, AReaderReportsAnUnreadableDiary) {
    EXPECT_TRUE(ReadAll().empty());
    PutDiary(RecsWithKeys({10, 30}), "fragment");
    EXPECT_EQ(ReadAll(), RecsWithKeys({10, 30}));
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
