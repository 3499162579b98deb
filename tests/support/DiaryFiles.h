#pragma once
// The diary of a test's own folder: records made for it, written, and read
// back; and the versions kept of it.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "store/Diary.h"
#include "store/Versions.h"
#include "support/TestEnvironment.h"

namespace jtest {

using Records = std::vector<store::TEntryRecord>;

// The instant of hour:minute on a "dd/mm/yy" day.
inline dates::Instant On(const char* date, int hour = 12, int minute = 0) {
    return dates::ParseDiaryDate(date) - dates::SecondsPerDay + hour * 3600 + minute * 60;
}

// A record with text and score, keyed and stamped at key.
inline store::TEntryRecord Rec(dates::Instant key, std::string text = "entry", int score = -1) {
    return {std::move(text), dates::FormatStamp(key), static_cast<std::int32_t>(key), score};
}

// The bytes of a diary holding these records.
inline std::string DiaryOf(const Records& records) {
    std::string bytes;
    for (const store::TEntryRecord& record : records) {
        bytes.append(store::EncodeRecord(record).data(), store::RecordSize);
    }
    return bytes;
}

inline void PutDiary(const std::string& bytes) {
    WriteFileBytes(store::DiaryPath(TestDir()), bytes);
}
inline void PutDiary(const Records& records, const std::string& tail = "") {
    PutDiary(DiaryOf(records) + tail);
}

// The diary's bytes; nothing when there is no diary.
inline std::optional<std::string> DiaryBytes() {
    const std::string path = store::DiaryPath(TestDir());
    if (!std::filesystem::exists(path)) return std::nullopt;
    return ReadFileBytes(path);
}

// Every record a reader returns, in file order; fails the test when the
// reader reports a failure.
inline Records ReadDiary() {
    auto reader = store::OpenDiaryForReading(TestDir());
    Records records;
    for (store::TEntryRecord record; store::ReadNextRecord(*reader, &record);) {
        records.push_back(record);
    }
    EXPECT_TRUE(reader->status().ok()) << reader->status().message();
    return records;
}

// As ReadDiary, and fails the test when the diary ends in a fragment: what
// a whole save leaves.
inline Records DiaryRecords() {
    EXPECT_EQ(DiaryBytes().value_or("").size() % store::RecordSize, 0u) << "a fragment at the end";
    return ReadDiary();
}

// The names of the versions kept, oldest first.
inline std::vector<std::string> VersionNames() {
    std::vector<store::DiaryVersion> versions;
    EXPECT_TRUE(store::ListVersions(TestDir(), &versions).ok());
    std::vector<std::string> names;
    for (const store::DiaryVersion& version : versions) names.push_back(version.name);
    return names;
}

}  // namespace jtest
