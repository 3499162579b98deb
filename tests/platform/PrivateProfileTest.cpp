// What the recorded calls leave to us: the file's layout after writes, the
// key listing, refused writes and a failing disk.
#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Env.h"
#include "platform/PrivateProfile.h"
#include "platform/WholeFile.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

// Files from other editors: a line ends at CR LF, LF or a lone CR, and a
// Ctrl-Z ends the text; a write keeps the file's own line end and goes in
// before the Ctrl-Z, and keeps every other line as it was. What would add
// lines (or a Ctrl-Z, which would end the text for every reader) is refused.
TEST(ProfileWrite, LaysOutTheFileOrRefusesWhatWouldAddLines) {
    const struct {
        const char* file;                // nullptr: no file
        std::array<const char*, 3> set;  // section, key, value
        const char* want;                // nullptr: refused, no file made
    } cases[] = {
        {.file = nullptr, .set = {"J\r\n[X", "K", "v"}, .want = nullptr},
        {.file = nullptr, .set = {"J", "K", "v\rX=1"}, .want = nullptr},
        {.file = nullptr, .set = {"J", "[K]", "v"}, .want = nullptr},
        {.file = nullptr, .set = {"J", "K=L", "v"}, .want = nullptr},
        {.file = nullptr, .set = {"J", "K", "v\x1A"}, .want = nullptr},
        {.file = "[J]\rA=1\r", .set = {"J", "C", "3"}, .want = "[J]\rA=1\rC=3\r"},
        {.file = "[J]\r\nA=1\rB=2\r\n", .set = {"J", "B", "5"}, .want = "[J]\r\nA=1\rB=5\r\n"},
        {.file = "[J]\r\nA=1\r\n\x1A[K]\r\nC=9\r\n",
         .set = {"K", "C", "3"},
         .want = "[J]\r\nA=1\r\n[K]\r\nC=3\r\n\x1A[K]\r\nC=9\r\n"},
        {.file = "[O]\nX=1", .set = {"J", "K", "v"}, .want = "[O]\nX=1\n[J]\nK=v\n"},
        {.file = "; c\r\n[J]\r\n\tX = 1 \r\n  today  =  old  \r\nNoEq\r\n",
         .set = {"J", "TODAY", "new"},
         .want = "; c\r\n[J]\r\n\tX = 1 \r\n  today  =new\r\nNoEq\r\n"},
        {.file = "[J]\r\nA=1", .set = {"J", "A", "22"}, .want = "[J]\r\nA=22"},
        {.file = "[J]\r\nA=1\r\n\r\n \r\n[O]\r\n",
         .set = {"J", "B", "2"},
         .want = "[J]\r\nA=1\r\nB=2\r\n\r\n \r\n[O]\r\n"},
        {.file = nullptr, .set = {" J\t", " K ", "v"}, .want = "[J]\r\nK=v\r\n"},
        {.file = "A=1\r\n[J]\r\n", .set = {"", "B", "2"}, .want = "A=1\r\nB=2\r\n[J]\r\n"},
        // A file marked UTF-8 is written in UTF-8; its other lines are kept as they are.
        {.file = "\xEF\xBB\xBF[J]\r\nBad=\xE9\r\n",
         .set = {"J", "New", "\x80"},
         .want = "\xEF\xBB\xBF[J]\r\nBad=\xE9\r\nNew=\xE2\x82\xAC\r\n"},
        {.file = "\xEF\xBB\xBF",
         .set = {"\xC9t\xE9", "K", "v"},
         .want = "\xEF\xBB\xBF[\xC3\x89t\xC3\xA9]\r\nK=v\r\n"},
    };
    const std::string path = jtest::InTestDir("s.ini");
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        if (c.file) jtest::WriteFileBytes(path, c.file);
        const auto [section, key, value] = c.set;
        const platform::Status status = WritePrivateProfileString(section, key, value, path);
        if (!c.want) {
            EXPECT_EQ(status.code(), EINVAL) << key;
            EXPECT_FALSE(std::filesystem::exists(path));
            continue;
        }
        ASSERT_TRUE(status.ok()) << c.want;
        EXPECT_EQ(jtest::ReadFileBytes(path), c.want);
        EXPECT_EQ(GetPrivateProfileString(section, key, "", 600, path).value, value);
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::TestDir()).empty());
    }
}

