// The diary cli_test.py reads is what the record code makes; run with
// JOTWEL_WRITE_CLI_DIARY=1 to write it afresh after a deliberate change.
#include <cstdlib>

#include "ToolTest.h"

namespace jtest {
namespace {

TEST(CliDiary, TheCommittedCopyIsWhatTheRecordCodeMakes) {
    const std::string bytes = DiaryOf({
        store::MakeTextEntryRecord("Caf\xE9, \"quoted\"\r\nline two", "n\x80te, with comma", 7,
                                   On("01/02/14", 9, 30)),
        store::MakeTextEntryRecord("two\r\nlines", "", -1, On("02/02/14")),
        store::MakeButtonEntryRecord({"Sle,ep", "W\"ork", "Food\x81", "Mood", "Walk", "Read"},
                                     {7, 3, 10, 0, 5, 8}, On("01/02/14", 21)),
        store::MakeButtonEntryRecord({"Mood = 5 : ok", "50%", "", "Caf\xE9", "=x", "y"},
                                     {-1, 4, -1, -1, 10, -1}, On("02/02/14", 21)),
    });
    const std::string path = std::string(JOTWEL_TESTS_DIR) + "/tool/cli-diary.dat";
    if (std::getenv("JOTWEL_WRITE_CLI_DIARY") != nullptr) WriteFileBytes(path, bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes) << path;
}

}  // namespace
}  // namespace jtest
