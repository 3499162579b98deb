// What the recorded calls leave to us: the file's layout after writes, the
// key listing, refused writes and a failing disk.
#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

struct LayoutCase {
    const char* name;
    std::optional<std::string> initial;
    const char* section;
    const char* key;
    const char* value;
    std::string expected;
};

// Files from other editors: a line ends at CR LF, LF or a lone CR, and a
// Ctrl-Z ends the text; a write keeps the file's own line end and goes in
// before the Ctrl-Z.
const LayoutCase kLayoutCases[] = {
    {.name = "LoneCrFileIsReadAndKeepsItsStyle",
     .initial = "[J]\rA=1\rB=2\r",
     .section = "J",
     .key = "B",
     .value = "3",
     .expected = "[J]\rA=1\rB=3\r"},
    {.name = "LoneCrFileGetsCrLines",
     .initial = "[J]\rA=1\r",
     .section = "J",
     .key = "C",
     .value = "3",
     .expected = "[J]\rA=1\rC=3\r"},
    {.name = "LoneCrInsideACrLfFileEndsALine",
     .initial = "[J]\r\nA=1\rB=2\r\n",
     .section = "J",
     .key = "B",
     .value = "5",
     .expected = "[J]\r\nA=1\rB=5\r\n"},
    {.name = "CtrlZEndsTheLastValue",
     .initial = "[J]\r\nLastDate=20141207\x1A",
     .section = "J",
     .key = "LastDate",
     .value = "20141208",
     .expected = "[J]\r\nLastDate=20141208\x1A"},
    {.name = "NewSectionGoesBeforeCtrlZ",
     .initial = "[J]\r\nA=1\r\n\x1A[K]\r\nC=9\r\n",
     .section = "K",
     .key = "C",
     .value = "3",
     .expected = "[J]\r\nA=1\r\n[K]\r\nC=3\r\n\x1A[K]\r\nC=9\r\n"},
    {.name = "LfFileGetsLfLines",
     .initial = "[J]\nA=1\n",
     .section = "J",
     .key = "B",
     .value = "2",
     .expected = "[J]\nA=1\nB=2\n"},
    {.name = "LfFileGetsLfSection",
     .initial = "[O]\nX=1",
     .section = "J",
     .key = "K",
     .value = "v",
     .expected = "[O]\nX=1\n[J]\nK=v\n"},
    {.name = "ReplaceKeepsSpellingAndOtherLines",
     .initial = "; c\r\n[J]\r\n\tX = 1 \r\n  today  =  old  \r\nNoEq\r\n",
     .section = "J",
     .key = "TODAY",
     .value = "new",
     .expected = "; c\r\n[J]\r\n\tX = 1 \r\n  today  =new\r\nNoEq\r\n"},
    {.name = "ReplaceLastLineWithoutEnd",
     .initial = "[J]\r\nA=1",
     .section = "J",
     .key = "A",
     .value = "22",
     .expected = "[J]\r\nA=22"},
    {.name = "NewKeyBeforeBlankLines",
     .initial = "[J]\r\nA=1\r\n\r\n \r\n[O]\r\n",
     .section = "J",
     .key = "B",
     .value = "2",
     .expected = "[J]\r\nA=1\r\nB=2\r\n\r\n \r\n[O]\r\n"},
    {.name = "NewKeyUnderBareHeader",
     .initial = "[J]",
     .section = "J",
     .key = "A",
     .value = "1",
     .expected = "[J]\r\nA=1\r\n"},
    {.name = "NewKeyInFirstOfTwoSections",
     .initial = "[J]\r\nA=1\r\n[j]\r\n",
     .section = "J",
     .key = "B",
     .value = "2",
     .expected = "[J]\r\nA=1\r\nB=2\r\n[j]\r\n"},
    {.name = "NamesTrimmed",
     .initial = std::nullopt,
     .section = " J\t",
     .key = " K ",
     .value = "v",
     .expected = "[J]\r\nK=v\r\n"},
    {.name = "LinesBeforeAnyHeader",
     .initial = "A=1\r\n[J]\r\n",
     .section = "",
     .key = "B",
     .value = "2",
     .expected = "A=1\r\nB=2\r\n[J]\r\n"},
    {.name = "EmptySectionWithoutSuchLines",
     .initial = "[J]\r\n",
     .section = " ",
     .key = "B",
     .value = "2",
     .expected = "[J]\r\n[]\r\nB=2\r\n"},
    {.name = "Utf8FileKeepsOtherLines",
     .initial = "\xEF\xBB\xBF[J]\r\nBad=\xE9\r\n",
     .section = "J",
     .key = "New",
     .value = "\xE9",
     .expected = "\xEF\xBB\xBF[J]\r\nBad=\xE9\r\nNew=\xC3\xA9\r\n"},
    {.name = "Utf8FileReplace",
     .initial = "\xEF\xBB\xBF[J]\r\nT=caf\xC3\xA9\r\n",
     .section = "J",
     .key = "t",
     .value = "\x80",
     .expected = "\xEF\xBB\xBF[J]\r\nT=\xE2\x82\xAC\r\n"},
    {.name = "Utf8FileNewSection",
     .initial = "\xEF\xBB\xBF",
     .section = "\xC9t\xE9",
     .key = "K",
     .value = "v",
     .expected = "\xEF\xBB\xBF[\xC3\x89t\xC3\xA9]\r\nK=v\r\n"},
};

