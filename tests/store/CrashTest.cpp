// Killing the program at any moment leaves the diary whole.
//
// Method: a forked child applies a fixed sequence of changes (ordered
// insertions, appends and deletions) to the diary and writes one byte to a
// pipe after each change has returned. The parent kills it with SIGKILL after
// a random delay and counts the bytes: d changes were complete. The parent
// works out in memory the content each change produces, so the diary must
// now hold, byte for byte, exactly the content after d changes or after
// d + 1 (the change in flight): no fragment of an append, no half rebuild.
// The next round starts from whatever the diary holds, including any hold
// file the kill left behind, which the next change must write over.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "StoreFixture.h"

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

[[noreturn]] void RunChild(int round, Records state, int progress) {
    for (int step = 0;; ++step) {
        if (!Step(round, step, &state, true).ok()) _exit(3);
        if (write(progress, "x", 1) != 1) _exit(4);
    }
}

// Starts a child on round, kills it after delay, returns the changes it completed.
int KillDuring(int round, const Records& state, std::chrono::microseconds delay) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        RunChild(round, state, pipeEnds[1]);
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

constexpr int kRounds = 300;  // one kill each

TEST(StoreCrash, KilledAtAnyMomentTheDiaryIsTheOldOrTheNewContent) {
    Records state;
    for (std::int32_t key = 0; key < 150; ++key) state.push_back(Rec(key * 3, "start"));
    PutDiary(state);
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> delay(0, 12000);
    int changes = 0;
    for (int round = 0; round < kRounds && !HasFailure(); ++round) {
        const int done = KillDuring(round, state, std::chrono::microseconds(delay(random)));
        // In memory only: these steps cannot fail.
        for (int step = 0; step < done; ++step) (void)Step(round, step, &state, false);
        Records next = state;
        (void)Step(round, done, &next, false);
        ASSERT_TRUE(DiaryIs(Encoded(state)) || DiaryIs(Encoded(next)))
            << "round " << round << " after " << done << ": " << DiaryIs(Encoded(state)).message();
        const Records onDisk = ReadAll();
        changes += done + (onDisk == next);
        state = onDisk;
    }
    EXPECT_GT(changes, 30);  // the kills did not all fall before the first change
}

}  // namespace
}  // namespace store
