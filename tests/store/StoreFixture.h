#pragma once
// Helpers shared by the store tests: records made from a key, and the diary
// of the current test's folder written and read as records or raw bytes.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "store/Diary.h"
#include "support/DiaryFiles.h"
#include "support/TestEnvironment.h"

namespace storetest {

using jtest::DiaryBytes;
using jtest::DiaryOf;
using jtest::PutDiary;
using jtest::ReadDiary;
using jtest::Rec;
using jtest::Records;

Records RecsWithKeys(const std::vector<std::int32_t>& keys);
std::vector<std::int32_t> Keys(const Records& records);

inline const std::string& DataDir() {
    return jtest::TestDir();
}
// Whether the diary holds exactly these bytes (nothing = absent); a failure
// describes both sides by size and keys rather than raw bytes.
::testing::AssertionResult DiaryIs(const std::optional<std::string>& expected);
bool HoldExists();

}  // namespace storetest
