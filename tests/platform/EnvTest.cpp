#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "platform/Env.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace {

using platform::FaultEnv;
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
    ASSERT_TRUE(out->Sync().ok());
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

class FaultEnvTest : public ::testing::Test {
protected:
    FaultEnv env_{platform::PosixEnv()};
    const std::string path_ = jtest::InTestDir("f");
};

TEST_F(FaultEnvTest, NthWriteFailsAfterWritingHalf) {
    std::unique_ptr<platform::WritableFile> file;
    ASSERT_TRUE(env_.NewWritableFile(path_, &file).ok());
    env_.FailNth(2, FaultEnv::kWrite, ENOSPC);
    EXPECT_TRUE(file->Append("abcd").ok());
    const Status failed = file->Append("efghij");
    EXPECT_TRUE(file->Append("kl").ok());  // only the n-th fails
    ASSERT_TRUE(file->Close().ok());

    EXPECT_EQ(failed.code(), ENOSPC);
    EXPECT_EQ(failed.message(), "Cannot write " + path_ + ": " + std::strerror(ENOSPC));
    EXPECT_EQ(jtest::ReadFileBytes(path_), "abcdefgkl");
    EXPECT_EQ(env_.count(), 3);
    EXPECT_TRUE(env_.fired());
}

// Each kind of operation, armed alone, fails with the chosen errno and
// leaves no trace of what it would have done. The kinds a file copy makes
// are swept the same way in FileCopyTest.cpp.
const std::pair<FaultEnv::Op, std::function<Status(FaultEnv&, const std::string&)>> kOpCases[] = {
    {FaultEnv::kRead,
     [](FaultEnv& e, const std::string& p) {
         std::unique_ptr<platform::SequentialFile> f;
         char buffer[8];
         std::size_t got = 99;
         Status s = e.NewSequentialFile(p, &f);
         if (s.ok()) s = f->Read(sizeof buffer, buffer, &got);
         EXPECT_EQ(got, 0u);
         return s;
     }},
    {FaultEnv::kOpenWrite,
     [](FaultEnv& e, const std::string& p) {
         std::unique_ptr<platform::WritableFile> f;
         return e.NewAppendableFile(p, &f);
     }},
    {FaultEnv::kRemove, [](FaultEnv& e, const std::string& p) { return e.RemoveFile(p); }},
    {FaultEnv::kCreateDirs,
     [](FaultEnv& e, const std::string& p) { return e.CreateDirs(p + ".d/e", 0755); }},
    {FaultEnv::kGetChildren,
     [](FaultEnv& e, const std::string&) {
         std::vector<std::string> names;
         return e.GetChildren(jtest::TestDir(), &names);
     }},
};

TEST_F(FaultEnvTest, EachOperationKindFailsAlone) {
    for (const auto& [op, run] : kOpCases) {
        SCOPED_TRACE("operation kind " + std::to_string(op));
        jtest::WriteFileBytes(path_, "old");
        env_.FailNth(1, op, EACCES);
        const Status status = run(env_, path_);
        EXPECT_EQ(status.code(), EACCES);
        EXPECT_NE(status.message().find(std::strerror(EACCES)), std::string::npos);
        EXPECT_TRUE(env_.fired());
        EXPECT_EQ(env_.count(), 1);
        EXPECT_EQ(jtest::ReadFileBytes(path_), "old");
        EXPECT_FALSE(env_.FileExists(path_ + ".d"));
    }
}

}  // namespace
