// The diary the command-line test (cli_test.py) reads through the real
// program. It is committed beside this file so the script needs no program
// of its own to make it; here it is compared byte for byte with what the
// program's record code makes, so the two cannot drift apart. Run with
// JOTWEL_WRITE_CLI_DIARY=1 to write it afresh after a deliberate change.
#include <cstdlib>

#include "ToolTest.h"

namespace jtest {
namespace {

// Texts that CSV and JSON must carry whole: commas, quotes, a CR LF inside
// a summary, and bytes above 127 (é, the euro sign, the undefined 0x81); a
// button entry with rows left unscored under headings that look like the
// button format (the script puts them in the settings).
std::vector<store::TEntryRecord> CliDiary() {
    return {
        store::MakeTextEntryRecord("Caf\xE9, \"quoted\"\r\nline two", "n\x80te, with comma", 7,
                                   On("01/02/14", 9, 30)),
        store::MakeTextEntryRecord("two\r\nlines", "", -1, On("02/02/14")),
        store::MakeButtonEntryRecord({"Sle,ep", "W\"ork", "Food\x81", "Mood", "Walk", "Read"},
                                     {7, 3, 10, 0, 5, 8}, On("01/02/14", 21)),
        store::MakeButtonEntryRecord({"Mood = 5 : ok", "50%", "", "Caf\xE9", "=x", "y"},
                                     {-1, 4, -1, -1, 10, -1}, On("02/02/14", 21)),
    };
}

TEST(CliDiary, TheCommittedCopyIsWhatTheRecordCodeMakes) {
    const std::string path = std::string(JOTWEL_TESTS_DIR) + "/tool/cli-diary.dat";
    if (std::getenv("JOTWEL_WRITE_CLI_DIARY") != nullptr) WriteFileBytes(path, Bytes(CliDiary()));
    EXPECT_EQ(ReadFileBytes(path), Bytes(CliDiary())) << path;
}

}  // namespace
}  // namespace jtest
