// Two copies of the program changing one diary at once.
//
// Method: the test forks two writer processes. Each saves text entries
// (insertions), button entries (appends) and deletions of its own entries
// against the one diary, round after round, while a file layer in the writer
// pauses inside every write and rename of the rebuild, so that without the
// lock one writer's rebuild would read the diary before the other's rename
// and write it back without the other's change. After every change a writer
// checks that all its own entries are still there; at the end the test
// checks the diary holds exactly the entries both kept. The lock's wait is
// set long, so the outcome never depends on how the two are scheduled.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "StoreFixture.h"
#include "platform/Env.h"
#include "store/DiaryLock.h"

namespace store {
namespace {

using storetest::DataDir;
using storetest::Rec;

constexpr int kRounds = 80;
constexpr int kWriters = 2;

// Pauses a little inside each write and rename, widening every window in
// which another writer could step in.
class PausingEnv : public platform::EnvWrapper {
public:
    PausingEnv() : EnvWrapper(platform::PosixEnv()) {}
    platform::Status RenameFile(const std::string& f, const std::string& t) override {
        Pause();
        return target()->RenameFile(f, t);
    }
    platform::Status NewExclusiveFile(const std::string& p, const platform::NewFileMode& m,
                                      std::unique_ptr<platform::WritableFile>* r) override {
        Pause();
        return target()->NewExclusiveFile(p, m, r);
    }
    platform::Status NewAppendableFile(const std::string& p,
                                       std::unique_ptr<platform::WritableFile>* r) override {
        Pause();
        return target()->NewAppendableFile(p, r);
    }

private:
    static void Pause() { std::this_thread::sleep_for(std::chrono::microseconds(300)); }
};

// Keys no two writers share: writer w, round r, kind k (0 text, 1 button).
std::int32_t KeyOf(int writer, int round, int kind) {
    return 1'400'000'000 + writer * 100'000 + round * 10 + kind;
}

// Text entries deleted again: every third.
bool Deleted(int round) {
    return round % 3 == 0;
}

std::set<std::int32_t> KeysInDiary() {
    std::set<std::int32_t> keys;
    for (const TEntryRecord& record : storetest::ReadAll()) keys.insert(record.Key);
    return keys;
}

// One writer's rounds; the process's exit status says what went wrong.
int RunWriter(int writer) {
    PausingEnv pausing;
    platform::ScopedEnv scoped(&pausing);
    std::set<std::int32_t> mine;
    for (int round = 0; round < kRounds; ++round) {
        const TEntryRecord text = Rec(KeyOf(writer, round, 0), "text");
        const TEntryRecord button = Rec(KeyOf(writer, round, 1), "button");
        if (!InsertRecordInOrder(DataDir(), text).ok()) return 2;
        mine.insert(text.Key);
        if (!AppendRecord(DataDir(), button).ok()) return 3;
        mine.insert(button.Key);
        if (Deleted(round)) {
            const std::vector<TEntryRecord> all = storetest::ReadAll();
            const auto at = std::find(all.begin(), all.end(), text);
            if (at == all.end()) return 4;
            VersionRequest version(DiaryChange::kDeletion);
            const RecordLocation location{at - all.begin(), text};
            // Another writer may have moved it since it was read: look again.
            platform::Status deleted = DeleteRecordAt(DataDir(), location, nullptr, &version);
            for (int tries = 0; !deleted.ok() && tries < 100; ++tries) {
                const std::vector<TEntryRecord> again = storetest::ReadAll();
                const auto moved = std::find(again.begin(), again.end(), text);
                if (moved == again.end()) return 5;
                deleted = DeleteRecordAt(DataDir(), {moved - again.begin(), text});
            }
            if (!deleted.ok()) return 6;
            mine.erase(text.Key);
        }
        const std::set<std::int32_t> now = KeysInDiary();
        if (!std::includes(now.begin(), now.end(), mine.begin(), mine.end())) return 7;
    }
    return 0;
}

TEST(SharedDiary, TwoWritersAtOnceLoseNothing) {
    platform::SetLockWaitLimitMs(120'000);
    std::vector<pid_t> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) ::_exit(RunWriter(writer));
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "writer " << pid << " status " << status;
    }
    platform::SetLockWaitLimitMs(5000);
    std::set<std::int32_t> expected;
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int round = 0; round < kRounds; ++round) {
            if (!Deleted(round)) expected.insert(KeyOf(writer, round, 0));
            expected.insert(KeyOf(writer, round, 1));
        }
    }
    EXPECT_EQ(storetest::ReadAll().size(), expected.size());
    EXPECT_EQ(KeysInDiary(), expected);
    EXPECT_TRUE(jtest::TemporaryFilesIn(DataDir()).empty());
}

// A holder killed outright leaves the lock free: the kernel drops it with
// the process. While it lives, a change waits its short while and then says
// the diary is busy, changing nothing.
TEST(SharedDiary, ALockHolderKilledLeavesTheLockFree) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        std::unique_ptr<platform::FileLock> lock;
        if (!LockDiary(DataDir(), &lock).ok()) ::_exit(1);
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    platform::SetLockWaitLimitMs(100);
    const platform::Status busy = InsertRecordInOrder(DataDir(), Rec(1, "a"));
    EXPECT_NE(busy.message().find("is busy: another copy of Jotwel is changing it"),
              std::string::npos)
        << busy.message();
    EXPECT_FALSE(storetest::DiaryBytes());

    ASSERT_EQ(::kill(holder, SIGKILL), 0);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    EXPECT_TRUE(InsertRecordInOrder(DataDir(), Rec(1, "a")).ok());
    platform::SetLockWaitLimitMs(5000);
    ::close(ready[0]);
    ::close(ready[1]);
}

// A change inside a change (an append undone by a rebuild, a version kept
// inside a rebuild) takes the lock its process already holds.
TEST(SharedDiary, AChangeMayTakeTheLockItAlreadyHolds) {
    std::unique_ptr<platform::FileLock> outer;
    ASSERT_TRUE(LockDiary(DataDir(), &outer).ok());
    VersionRequest version;
    EXPECT_TRUE(AppendRecord(DataDir(), Rec(1, "a"), nullptr, &version).ok());
    EXPECT_TRUE(InsertRecordInOrder(DataDir(), Rec(2, "b"), nullptr, &version).ok());
    EXPECT_EQ(storetest::ReadAll().size(), 2u);
}

}  // namespace
}  // namespace store
