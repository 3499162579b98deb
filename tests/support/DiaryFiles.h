#pragma once
// Writing the diary of a test's own folder, and reading back what it left.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "store/Diary.h"
#include "support/TestEnvironment.h"

namespace jtest {

// The instant of hour:minute on a "dd/mm/yy" day.
inline dates::Instant On(const char* date, int hour = 12, int minute = 0) {
    return dates::ParseDiaryDate(date) - dates::SecondsPerDay + hour * 3600 + minute * 60;
}

// The bytes of a diary holding these records.
inline std::string DiaryOf(const std::vector<store::TEntryRecord>& records) {
    std::string bytes;
    for (const store::TEntryRecord& record : records) {
        bytes.append(store::EncodeRecord(record).data(), store::RecordSize);
    }
    return bytes;
}

// Makes the test folder's diary hold these records; none: no diary.
inline void PutDiary(const std::vector<store::TEntryRecord>& records) {
    std::remove(store::DiaryPath(TestDir()).c_str());
    if (!records.empty()) WriteFileBytes(store::DiaryPath(TestDir()), DiaryOf(records));
}

// Every record of the test folder's diary, in file order; fails the test
// when the diary cannot be read or ends in a fragment.
inline std::vector<store::TEntryRecord> DiaryRecords() {
    EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())).size() % store::RecordSize, 0u)
        << "a fragment at the end";
    auto reader = store::OpenDiaryForReading(TestDir());
    std::vector<store::TEntryRecord> records;
    for (store::TEntryRecord record; store::ReadNextRecord(*reader, &record);) {
        records.push_back(record);
    }
    EXPECT_TRUE(reader->status().ok()) << reader->status().message();
    return records;
}

}  // namespace jtest
