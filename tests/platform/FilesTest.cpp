// The file layer on real files, files copied and written whole, and the
// settings file. Bytes arrive exactly, a copy is read a chunk at a time,
// links and pipes are never followed or waited on, and a failure at each
// step of a write leaves the old file whole. The settings file replays the
// calls recorded from a real implementation of the profile functions
// (tests/data/profile-cases.json: every read's count and value, every
// write's result and, where recorded, the bytes after it); beyond them the
// layout is ours (other lines are kept). And the code page its text, like
// the diary's, is kept in.

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/FileCopy.h"
#include "platform/PrivateProfile.h"
#include "platform/WholeFile.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace {

namespace fs = std::filesystem;
using platform::CodePointToCp1252;
using platform::Cp1252ToCodePoint;
using platform::Cp1252ToUtf8;
using platform::FaultEnv;
using platform::GetPrivateProfileString;
using platform::Status;
using platform::Utf8ToCp1252;
using platform::WritePrivateProfileString;

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

// A recorded byte string ({"hex": ..., "esc": ...}), or null.
std::optional<std::string> Bytes(const QJsonValue& recorded) {
    if (recorded.isNull() || recorded.isUndefined()) return std::nullopt;
    return QByteArray::fromHex(recorded["hex"].toString().toLatin1()).toStdString();
}

TEST(ProfileCases, EveryRecordedCallGivesTheRecordedResult) {
    QFile file(JOTWEL_TEST_DATA "/profile-cases.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll())["cases"].toArray();
    qsizetype calls = 0;
    for (const QJsonValue c : cases) {
        const std::string name = c["name"].toString().toStdString();
        const std::string path = jtest::InTestDir(c["file"].toString().toStdString());
        std::filesystem::remove(path);
        if (const auto initial = Bytes(c["initial"])) jtest::WriteFileBytes(path, *initial);
        const QJsonArray ops = c["ops"].toArray();
        calls += ops.size();
        for (qsizetype i = 0; i < ops.size(); ++i) {
            SCOPED_TRACE(name + " op " + std::to_string(i));
            const QJsonObject op = ops[i].toObject();
            const std::string section = Bytes(op["section"]).value_or("");
            if (op["op"].toString() == "read") {
                const platform::ProfileRead read = platform::GetPrivateProfileString(
                    section, Bytes(op["key"]), Bytes(op["default"]).value_or(""),
                    op["capacity"].toInt(), path);
                EXPECT_EQ(read.count, op["result"].toInt());
                EXPECT_EQ(read.value, Bytes(op["value"]).value_or(""));
                continue;
            }
            const platform::Status status = platform::WritePrivateProfileString(
                section, Bytes(op["key"]).value_or(""), Bytes(op["value"]).value_or(""), path);
            EXPECT_EQ(status.ok(), op["result"].toInt() != 0) << status.message();
            if (const auto after = Bytes(op["file_after"])) {
                EXPECT_EQ(jtest::ReadFileBytes(path), *after);
            }
        }
        if (c["final"].isNull()) {
            EXPECT_FALSE(std::filesystem::exists(path)) << name << ": reads made a file";
        }
    }
    EXPECT_EQ(cases.size(), 37);
    EXPECT_EQ(calls, 205);
}

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

// Each file operation of a write fails in turn (the file existing, or its
// folder missing): the old file stays whole, with no temporary file, unless
// only the folder sync after the rename failed.
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

// Qt's own decoder is an independent reading of the code page's table
// (including the undefined bytes, which stand for their control characters).
TEST(CodePage, EveryByteDecodesLikeQtAndSurvivesTheRoundTrip) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    EXPECT_EQ(QString::fromStdString(Cp1252ToUtf8(bytes)),
              QStringDecoder("windows-1252").decode(QByteArray::fromStdString(bytes)));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(CodePointToCp1252(Cp1252ToCodePoint(byte)), byte) << "byte " << b;
    }
}

TEST(CodePage, RefusesCharactersItCannotHoldAndInvalidUtf8) {
    // U+0080 and U+009F are not held: bytes 0x80 and 0x9F stand for others.
    for (const char32_t c : {0x80u, 0x9Fu, 0x100u, 0x2028u, 0xFFFDu, 0x1F600u}) {
        EXPECT_EQ(CodePointToCp1252(c), std::nullopt) << std::hex << static_cast<unsigned>(c);
    }
    // Unheld U+0100; stray, never valid, truncated and badly continued bytes;
    // overlong forms, a surrogate and beyond U+10FFFF.
    const char* const refused[] = {"\xC4\x80",     "\x80",
                                   "\xFF",         "a\xE2\x82",
                                   "\xC3(",        "\xC0\x80",
                                   "\xE0\x80\xAF", "\xF0\x80\x80\xAF",
                                   "\xED\xA0\x80", "\xF4\x90\x80\x80"};
    for (const char* text : refused) {
        EXPECT_EQ(Utf8ToCp1252(text), std::nullopt) << ::testing::PrintToString(text);
    }
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC5\xA0"), "\x80\x8A");
    // One unheld character is one '?', however many bytes it takes.
    EXPECT_EQ(platform::Utf8ToCp1252Lossy("a\xFF"
                                          "b\xC4\x80"
                                          "c\xF0\x9F\x98\x80"
                                          "d\xC3\xA9"),
              "a?b?c?d\xE9");
}

}  // namespace