// Key names are listed NUL-separated, cut to the capacity; nothing after a
// Ctrl-Z is read; a file that cannot be read, or a pipe, reads at once as
// a missing file (the program starts), and a pipe is never written through.
TEST(ProfileRead, ListsKeyNamesAndReadsWhatCannotBeReadAsMissing) {
    const std::string path = jtest::InTestDir("s.ini");
    jtest::WriteFileBytes(path,
                          "[J]\r\nA=1\r\nNoEq\r\n=orphan\r\nBb=2\r\n[K]\r\nC=3\r\n\x1A\r\nE=1");
    const std::pair<int, std::string> reads[] = {
        {6, std::string("A\0Bb\0", 5)}, {5, std::string("A\0B", 3)}, {2, ""}};
    for (const auto& [capacity, expected] : reads) {
        const platform::ProfileRead read =
            GetPrivateProfileString("j", std::nullopt, "dflt", capacity, path);
        EXPECT_EQ(read.value, expected) << capacity;
        EXPECT_EQ(read.count, static_cast<int>(expected.size()));
    }
    EXPECT_EQ(GetPrivateProfileString("K", "E", "dflt", 100, path).value, "dflt");
    {
        platform::FaultEnv fault(platform::PosixEnv());
        platform::ScopedEnv scoped(&fault);
        fault.FailNth(1, platform::FaultEnv::kRead, EIO);
        EXPECT_EQ(GetPrivateProfileString("K", "C", "dflt", 100, path).value, "dflt");
    }
    const std::string pipe = jtest::InTestDir("pipe.ini");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(GetPrivateProfileString("J", "A", "dflt", 100, pipe).value, "dflt");
    EXPECT_FALSE(WritePrivateProfileString("J", "A", "1", pipe).ok());
    EXPECT_EQ(WritePrivateProfileString("J", "K", std::string("a\0b", 3), path).code(), EINVAL);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

// A clean run counts the write's file operations, then each in turn fails.
// Before the rename the old file (or no file) must stay whole, with no
// temporary file; only the folder sync follows the rename. The file exists
// first, or else its folder is missing too.
TEST(ProfileWrite, EveryFailingOperationLeavesTheOldFileWhole) {
    platform::FaultEnv fault(platform::PosixEnv());
    platform::ScopedEnv scoped(&fault);
    for (bool existing : {true, false}) {
        const std::string path = jtest::InTestDir(existing ? "s.ini" : "new/dir/s.ini");
        const std::string old = "; mine\r\n[Jotwel]\r\nToday=No\r\n";
        const std::string updated =
            existing ? "; mine\r\n[Jotwel]\r\nToday=ToDay\r\n" : "[Jotwel]\r\nToDay=ToDay\r\n";
        const auto reset = [&] {
            std::filesystem::remove_all(jtest::InTestDir("new"));
            if (existing) jtest::WriteFileBytes(path, old);
        };
        reset();
        fault.FailNth(0, platform::FaultEnv::kAll, 0);
        ASSERT_TRUE(WritePrivateProfileString("Jotwel", "ToDay", "ToDay", path).ok());
        const int operations = fault.count();
        ASSERT_GE(operations, 6);
        for (int n = 1; n <= operations; ++n) {
            SCOPED_TRACE(path + ", failing operation " + std::to_string(n));
            reset();
            const int error = n % 2 ? ENOSPC : EIO;
            fault.FailNth(n, platform::FaultEnv::kAll, error);
            EXPECT_EQ(WritePrivateProfileString("Jotwel", "ToDay", "ToDay", path).code(), error);
            EXPECT_TRUE(jtest::TemporaryFilesIn(platform::DirName(path)).empty());
            if (n == operations) {
                EXPECT_EQ(jtest::ReadFileBytes(path), updated);  // only the folder sync failed
            } else if (existing) {
                EXPECT_EQ(jtest::ReadFileBytes(path), old);
            } else {
                EXPECT_FALSE(std::filesystem::exists(path));
            }
        }
    }
}

// Two processes writing keys at once each keep every key: the read and the
// write of each are one step under the profile's lock.
TEST(ProfileWrite, TwoWritersAtOnceKeepEveryKey) {
    constexpr int kKeys = 40;
    const std::string path = jtest::InTestDir("s.ini");
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            platform::SetLockWaitLimitMs(120'000);
            for (int k = 0; k < kKeys; ++k) {
                const std::string key = "W" + std::to_string(w) + "K" + std::to_string(k);
                if (!WritePrivateProfileString("J", key, "v", path).ok()) ::_exit(1);
            }
            ::_exit(0);
        }
    }
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const std::string keys = GetPrivateProfileString("J", std::nullopt, "", 100000, path).value;
    EXPECT_EQ(std::count(keys.begin(), keys.end(), '\0'), 2 * kKeys);
    EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::TestDir()).empty());
}

}  // namespace
