// Files as no run of the program leaves them: a diary of gigabytes, one
// with a fragment or unterminated fields, keys at the ends of 32 bits, odd
// settings files. Each is read without a crash, a hang or memory that grows
// with the file, and a change keeps every whole record.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "FaultSweep.h"
#include "listing/Report.h"
#include "session/Settings.h"
#include "store/Diary.h"
#include "store/ListingLine.h"
#include "support/TestEnvironment.h"

namespace reliability {
namespace {

using store::RecordSize;
using store::TEntryRecord;

// Counts what is read through it: the largest single read asked for and
// the bytes read in all.
class ReadCountingEnv : public platform::EnvWrapper {
public:
    using EnvWrapper::EnvWrapper;
    platform::Status NewSequentialFile(const std::string& path,
                                       std::unique_ptr<platform::SequentialFile>* result) override {
        struct Counting : platform::SequentialFile {
            ReadCountingEnv* env;
            std::unique_ptr<platform::SequentialFile> file;
            platform::Status Read(std::size_t n, char* buffer, std::size_t* got) override {
                env->largestRead = std::max(env->largestRead, n);
                const platform::Status status = file->Read(n, buffer, got);
                env->bytesRead += *got;
                return status;
            }
        };
        auto counting = std::make_unique<Counting>();
        counting->env = this;
        const platform::Status status = target()->NewSequentialFile(path, &counting->file);
        if (status.ok()) *result = std::move(counting);
        return status;
    }
    std::size_t largestRead = 0, bytesRead = 0;
};

// A file of size bytes that holds no data (all zeros) and takes no space.
void MakeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0) << "no sparse files here";
    ::close(fd);
}

std::string DiaryFile() {
    return store::DiaryPath(jtest::TestDir());
}

// 8,100,000 empty records: over 4 GiB, beyond any 32-bit size or offset.
constexpr off_t kHugeDiary = static_cast<off_t>(RecordSize) * 8'100'000;

TEST(HostileFiles, AHugeDiaryIsReadAChunkAtATimeAndAppendedToInPlace) {
    MakeSparse(DiaryFile(), kHugeDiary);
    ReadCountingEnv counting(platform::Env::Default());
    {
        platform::ScopedEnv scoped(&counting);
        std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(jtest::TestDir());
        TEntryRecord record;
        for (int i = 0; i < 1000; ++i) ASSERT_TRUE(store::ReadNextRecord(*reader, &record));
        EXPECT_EQ(record, (TEntryRecord{"", "", 0, 0}));
    }
    EXPECT_LE(counting.largestRead, std::size_t{1} << 20);
    EXPECT_LE(counting.bytesRead, std::size_t{2} << 20);

    const TEntryRecord added{"after four gigabytes", "07/12/14", INT32_MAX, -1};
    ASSERT_TRUE(store::AppendRecord(jtest::TestDir(), added).ok());
    EXPECT_EQ(std::filesystem::file_size(DiaryFile()), kHugeDiary + RecordSize);
    std::ifstream in(DiaryFile(), std::ios::binary);
    std::string tail(RecordSize, '\0');
    in.seekg(kHugeDiary).read(tail.data(), RecordSize);
    EXPECT_EQ(tail, DiaryOf({added}));
    EXPECT_FALSE(std::filesystem::exists(store::HoldPath(jtest::TestDir())));
}

