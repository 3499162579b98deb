// The file layer on real files, and files copied and written whole: the
// bytes arrive exactly, a copy is read a chunk at a time, and links and
// pipes are never followed or waited on. A failure at each step of a write
// is swept with the settings file (a write) and the diary (a copy).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/Env.h"
#include "platform/FileCopy.h"
#include "platform/WholeFile.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace {

using platform::FaultEnv;
using platform::Status;
namespace fs = std::filesystem;

class PosixEnvTest : public ::testing::Test {
protected:
    platform::Env& env_ = *platform::PosixEnv();
};

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
    EXPECT_EQ(jtest::ReadFileBytes(path), std::string(100000, 'a') + "end");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0644 & ~mask));
    std::uint64_t size = 0;
    ASSERT_TRUE(env_.GetFileSize(path, &size).ok());
    EXPECT_EQ(size, 100003u);
    ASSERT_TRUE(env_.RemoveFile(path).ok());
    EXPECT_EQ(env_.GetFileSize(path, &size).code(), ENOENT);
    // A failure names the action, the path and the reason.
    std::unique_ptr<platform::SequentialFile> in;
    EXPECT_EQ(env_.NewSequentialFile(path, &in).message(),
              "Cannot open " + path + ": " + std::strerror(ENOENT));
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

// A lock held elsewhere is waited for a while, then refused as busy. A lock
// taken twice in one process is one lock, and it goes with its last holder:
// then another open of the file can take it.
TEST_F(PosixEnvTest, ALockGoesWithItsLastHolder) {
    const std::string path = jtest::InTestDir("lock");
    jtest::WriteFileBytes(path, "");
    std::unique_ptr<platform::FileLock> outer, inner;
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    platform::SetLockWaitLimitMs(20);
    EXPECT_EQ(env_.LockFile(path, &outer).code(), EWOULDBLOCK);
    platform::SetLockWaitLimitMs(5000);
    ASSERT_EQ(::flock(fd, LOCK_UN), 0);
    ASSERT_TRUE(env_.LockFile(path, &outer).ok());
    ASSERT_TRUE(env_.LockFile(path, &inner).ok());
    inner.reset();
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    outer.reset();
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}

TEST(Paths, JoinAndDirName) {
    EXPECT_EQ(platform::JoinPath("/data/", "Jotwel.dat"), "/data/Jotwel.dat");
    EXPECT_EQ(platform::JoinPath("", "Jotwel.dat"), "Jotwel.dat");
    const std::pair<const char*, const char*> dirs[] = {
        {"/a/b/f.ini", "/a/b"}, {"a//f", "a"}, {"f.ini", "."}, {"/f", "/"}, {"//f", "/"},
    };
    for (const auto& [path, dir] : dirs) EXPECT_EQ(platform::DirName(path), dir) << path;
}

// Reads and writes are counted: a copy held whole in memory, or read or
// written in pieces larger than 64 KiB, makes fewer of them.
TEST(FileCopy, CopiesEveryByteAChunkAtATime) {
    const std::string from = jtest::InTestDir("from"), to = jtest::InTestDir("to");
    FaultEnv counting(platform::PosixEnv());
    platform::ScopedEnv scoped(&counting);
    for (std::size_t size : {std::size_t{0}, std::size_t{5 << 20} + 7}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 256);
        jtest::WriteFileBytes(from, bytes);
        jtest::WriteFileBytes(to, "old");
        counting.FailNth(0, FaultEnv::kRead | FaultEnv::kWrite, 0);
        ASSERT_TRUE(platform::CopyFileWhole(from, to).ok());
        EXPECT_TRUE(jtest::ReadFileBytes(to) == bytes) << size;
        EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::TestDir()).empty());
        EXPECT_GE(counting.count(), static_cast<int>(2 * (size >> 16))) << size;
    }
}

// Plants a link to a victim at the first temporary name a write picks,
// just before the write creates it, as someone racing the write would.
class PlantingEnv : public platform::EnvWrapper {
public:
    PlantingEnv(std::string victim) : EnvWrapper(platform::PosixEnv()), victim_(victim) {}
    Status NewExclusiveFile(const std::string& p, const platform::NewFileMode& m,
                            std::unique_ptr<platform::WritableFile>* r) override {
        if (planted_.empty()) {
            planted_ = p;
            fs::create_symlink(victim_, p);
        }
        return target()->NewExclusiveFile(p, m, r);
    }
    std::string planted_;

private:
    std::string victim_;
};

// Every whole-file write (settings, PDF, the companion's output, versions):
// a link at the temporary name is refused, another name taken.
TEST(FileCopy, ALinkPlantedAtTheTemporaryNameIsNeverFollowed) {
    const std::string victim = jtest::InTestDir("Jotwel.dat"), to = jtest::InTestDir("out.csv");
    jtest::WriteFileBytes(victim, "the diary");
    PlantingEnv planting(victim);
    platform::ScopedEnv scoped(&planting);
    ASSERT_TRUE(platform::WriteFileWhole(to, "a,b\n").ok());
    EXPECT_EQ(jtest::ReadFileBytes(victim), "the diary");
    EXPECT_EQ(jtest::ReadFileBytes(to), "a,b\n");
    EXPECT_TRUE(fs::is_symlink(planting.planted_));  // left alone: not ours
    EXPECT_TRUE(
        platform::IsTempNameFor(fs::path(planting.planted_).filename().string(), "out.csv"));
}

// A link at the file's own name is the user's: its target takes the new
// content, in its own folder, with its permissions, and the link stays.
TEST(FileCopy, ALinkedFileKeepsItsLinkAndTheTargetItsMode) {
    fs::create_directories(jtest::InTestDir("real"));
    const std::string target = jtest::InTestDir("real/settings.ini");
    const std::string link = jtest::InTestDir("settings.ini");
    jtest::WriteFileBytes(target, "old");
    ::chmod(target.c_str(), 0600);
    fs::create_symlink("real/settings.ini", link);
    ASSERT_TRUE(platform::WriteFileWhole(link, "new").ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(jtest::ReadFileBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(jtest::TemporaryFilesIn(jtest::InTestDir("real")).empty());
}

// A pipe where a file is to be written or copied is refused at once:
// nothing waits for the other end. (Reading and replacing one is tested
// with the settings file, appending with the diary.)
TEST(FileCopy, APipeIsRefusedWithoutWaiting) {
    const std::string pipe = jtest::InTestDir("pipe"), plain = jtest::InTestDir("plain");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    jtest::WriteFileBytes(plain, "x");
    platform::Env& env = *platform::PosixEnv();
    std::unique_ptr<platform::WritableFile> out;
    const Status results[] = {
        env.NewWritableFile(pipe, &out),
        platform::CopyFileWhole(pipe, plain),
        platform::CopyFileWhole(plain, pipe),
    };
    for (const Status& status : results) {
        EXPECT_NE(status.message().find("not a regular file"), std::string::npos)
            << status.message();
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
}

}  // namespace
