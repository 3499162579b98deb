// Files as no run of the program leaves them, handed to the program as it
// is: a diary of several gigabytes, a diary with a fragment, records whose
// Text or Stamp lack their terminator, keys at the ends of 32 bits, and
// settings files that are huge, have megabyte lines, hold binary junk or
// end without a line end. Each is read without a crash, a hang or memory
// that grows with the file, and a change keeps every whole record.
#include <fcntl.h>
#include <gtest/gtest.h>
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
#include "app/Settings.h"
#include "reports/Report.h"
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
    std::size_t largestRead = 0;
    std::size_t bytesRead = 0;

    platform::Status NewSequentialFile(const std::string& path,
                                       std::unique_ptr<platform::SequentialFile>* result) override;
};

class CountingFile : public platform::SequentialFile {
public:
    CountingFile(ReadCountingEnv* env, std::unique_ptr<platform::SequentialFile> file)
        : env_(env), file_(std::move(file)) {}
    platform::Status Read(std::size_t n, char* buffer, std::size_t* got) override {
        env_->largestRead = std::max(env_->largestRead, n);
        const platform::Status status = file_->Read(n, buffer, got);
        env_->bytesRead += *got;
        return status;
    }

private:
    ReadCountingEnv* env_;
    std::unique_ptr<platform::SequentialFile> file_;
};

platform::Status ReadCountingEnv::NewSequentialFile(
    const std::string& path, std::unique_ptr<platform::SequentialFile>* result) {
    std::unique_ptr<platform::SequentialFile> file;
    platform::Status status = target()->NewSequentialFile(path, &file);
    if (status.ok()) *result = std::make_unique<CountingFile>(this, std::move(file));
    return status;
}

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

std::string Tail(const std::string& path, std::size_t bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    in.seekg(size - static_cast<std::streamoff>(bytes));
    std::string tail(bytes, '\0');
    in.read(tail.data(), static_cast<std::streamsize>(bytes));
    return tail;
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
    const store::RecordBytes bytes = store::EncodeRecord(added);
    EXPECT_EQ(Tail(DiaryFile(), RecordSize), std::string(bytes.data(), bytes.size()));
    EXPECT_FALSE(std::filesystem::exists(store::HoldPath(jtest::TestDir())));
}

// Text and Stamp that fill their fields with no terminator, keys at both
// ends of 32 bits, and a fragment: read, listed, found and deleted
// without reading one field into the next; the fragment goes with the
// first change.
TEST(HostileFiles, UnterminatedFieldsLimitKeysAndAFragmentAreReadListedAndDeleted) {
    std::string full(RecordSize, '\0');
    std::fill_n(full.begin(), store::TextFieldSize, 'T');
    std::fill_n(full.begin() + store::TextFieldSize, store::StampFieldSize, 'S');
    const TEntryRecord lowest{"lowest", "13/12/01", INT32_MIN, -1};
    const TEntryRecord highest{"highest", "19/01/38 @ 03:14:07", INT32_MAX, 10};
    jtest::WriteFileBytes(DiaryFile(), DiaryOf({lowest}) + full + DiaryOf({highest}) + "frag");

    std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(jtest::TestDir());
    std::vector<TEntryRecord> records;
    for (TEntryRecord r; store::ReadNextRecord(*reader, &r);) records.push_back(r);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].Text, std::string(store::TextFieldSize, 'T'));
    EXPECT_EQ(records[1].Stamp, std::string(store::StampFieldSize, 'S'));
    EXPECT_EQ(records[1].Key, 0);

    // From 13/12/1901 (years below 50 read as 20yy, so -99 is 1901) to 2049.
    const reports::ReportResult report =
        reports::MakeReport(jtest::TestDir(), {"13/12/-99", "31/12/49", "", "07/12/14"});
    EXPECT_TRUE(report.diaryStatus.ok());
    const std::string fullLine = store::FirstListedPiece(records[1]);
    ASSERT_FALSE(fullLine.empty());
    EXPECT_EQ(std::count(report.listLines.begin(), report.listLines.end(), fullLine), 1);

    const std::optional<store::RecordLocation> found =
        store::FindKeyForLine(jtest::TestDir(), fullLine);
    ASSERT_TRUE(found && found->index == 1);
    ASSERT_TRUE(store::DeleteRecordAt(jtest::TestDir(), *found).ok());
    EXPECT_EQ(jtest::ReadFileBytes(DiaryFile()), DiaryOf({lowest, highest}));
}

TEST(HostileFiles, KeysAtTheEndsOf32BitsAreOrderedSigned) {
    jtest::WriteFileBytes(DiaryFile(),
                          DiaryOf({{"min", "", INT32_MIN, -1}, {"max", "", INT32_MAX, -1}}));
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

// A settings file of gigabytes is not read (it reads as no settings) and
// not rewritten; the failure says why.
TEST(HostileFiles, AHugeSettingsFileIsLeftAloneAndNotLoaded) {
    const std::string path = app::SettingsPath();
    MakeSparse(path, off_t{5} << 30);
    EXPECT_EQ(app::ReadSetting("Today", 25), "");
    const platform::Status written = app::WriteSetting("LastDate", "071214");
    EXPECT_EQ(written.code(), EFBIG) << written.message();
    EXPECT_EQ(std::filesystem::file_size(path), std::uintmax_t{5} << 30);
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

std::string Junk(std::size_t size) {
    std::mt19937 random(8);
    std::string junk(size, '\0');
    for (char& c : junk) c = static_cast<char>(random() % 256);
    return junk;
}

// Every odd settings file still reads what it holds and takes a new value
// without losing another.
TEST(HostileFiles, OddSettingsFilesReadAndTakeNewValuesKeepingTheRest) {
    const std::string megabytes(4 << 20, 'a');
    const struct {
        const char* name;
        std::string bytes;
        const char* key;    // a key the file holds,
        std::string value;  // read with capacity 501 as this
    } cases[] = {
        {"megabyte line", "[Jotwel]\r\nTextTit=" + megabytes + "\r\nHead0=Work", "TextTit",
         std::string(500, 'a')},
        {"no line end", "[Jotwel]\r\nHead0=Work", "Head0", "Work"},
        {"ends in a bare CR", "[Jotwel]\r\nHead0=Work\r", "Head0", "Work"},
        {"only a CR", "\r", "Head0", ""},
        {"binary junk", Junk(64 << 10) + "\n[Jotwel]\nHead0=Work\n" + Junk(1 << 10), "Head0",
         "Work"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        jtest::WriteFileBytes(app::SettingsPath(), c.bytes);
        EXPECT_EQ(app::ReadSetting(c.key, 501), c.value);
        ASSERT_TRUE(app::WriteSetting("LastDate", "071214").ok());
        EXPECT_EQ(app::ReadSetting("LastDate", 25), "071214");
        EXPECT_EQ(app::ReadSetting(c.key, 501), c.value);
        EXPECT_EQ(Leftovers(), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace reliability
