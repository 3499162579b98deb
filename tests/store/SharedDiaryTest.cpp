// Two copies of the program changing one diary at once.
//
// Method: two forked writers save text entries (insertions), button entries
// (appends) and deletions of their own entries against one diary, while a
// file layer pauses inside every write and rename, so that without the lock
// one writer's rebuild would read the diary before the other's rename and
// write it back without the other's change. Each writer checks its own
// entries after every change; at the end the diary must hold exactly the
// entries both kept.
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

using namespace storetest;

constexpr int kRounds = 80;

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
// Every third text entry is deleted again.
std::int32_t KeyOf(int writer, int round, int kind) {
    return 1'400'000'000 + writer * 100'000 + round * 10 + kind;
}

std::set<std::int32_t> KeysInDiary() {
    const std::vector<std::int32_t> keys = Keys(ReadAll());
    return {keys.begin(), keys.end()};
}

// One writer's rounds; the exit status says what went wrong.
int RunWriter(int writer) {
    PausingEnv pausing;
    platform::ScopedEnv scoped(&pausing);
    std::set<std::int32_t> mine;
    for (int round = 0; round < kRounds; ++round) {
        const TEntryRecord text = Rec(KeyOf(writer, round, 0), "text");
        if (!InsertRecordInOrder(DataDir(), text).ok()) return 2;
        if (!AppendRecord(DataDir(), Rec(KeyOf(writer, round, 1))).ok()) return 3;
        mine.insert({KeyOf(writer, round, 0), KeyOf(writer, round, 1)});
        // The other writer may move the entry between the look-up and the
        // deletion: then the deletion is refused and made again.
        platform::Status deleted = platform::Status::Error(0, "not yet");
        for (int tries = 0; round % 3 == 0 && !deleted.ok() && tries < 100; ++tries) {
            const Records all = ReadAll();
            const auto at = std::find(all.begin(), all.end(), text);
            if (at == all.end()) return 4;
            VersionRequest version(DiaryChange::kDeletion);
            deleted = DeleteRecordAt(DataDir(), {at - all.begin(), text}, nullptr, &version);
        }
        if (round % 3 == 0 && !deleted.ok()) return 5;
        if (deleted.ok()) mine.erase(text.Key);
        const std::set<std::int32_t> now = KeysInDiary();
        if (!std::includes(now.begin(), now.end(), mine.begin(), mine.end())) return 6;
    }
    return 0;
}

TEST(SharedDiary, TwoWritersAtOnceLoseNothing) {
    platform::SetLockWaitLimitMs(120'000);
    std::vector<pid_t> writers;
    for (int writer = 0; writer < 2; ++writer) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) ::_exit(RunWriter(writer));
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    platform::SetLockWaitLimitMs(5000);
    std::set<std::int32_t> expected;
    for (int writer = 0; writer < 2; ++writer) {
        for (int round = 0; round < kRounds; ++round) {
            if (round % 3 != 0) expected.insert(KeyOf(writer, round, 0));
            expected.insert(KeyOf(writer, round, 1));
        }
    }
    EXPECT_EQ(ReadAll().size(), expected.size());
    EXPECT_EQ(KeysInDiary(), expected);
    EXPECT_TRUE(jtest::TemporaryFilesIn(DataDir()).empty());
}

// While another process holds the lock a change waits its short while and
// then says the diary is busy, changing nothing; a holder killed outright
// leaves the lock free. A change inside a change (a version kept inside a
// rebuild) takes the lock its own process holds.
TEST(SharedDiary, TheLockIsHeldPerProcessAndDiesWithIt) {
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
    EXPECT_FALSE(DiaryBytes());
    ASSERT_EQ(::kill(holder, SIGKILL), 0);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    ::close(ready[0]);
    ::close(ready[1]);

    std::unique_ptr<platform::FileLock> outer;
    ASSERT_TRUE(LockDiary(DataDir(), &outer).ok());
    VersionRequest version;
    EXPECT_TRUE(AppendRecord(DataDir(), Rec(1, "a"), nullptr, &version).ok());
    EXPECT_TRUE(InsertRecordInOrder(DataDir(), Rec(0, "b"), nullptr, &version).ok());
    EXPECT_EQ(ReadAll().size(), 2u);
    platform::SetLockWaitLimitMs(5000);
}

}  // namespace
}  // namespace store
