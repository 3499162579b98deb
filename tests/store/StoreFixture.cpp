#include "StoreFixture.h"

#include <filesystem>

#include "dates/DiaryDates.h"

namespace storetest {

store::TEntryRecord Rec(std::int32_t key, std::string text) {
    return {std::move(text), dates::FormatStamp(key), key, -1};
}

Records RecsWithKeys(const std::vector<std::int32_t>& keys) {
    Records records;
    for (std::int32_t key : keys) records.push_back(Rec(key, "key " + std::to_string(key)));
    return records;
}

std::vector<std::int32_t> Keys(const Records& records) {
    std::vector<std::int32_t> keys;
    for (const auto& record : records) keys.push_back(record.Key);
    return keys;
}

void PutDiary(const Records& records, const std::string& tail) {
    jtest::WriteFileBytes(store::DiaryPath(DataDir()), DiaryOf(records) + tail);
}

std::optional<std::string> DiaryBytes() {
    const std::string path = store::DiaryPath(DataDir());
    if (!std::filesystem::exists(path)) return std::nullopt;
    return jtest::ReadFileBytes(path);
}

static std::string Describe(const std::optional<std::string>& bytes) {
    if (!bytes) return "no file";
    std::string text = std::to_string(bytes->size()) + " bytes, keys";
    for (std::size_t at = 0; at + store::RecordSize <= bytes->size(); at += store::RecordSize) {
        text += " " + std::to_string(store::DecodeKey(bytes->data() + at));
    }
    return text;
}

::testing::AssertionResult DiaryIs(const std::optional<std::string>& expected) {
    const std::optional<std::string> actual = DiaryBytes();
    if (actual == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "diary holds " << Describe(actual) << "; expected " << Describe(expected);
}

Records ReadAll() {
    std::unique_ptr<store::DiaryReader> reader = store::OpenDiaryForReading(DataDir());
    Records records;
    for (store::TEntryRecord record; store::ReadNextRecord(*reader, &record);)
        records.push_back(record);
    EXPECT_TRUE(reader->status().ok()) << reader->status().message();
    return records;
}

bool HoldExists() {
    return std::filesystem::exists(store::HoldPath(DataDir()));
}

}  // namespace storetest
