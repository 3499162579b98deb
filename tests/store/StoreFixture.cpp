#include "StoreFixture.h"

#include <filesystem>

#include "dates/DiaryDates.h"

namespace storetest {

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

bool HoldExists() {
    return std::filesystem::exists(store::HoldPath(DataDir()));
}

}  // namespace storetest