TEST(ProfileWrite, LaysOutTheFile) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(c.name);
        const std::string path = jtest::InTestDir(std::string(c.name) + ".ini");
        if (c.initial) jtest::WriteFileBytes(path, *c.initial);
        ASSERT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, path).ok());
        EXPECT_EQ(jtest::ReadFileBytes(path), c.expected);
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "", 600, path).value, c.value);
        EXPECT_TRUE(jtest::TemporaryFilesIn(platform::DirName(path)).empty());
    }
}

TEST(ProfileWrite, RefusesWhatWouldAddLines) {
    const std::string path = jtest::InTestDir("s.ini");
    const char* const
        refused[]
               [3] = {
                   {"J\r\n[X", "K", "v"}, {"J", "K\n", "v"}, {"J", "K", "v\rX=1"},
                   {"J", "[K]", "v"},     {"J", " [K", "v"}, {"J", "K=L", "v"},
                   {"J", "K", "v\x1A"},  // a Ctrl-Z would end the file's text for every reader
               };
    for (const auto& [section, key, value] : refused) {
        EXPECT_EQ(WritePrivateProfileString(section, key, value, path).code(), EINVAL) << key;
    }
    EXPECT_EQ(WritePrivateProfileString("J", "K", std::string("a\0b", 3), path).code(), EINVAL);
    EXPECT_FALSE(Exists(path));
}

TEST(ProfileRead, ListsKeyNamesCutToCapacity) {
    const std::string path = jtest::InTestDir("s.ini");
    jtest::WriteFileBytes(path, "[J]\r\nA=1\r\nNoEq\r\n=orphan\r\nBb=2\r\n[K]\r\nC=3\r\n");
    const std::pair<int, std::string> reads[] = {
        {6, std::string("A\0Bb\0", 5)}, {5, std::string("A\0B", 3)}, {3, "A"}, {2, ""}};
    for (const auto& [capacity, expected] : reads) {
        const platform::ProfileRead read =
            GetPrivateProfileString("j", std::nullopt, "dflt", capacity, path);
        EXPECT_EQ(read.value, expected) << capacity;
        EXPECT_EQ(read.count, static_cast<int>(expected.size()));
    }
    EXPECT_EQ(GetPrivateProfileString("Z", std::nullopt, "dflt", 100, path).count, 0);
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
        ASSERT_GE(operations, 6);  // disarmed, it counts and never fails
        EXPECT_FALSE(fault.fired());

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
                EXPECT_FALSE(Exists(path));
            }
        }
    }
}

TEST(ProfileRead, NothingAfterCtrlZIsRead) {
    const std::string path = jtest::InTestDir("s.ini");
    jtest::WriteFileBytes(path, "[J]\r\nA=1\r\n\x1A\r\nB=2\r\n");
    EXPECT_EQ(GetPrivateProfileString("J", "A", "dflt", 100, path).value, "1");
    EXPECT_EQ(GetPrivateProfileString("J", "B", "dflt", 100, path).value, "dflt");
}

// A pipe at the settings file's name reads as a missing file at once (the
// program starts) and is never written through.
TEST(ProfileRead, APipeReadsAsMissingWithoutWaiting) {
    const std::string path = jtest::InTestDir("s.ini");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(GetPrivateProfileString("J", "A", "dflt", 100, path).value, "dflt");
    EXPECT_FALSE(WritePrivateProfileString("J", "A", "1", path).ok());
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

TEST(ProfileWrite, KeepsTheFilesModeAndItsLink) {
    namespace fs = std::filesystem;
    fs::create_directories(jtest::InTestDir("dotfiles"));
    const std::string target = jtest::InTestDir("dotfiles/s.ini");
    const std::string link = jtest::InTestDir("s.ini");
    jtest::WriteFileBytes(target, "[J]\r\nA=1\r\n");
    ::chmod(target.c_str(), 0600);
    fs::create_symlink("dotfiles/s.ini", link);
    ASSERT_TRUE(WritePrivateProfileString("J", "A", "2", link).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(jtest::ReadFileBytes(target), "[J]\r\nA=2\r\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
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

TEST(ProfileRead, UnreadableFileReadsAsMissing) {
    const std::string path = jtest::InTestDir("s.ini");
    jtest::WriteFileBytes(path, "[J]\r\nA=1\r\n");
    platform::FaultEnv fault(platform::PosixEnv());
    platform::ScopedEnv scoped(&fault);
    fault.FailNth(1, platform::FaultEnv::kRead, EIO);
    EXPECT_EQ(GetPrivateProfileString("J", "A", "dflt", 100, path).value, "dflt");
}

}  // namespace