// Fields that fill their room with no terminator, keys at both ends of 32
// bits and a fragment: read, listed, found, deleted and inserted among
// without reading one field into the next; the fragment goes with a change.
TEST(HostileFiles, UnterminatedFieldsLimitKeysAndAFragmentAreReadListedAndChanged) {
    std::string full(RecordSize, '\0');
    std::fill_n(full.begin(), store::TextFieldSize, 'T');
    std::fill_n(full.begin() + store::TextFieldSize, store::StampFieldSize, 'S');
    const TEntryRecord lowest{"lowest", "13/12/01", INT32_MIN, -1};
    const TEntryRecord highest{"highest", "19/01/38 @ 03:14:07", INT32_MAX, 10};
    jtest::WriteFileBytes(DiaryFile(), DiaryOf({lowest}) + full + DiaryOf({highest}) + "frag");
    const TEntryRecord fullRecord{std::string(store::TextFieldSize, 'T'),
                                  std::string(store::StampFieldSize, 'S'), 0, 0};
    const std::string fullLine = store::FirstListedPiece(fullRecord);
    ASSERT_FALSE(fullLine.empty());
    // From 13/12/1901 (years below 50 are 20yy, so -99 is 1901) to 2049.
    const listing::ReportResult report =
        listing::MakeReport(jtest::TestDir(), {"13/12/-99", "31/12/49", "", "07/12/14"});
    EXPECT_TRUE(report.diaryStatus.ok());
    EXPECT_EQ(std::count(report.listLines.begin(), report.listLines.end(), fullLine), 1);

    const auto found = store::FindKeyForLine(jtest::TestDir(), fullLine);
    ASSERT_TRUE(found && found->index == 1);
    ASSERT_TRUE(store::DeleteRecordAt(jtest::TestDir(), *found).ok());
    EXPECT_EQ(jtest::ReadFileBytes(DiaryFile()), DiaryOf({lowest, highest}));
    // Keys compare as signed 32-bit values, with no overflow at the ends.
    for (std::int32_t key : {0, INT32_MAX, INT32_MIN, -1}) {
        ASSERT_TRUE(store::InsertRecordInOrder(jtest::TestDir(), {"", "", key, -1}).ok());
    }
    std::vector<std::int32_t> keys;
    const std::string bytes = jtest::ReadFileBytes(DiaryFile());
    for (std::size_t at = 0; at < bytes.size(); at += RecordSize) {
        keys.push_back(store::DecodeKey(bytes.data() + at));
    }
    EXPECT_EQ(keys, (std::vector<std::int32_t>{INT32_MIN, INT32_MIN, -1, 0, INT32_MAX, INT32_MAX}));
}

// Random bytes, but no Ctrl-Z: that ends a settings file's text.
std::string Junk(std::size_t size) {
    std::mt19937 random(8);
    std::string junk(size, '\0');
    for (char& c : junk) c = static_cast<char>(random() % 256);
    std::replace(junk.begin(), junk.end(), '\x1A', '\x1B');
    return junk;
}

// Every odd settings file reads what it holds (capacity 501) and takes a new
// value without losing another; one of gigabytes reads as empty, is not
// rewritten and the failure says why.
TEST(HostileFiles, OddSettingsFilesReadAndTakeNewValuesKeepingTheRest) {
    const struct {
        std::string bytes;
        const char* key;
        std::string value;
    } cases[] = {
        {.bytes = "[Jotwel]\r\nTextTit=" + std::string(4 << 20, 'a') + "\r\nHead0=Work",
         .key = "TextTit",
         .value = std::string(500, 'a')},
        {.bytes = "[Jotwel]\r\nHead0=Work\r", .key = "Head0", .value = "Work"},
        {.bytes = "\r", .key = "Head0", .value = ""},
        {.bytes = Junk(64 << 10) + "\n[Jotwel]\nHead0=Work\n" + Junk(1 << 10),
         .key = "Head0",
         .value = "Work"},
    };
    const std::string path = session::SettingsPath();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        jtest::WriteFileBytes(path, c.bytes);
        EXPECT_EQ(session::ReadSetting(c.key, 501), c.value);
        ASSERT_TRUE(session::WriteSetting("LastDate", "071214").ok());
        EXPECT_EQ(session::ReadSetting("LastDate", 25), "071214");
        EXPECT_EQ(session::ReadSetting(c.key, 501), c.value);
        EXPECT_EQ(Leftovers(), std::vector<std::string>{});
    }
    MakeSparse(path, off_t{5} << 30);
    EXPECT_EQ(session::ReadSetting("Today", 25), "");
    EXPECT_EQ(session::WriteSetting("LastDate", "071214").code(), EFBIG);
    EXPECT_EQ(std::filesystem::file_size(path), std::uintmax_t{5} << 30);
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

// The settings file's place: an absolute XDG_CONFIG_HOME, else ~/.config,
// ~ being an absolute HOME or else the account's home; never the folder the
// program started in.
TEST(HostileFiles, TheSettingsPlaceNeverFollowsTheStartingFolder) {
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string home = oldHome ? oldHome : "";
    const std::string account =
        std::string(::getpwuid(::getuid())->pw_dir) + "/.config/ZORVANT.INI";
    const struct {
        const char *xdg, *home;  // nullptr: unset
        std::string expected;
    } cases[] = {
        {.xdg = "/abs/conf", .home = "/h", .expected = "/abs/conf/ZORVANT.INI"},
        {.xdg = "rel/conf", .home = "/h", .expected = "/h/.config/ZORVANT.INI"},
        {.xdg = "", .home = "/h", .expected = "/h/.config/ZORVANT.INI"},
        {.xdg = nullptr, .home = nullptr, .expected = account},
        {.xdg = nullptr, .home = "relative", .expected = account},
    };
    for (const auto& c : cases) {
        c.xdg ? ::setenv("XDG_CONFIG_HOME", c.xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
        c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(session::SettingsPath(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    oldHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
}  // namespace reliability
