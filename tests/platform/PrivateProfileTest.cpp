// How writes lay out the settings file where the recorded calls leave the
// choice to us, the key listing, refused writes, and writes that meet a
// failing disk.
#include <errno.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/FaultEnv.h"
#include "platform/PrivateProfile.h"
#include "platform/WholeFile.h"
#include "support/TestEnvironment.h"

namespace {

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

std::string ReadValue(std::string_view section, std::string_view key, const std::string& path) {
    return GetPrivateProfileString(section, key, "", 600, path).value;
}

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

const LayoutCase kLayoutCases[] = {
    {"LfFileGetsLfLines", "[J]\nA=1\n", "J", "B", "2", "[J]\nA=1\nB=2\n"},
    {"LfFileGetsLfSection", "[O]\nX=1", "J", "K", "v", "[O]\nX=1\n[J]\nK=v\n"},
    {"ReplaceKeepsKeySpelling", "[J]\r\n  today  =  old  \r\n", "J", "TODAY", "new",
     "[J]\r\n  today  =new\r\n"},
    {"ReplaceKeepsOtherLines", "; c\r\n[J]\r\n\tX = 1 \r\nA=1\r\nNoEq\r\n", "J", "a", "2",
     "; c\r\n[J]\r\n\tX = 1 \r\nA=2\r\nNoEq\r\n"},
    {"ReplaceLastLineWithoutEnd", "[J]\r\nA=1", "J", "A", "22", "[J]\r\nA=22"},
    {"NewKeyBeforeBlankLines", "[J]\r\nA=1\r\n\r\n \r\n[O]\r\n", "J", "B", "2",
     "[J]\r\nA=1\r\nB=2\r\n\r\n \r\n[O]\r\n"},
    {"NewKeyUnderBareHeader", "[J]", "J", "A", "1", "[J]\r\nA=1\r\n"},
    {"NewKeyInFirstOfTwoSections", "[J]\r\nA=1\r\n[j]\r\n", "J", "B", "2",
     "[J]\r\nA=1\r\nB=2\r\n[j]\r\n"},
    {"NamesTrimmed", std::nullopt, " J\t", " K ", "v", "[J]\r\nK=v\r\n"},
    {"LinesBeforeAnyHeader", "A=1\r\n[J]\r\n", "", "B", "2", "A=1\r\nB=2\r\n[J]\r\n"},
    {"EmptySectionWithoutSuchLines", "[J]\r\n", " ", "B", "2", "[J]\r\n[]\r\nB=2\r\n"},
    {"Utf8FileKeepsOtherLines", "\xEF\xBB\xBF[J]\r\nBad=\xE9\r\n", "J", "New", "\xE9",
     "\xEF\xBB\xBF[J]\r\nBad=\xE9\r\nNew=\xC3\xA9\r\n"},
    {"Utf8FileReplace", "\xEF\xBB\xBF[J]\r\nT=caf\xC3\xA9\r\n", "J", "t", "\x80",
     "\xEF\xBB\xBF[J]\r\nT=\xE2\x82\xAC\r\n"},
    {"Utf8FileNewSection", "\xEF\xBB\xBF", "\xC9t\xE9", "K", "v",
     "\xEF\xBB\xBF[\xC3\x89t\xC3\xA9]\r\nK=v\r\n"},
};

TEST(ProfileWrite, LaysOutTheFile) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(c.name);
        const std::string path = jtest::InTestDir(std::string(c.name) + ".ini");
        if (c.initial) jtest::WriteFileBytes(path, *c.initial);
        ASSERT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, path).ok());
        EXPECT_EQ(jtest::ReadFileBytes(path), c.expected);
        EXPECT_EQ(ReadValue(c.section, c.key, path), c.value);
        EXPECT_FALSE(Exists(platform::TempPathFor(path)));
    }
}

