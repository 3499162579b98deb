#pragma once
// Reading back the diary a test left in its own folder.

#include <gtest/gtest.h>

#include <vector>

#include "store/Diary.h"
#include "support/TestEnvironment.h"

namespace jtest {

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
