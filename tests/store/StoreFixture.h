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

using Records = std::vector<store::TEntryRecord>;
using jtest::DiaryOf;

// A text entry record with the given key, its stamp and no score.
store::TEntryRecord Rec(std::int32_t key, std::string text = "entry");
Records RecsWithKeys(const std::vector<std::int32_t>& keys);
std::vector<std::int32_t> Keys(const Records& records);

inline const std::string& DataDir() {
    return jtest::TestDir();
}
void PutDiary(const Records& records, const std::string& tail = "");
// The diary's bytes; nothing when it is absent.
std::optional<std::string> DiaryBytes();
// Whether the diary holds exactly these bytes (nothing = absent); a failure
// describes both sides by size and keys rather than raw bytes.
::testing::AssertionResult DiaryIs(const std::optional<std::string>& expected);
// Every record a reader returns; the test fails if the reader reports a failure.
Records ReadAll();
bool HoldExists();

}  // namespace storetest
