#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/Env.h"
#include "support/TestEnvironment.h"

namespace {

using platform::Status;

class PosixEnvTest : public ::testing::Test {
protected:
    platform::Env& env_ = *platform::PosixEnv();
};

TEST_F(PosixEnvTest, FailuresNameTheActionThePathAndTheReason) {
    const std::string missing = jtest::InTestDir("missing");
    const std::string reason = std::string(": ") + std::strerror(ENOENT);
    std::unique_ptr<platform::SequentialFile> in;
    std::unique_ptr<platform::WritableFile> out;
    const Status open = env_.NewSequentialFile(missing, &in);
    EXPECT_EQ(open.code(), ENOENT);
    EXPECT_EQ(open.message(), "Cannot open " + missing + reason);
    EXPECT_EQ(env_.NewWritableFile(missing + "/f", &out).message(),
              "Cannot create " + missing + "/f" + reason);
    EXPECT_EQ(env_.RenameFile(missing, "b").message(),
              "Cannot rename " + missing + " to b" + reason);
}

// Reading in pieces is left to the store tests, which read every diary so.
TEST_F(PosixEnvTest, WritesTruncatesAppendsAndCreatesFilesReadableByAll) {
    const std::string path = jtest::InTestDir("f");
    jtest::WriteFileBytes(path, "old content");
    std::unique_ptr<platform::WritableFile> out;
    ASSERT_TRUE(env_.NewWritableFile(path, &out).ok());
    ASSERT_TRUE(out->Append(std::string(100000, 'a')).ok());
    ASSERT_TRUE(out->Close().ok());
    ASSERT_TRUE(env_.NewAppendableFile(path, &out).ok());
    ASSERT_TRUE(out->Append("end").ok());
    out.reset();  // closed silently
    std::uint64_t size = 0;
    ASSERT_TRUE(env_.GetFileSize(path, &size).ok());
    EXPECT_EQ(size, 100003u);
    EXPECT_EQ(jtest::ReadFileBytes(path), std::string(100000, 'a') + "end");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0644u & ~mask);
}

TEST_F(PosixEnvTest, CreatesNestedFoldersAndAcceptsExistingOnes) {
    const std::string dir = jtest::InTestDir("a/b//c");
    ASSERT_TRUE(env_.CreateDirs(dir, 0755).ok());
    EXPECT_TRUE(env_.FileExists(jtest::InTestDir("a/b/c")));
    EXPECT_TRUE(env_.CreateDirs(dir + "/", 0755).ok());
    jtest::WriteFileBytes(jtest::InTestDir("file"), "x");
    EXPECT_FALSE(env_.CreateDirs(jtest::InTestDir("file/d"), 0755).ok());
    EXPECT_FALSE(env_.CreateDirs(jtest::InTestDir("file"), 0755).ok());
}

// Deeper than any fixed buffer the current folder might once have used.
TEST_F(PosixEnvTest, CurrentDirIsWholeHoweverLong) {
    const std::string part(120, 'd');
    std::string expected = jtest::TestDir();
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(::mkdir(part.c_str(), 0755), 0);
        ASSERT_EQ(::chdir(part.c_str()), 0);
        expected += "/" + part;
    }
    std::string dir;
    ASSERT_TRUE(env_.GetCurrentDir(&dir).ok());
    EXPECT_EQ(dir, expected);
}

TEST(Paths, JoinAndDirName) {
    EXPECT_EQ(platform::JoinPath("/data", "Jotwel.dat"), "/data/Jotwel.dat");
    EXPECT_EQ(platform::JoinPath("/data/", "Jotwel.dat"), "/data/Jotwel.dat");
    EXPECT_EQ(platform::JoinPath("", "Jotwel.dat"), "Jotwel.dat");
    const std::pair<const char*, const char*> dirs[] = {
        {"/a/b/f.ini", "/a/b"}, {"a//f", "a"}, {"f.ini", "."}, {"/f", "/"}, {"//f", "/"},
    };
    for (const auto& [path, dir] : dirs) EXPECT_EQ(platform::DirName(path), dir) << path;
}

}  // namespace
