#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include "store/Diary.h"
#include "support/TestEnvironment.h"

namespace rtest {

dates::Instant At(const char* date, int hour) {
    return dates::ParseDiaryDate(date) - dates::SecondsPerDay + hour * 3600;
}

store::TEntryRecord TextEntry(dates::Instant key, std::string text, int score) {
    return {std::move(text), dates::FormatStamp(key), static_cast<std::int32_t>(key), score};
}

store::TEntryRecord ButtonEntry(dates::Instant key, std::string text) {
    return {std::move(text), dates::FormatShortDate(key), static_cast<std::int32_t>(key), -1};
}

void PutDiary(const std::vector<store::TEntryRecord>& records) {
    std::string bytes;
    for (const store::TEntryRecord& record : records) {
        const store::RecordBytes encoded = store::EncodeRecord(record);
        bytes.append(encoded.data(), encoded.size());
    }
    jtest::WriteFileBytes(store::DiaryPath(jtest::TestDir()), bytes);
}

std::vector<store::TEntryRecord> DiaryRecords() {
    auto reader = store::OpenDiaryForReading(jtest::TestDir());
    std::vector<store::TEntryRecord> records;
    for (store::TEntryRecord record; store::ReadNextRecord(*reader, &record);) {
        records.push_back(record);
    }
    EXPECT_TRUE(reader->status().ok()) << reader->status().message();
    return records;
}

std::string ListingBytes() {
    return jtest::ReadFileBytes(jtest::InTestDir("listd.tmp"));
}

std::string ListingOf(const std::vector<std::string>& lines) {
    std::string bytes = "Date\tEvents\tScore\tDate/time entered\r\n";
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> ListOf(const std::vector<std::string>& lines, const std::string& search) {
    std::vector<std::string> list = {"Date\tNews\tScore\tDate/time entered", " "};
    if (!search.empty()) list.push_back("Searching for: " + search);
    list.insert(list.end(), lines.begin(), lines.end());
    list.push_back(std::string(150, '-'));
    return list;
}

}  // namespace rtest
