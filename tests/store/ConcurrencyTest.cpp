// Killing the program at any moment, and two copies of it changing one diary
// at once, leave the diary whole.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "StoreFixture.h"
#include "platform/Env.h"
#include "store/DiaryLock.h"

namespace store {
namespace {

using namespace storetest;

// Change number `step` of a round, applied to the records in memory and,
// when onDisk, to the diary. Every four steps leave the number of records as
// it was: an insertion, a deletion, an append, a deletion.
platform::Status Step(int round, int step, Records* state, bool onDisk) {
    const TEntryRecord made =
        Rec((round * 37 + step * 13) % 500, std::to_string(round * 1000 + step));
    const auto at = static_cast<std::size_t>(round * 7 + step) % state->size();
    if (step % 4 == 0) {
        auto greater = [&](const TEntryRecord& r) { return r.Key > made.Key; };
        state->insert(std::find_if(state->begin(), state->end(), greater), made);
        return onDisk ? InsertRecordInOrder(DataDir(), made) : platform::Status::Ok();
    }
    if (step % 4 == 2) {
        state->push_back(made);
        return onDisk ? AppendRecord(DataDir(), made) : platform::Status::Ok();
    }
    const RecordLocation location{static_cast<std::int64_t>(at), (*state)[at]};
    state->erase(state->begin() + location.index);
    return onDisk ? DeleteRecordAt(DataDir(), location) : platform::Status::Ok();
}

// Starts a child on round, kills it after delay, returns the changes it completed.
int KillDuring(int round, Records state, std::chrono::microseconds delay) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        for (int step = 0;; ++step) {
            if (!Step(round, step, &state, true).ok()) _exit(3);
            if (write(pipeEnds[1], "x", 1) != 1) _exit(4);
        }
    }
    close(pipeEnds[1]);
    usleep(static_cast<useconds_t>(delay.count()));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "child ended by itself with " << WEXITSTATUS(status);
    int done = 0;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        done += static_cast<int>(got);
    close(pipeEnds[0]);
    return done;
}

// A forked child makes changes, writing a byte to a pipe after each, and is
// killed after a random delay: the diary must be the content after the d
// changes done or after d + 1, byte for byte. The next round starts from
// what is left, hold file included.
TEST(StoreCrash, KilledAtAnyMomentTheDiaryIsTheOldOrTheNewContent) {
    Records state;
    for (std::int32_t key = 0; key < 150; ++key) state.push_back(Rec(key * 3, "start"));
    PutDiary(state);
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> delay(0, 12000);
    int changes = 0;
    for (int round = 0; round < 300 && !HasFailure(); ++round) {
        const int done = KillDuring(round, state, std::chrono::microseconds(delay(random)));
        // In memory only: these steps cannot fail.
        for (int step = 0; step < done; ++step) (void)Step(round, step, &state, false);
        Records next = state;
        (void)Step(round, done, &next, false);
        ASSERT_TRUE(DiaryIs(DiaryOf(state)) || DiaryIs(DiaryOf(next)))
            << "round " << round << " after " << done << ": " << DiaryIs(DiaryOf(state)).message();
        const Records onDisk = ReadDiary();
        changes += done + (onDisk == next);
        state = onDisk;
    }
    EXPECT_GT(changes, 30);  // the kills did not all fall before the first change
}

// Pauses before every rename, so that without the lock one writer's rebuild
// would write back the diary without the other's change.
class PausingEnv : public platform::EnvWrapper {
public:
    PausingEnv() : EnvWrapper(platform::PosixEnv()) {}
    platform::Status RenameFile(const std::string& f, const std::string& t) override {
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        return target()->RenameFile(f, t);
    }
};

constexpr int kWriterRounds = 80;

// Keys no two writers share: writer w, round r, kind k (0 text, 1 button).
// Every third text entry is deleted again.
std::int32_t KeyOf(int writer, int round, int kind) {
    return 1'400'000'000 + writer * 100'000 + round * 10 + kind;
}

std::set<std::int32_t> KeysInDiary() {
    const std::vector<std::int32_t> keys = Keys(ReadDiary());
    return {keys.begin(), keys.end()};
}

// One writer's rounds, checking its entries after every change; the exit
// status says what went wrong.
int RunWriter(int writer) {
    PausingEnv pausing;
    platform::ScopedEnv scoped(&pausing);
    std::set<std::int32_t> mine;
    for (int round = 0; round < kWriterRounds; ++round) {
        const TEntryRecord text = Rec(KeyOf(writer, round, 0), "text");
        if (!InsertRecordInOrder(DataDir(), text).ok()) return 2;
        if (!AppendRecord(DataDir(), Rec(KeyOf(writer, round, 1))).ok()) return 3;
        mine.insert({KeyOf(writer, round, 0), KeyOf(writer, round, 1)});
        // The other writer may move the entry between the look-up and the
        // deletion: then the deletion is refused and made again.
        platform::Status deleted = platform::Status::Error(0, "not yet");
        for (int tries = 0; round % 3 == 0 && !deleted.ok() && tries < 100; ++tries) {
            const Records all = ReadDiary();
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

// Forks a child running `run` and returns its pid.
template <typename Run>
pid_t Fork(Run run) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(run());
    EXPECT_GE(pid, 0);
    return pid;
}

TEST(SharedDiary, TwoWritersAtOnceLoseNothing) {
    platform::SetLockWaitLimitMs(120'000);
    const pid_t writers[] = {Fork([] { return RunWriter(0); }), Fork([] { return RunWriter(1); })};
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    platform::SetLockWaitLimitMs(5000);
    std::set<std::int32_t> expected;
    for (int writer = 0; writer < 2; ++writer) {
        for (int round = 0; round < kWriterRounds; ++round) {
            if (round % 3 != 0) expected.insert(KeyOf(writer, round, 0));
            expected.insert(KeyOf(writer, round, 1));
        }
    }
    EXPECT_EQ(ReadDiary().size(), expected.size());
    EXPECT_EQ(KeysInDiary(), expected);
    EXPECT_TRUE(jtest::TemporaryFilesIn(DataDir()).empty());
}

// While another copy holds the lock (on its own open of the lock file) a
// change waits its short while, then says the diary is busy and changes
// nothing; once that copy lets go, the change goes through.
TEST(SharedDiary, AChangeWhileAnotherCopyHoldsTheLockSaysTheDiaryIsBusy) {
    const std::string lockFile = platform::JoinPath(DataDir(), kLockFileName);
    const int other = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    platform::SetLockWaitLimitMs(100);
    const platform::Status busy = InsertRecordInOrder(DataDir(), Rec(1, "a"));
    platform::SetLockWaitLimitMs(5000);
    EXPECT_NE(busy.message().find("is busy: another copy of Jotwel is changing it"),
              std::string::npos)
        << busy.message();
    EXPECT_FALSE(DiaryBytes());
    ::close(other);
    EXPECT_TRUE(InsertRecordInOrder(DataDir(), Rec(1, "a")).ok());
}

}  // namespace
}  // namespace store