TEST(ProfileWrite, CreatesTheFolder) {
    const std::string path = jtest::InTestDir("config/sub/ZORVANT.INI");
    ASSERT_TRUE(WritePrivateProfileString("Jotwel", "LastDate", "100314", path).ok());
    EXPECT_EQ(ReadValue("Jotwel", "LastDate", path), "100314");
}

TEST(ProfileWrite, RefusesWhatWouldAddLines) {
    const std::string path = jtest::InTestDir("s.ini");
    const char* const refused[][3] = {
        {"J\r\n[X", "K", "v"}, {"J", "K\n", "v"}, {"J", "K", "v\rX=1"},
        {"J", "[K]", "v"},     {"J", " [K", "v"}, {"J", "K=L", "v"},
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
        {100, std::string("A\0Bb\0", 5)},
        {6, std::string("A\0Bb\0", 5)},
        {5, std::string("A\0B", 3)},
        {3, std::string("A", 1)},
        {2, ""},
        {1, ""},
    };
    for (const auto& [capacity, expected] : reads) {
        const platform::ProfileRead read =
            GetPrivateProfileString("j", std::nullopt, "dflt", capacity, path);
        EXPECT_EQ(read.value, expected) << capacity;
        EXPECT_EQ(read.count, static_cast<int>(expected.size()));
    }
    EXPECT_EQ(GetPrivateProfileString("Z", std::nullopt, "dflt", 100, path).count, 0);
}

// Method: a clean run counts the write's file operations; then for every n
// the n-th of them fails. A failure before the rename must leave the old
// file byte for byte (or no file) and no temporary file; only the folder
// sync comes after the rename. Param: whether the file exists before the
// write (else its folder is missing too).
class ProfileWriteFaults : public ::testing::TestWithParam<bool> {};

TEST_P(ProfileWriteFaults, LeaveTheOldFileWhole) {
    const bool existing = GetParam();
    const std::string path = jtest::InTestDir(existing ? "s.ini" : "new/dir/s.ini");
    const std::string old = "; mine\r\n[Jotwel]\r\nToday=No\r\n";
    const std::string updated =
        existing ? "; mine\r\n[Jotwel]\r\nToday=ToDay\r\n" : "[Jotwel]\r\nToDay=ToDay\r\n";
    const auto reset = [&] {
        std::filesystem::remove_all(jtest::InTestDir("new"));
        if (existing) jtest::WriteFileBytes(path, old);
    };
    platform::FaultEnv fault(platform::PosixEnv());
    platform::ScopedEnv scoped(&fault);
    reset();
    fault.FailNth(0, platform::FaultEnv::kAll, 0);
    ASSERT_TRUE(WritePrivateProfileString("Jotwel", "ToDay", "ToDay", path).ok());
    const int operations = fault.count();

    for (int n = 1; n <= operations; ++n) {
        SCOPED_TRACE("failing operation " + std::to_string(n));
        reset();
        const int error = n % 2 ? ENOSPC : EIO;
        fault.FailNth(n, platform::FaultEnv::kAll, error);
        EXPECT_EQ(WritePrivateProfileString("Jotwel", "ToDay", "ToDay", path).code(), error);
        EXPECT_FALSE(Exists(platform::TempPathFor(path)));
        if (n == operations) {
            EXPECT_EQ(jtest::ReadFileBytes(path), updated);  // only the folder sync failed
        } else if (existing) {
            EXPECT_EQ(jtest::ReadFileBytes(path), old);
        } else {
            EXPECT_FALSE(Exists(path));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Write, ProfileWriteFaults, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "ExistingFile" : "NewFolder");
});

TEST(ProfileRead, UnreadableFileReadsAsMissing) {
    const std::string path = jtest::InTestDir("s.ini");
    jtest::WriteFileBytes(path, "[J]\r\nA=1\r\n");
    platform::FaultEnv fault(platform::PosixEnv());
    platform::ScopedEnv scoped(&fault);
    fault.FailNth(1, platform::FaultEnv::kRead, EIO);
    EXPECT_EQ(GetPrivateProfileString("J", "A", "dflt", 100, path).value, "dflt");
}

}  // namespace
