// check, merge, versions and restore.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ToolTest.h"

namespace jtest {
namespace {

namespace fs = std::filesystem;

store::TEntryRecord TextAt(dates::Instant key) {
    return store::MakeTextEntryRecord("entry", "", 5, key);
}

// A record whose text field and stamp field hold no NUL; the stamp starts
// with a control character.
std::string Unterminated() {
    store::RecordBytes bytes = store::EncodeRecord(TextAt(On("02/02/14")));
    std::fill(bytes.begin(), bytes.begin() + store::KeyOffset, '1');
    bytes[store::TextFieldSize] = '\x01';
    return std::string(bytes.data(), bytes.size());
}

std::string At(int index, int offset, const std::string& stamp) {
    return "record " + std::to_string(index) + " (byte offset " + std::to_string(offset) +
           ", stamp \"" + stamp + "\"): ";
}

TEST_F(ToolTest, CheckNamesEachProblemWithItsRecordAndSumsUp) {
    const std::string diary = store::DiaryPath(TestDir());
    const std::string sample = DiaryOf(SampleDiary());
    std::string early;  // 25 records dated before 2005
    for (int i = 0; i < 25; ++i) early += DiaryOf({TextAt(On("31/12/04"))});
    const std::string stamp = "\\x01" + std::string(24, '1');
    const struct {
        std::string bytes, hold = "";  // the hold file left over, if any
        std::string out;
    } cases[] = {
        {.bytes = "", .out = ": 0 entries (0 text, 0 button), 0 bytes: no problems found\n"},
        {.bytes = sample + "xy",
         .out = ": the last 2 bytes, from byte offset 2136, are not a whole record of 534 bytes; "
                "readers skip them and the next change drops them\n" +
                diary + ": 4 entries (3 text, 1 button), 2138 bytes: 1 problem found\n"},
        {.bytes = sample.substr(0, 534) + Unterminated(),
         .out = At(2, 534, stamp) + "the text field (501 bytes) has no terminating NUL\n" +
                At(2, 534, stamp) + "the stamp field (25 bytes) has no terminating NUL\n" + diary +
                ": 2 entries (2 text, 0 button), 1068 bytes: 2 problems found\n"},
        // A button entry earlier than the text entries before it is in place.
        {.bytes = DiaryOf({TextAt(On("03/02/14")), TextAt(On("01/02/14")), TextAt(On("02/02/14")),
                           store::MakeButtonEntryRecord({}, {}, On("01/01/14"))}),
         .out = At(2, 534, "01/02/14 @ 12:00:00") + "text entry out of date order: its key " +
                std::to_string(On("01/02/14")) + " is below " + std::to_string(On("03/02/14")) +
                ", the key of record 1, the text entry before it\n" + diary +
                ": 4 entries (3 text, 1 button), 2136 bytes: 1 problem found\n"},
        // The first 20 of a kind, then a count of the rest.
        {.bytes = early,
         .out = At(20, 19 * 534, "31/12/04 @ 12:00:00") + "its key " +
                std::to_string(On("31/12/04")) +
                " falls on 2004-12-31, outside the years 2005-2038\n... and 5 more like the "
                "last\n" +
                diary + ": 25 entries (25 text, 0 button), 13350 bytes: 25 problems found\n"},
        {.bytes = sample,
         .hold = "abc",
         .out = store::HoldPath(TestDir()) +
                ": a hold file of 3 bytes is left over from a change that did not finish; the "
                "diary is as it was before that change, and the next change discards the hold "
                "file\n" +
                diary + ": 4 entries (3 text, 1 button), 2136 bytes: 1 problem found\n"},
    };
    for (const auto& c : cases) {
        PutDiary(c.bytes);
        if (!c.hold.empty()) WriteFileBytes(store::HoldPath(TestDir()), c.hold);
        const ToolRun run = RunTool({"check"});
        EXPECT_EQ(run.status, c.bytes.empty() ? 0 : tool::kExitFileError) << c.out;
        EXPECT_THAT(run.out, EndsWith(c.out));
    }
}

const auto kA = store::MakeTextEntryRecord("a", "", 1, On("01/03/14"));
const auto kB = store::MakeTextEntryRecord("b", "", 2, On("02/03/14"));
const auto kD = store::MakeTextEntryRecord("d", "", 4, On("04/03/14"));
const auto kB2 = store::MakeTextEntryRecord("b, as changed elsewhere", "", 2, On("02/03/14"));
const auto kX = store::MakeButtonEntryRecord({"S", "W", "F", "M", "A", "R"}, {1, -1, 2, 3, 4, 5},
                                             On("01/03/14", 20));
const auto kY = store::MakeButtonEntryRecord({"S", "W", "F", "M", "A", "R"}, {5, 5, 5, 5, 5, -1},
                                             On("03/03/14", 20));

// A damaged or foreign file is refused and a dry run changes nothing. A merge
// keeps a version first and every entry of both once, in diary order: a
// double entry stays double, one out of order is put in its place.
TEST_F(ToolTest, MergeFoldsTheOtherInOrChangesNothing) {
    const std::string before = DiaryOf({kB, kA, kA, kX});
    PutDiary(before);
    const struct {
        std::string bytes;
        const char* why;
    } refused[] = {
        {.bytes = DiaryOf({kA, kD}).substr(0, 700), .why = "is not a whole number of 534-byte"},
        {.bytes = std::string(store::RecordSize * 2, 'x'), .why = "whose text or stamp has no end"},
        {.bytes = DiaryOf({store::MakeTextEntryRecord("old", "", 1, 100)}), .why = "dated outside"},
    };
    for (const auto& c : refused) {
        WriteFileBytes(InTestDir("other.dat"), c.bytes);
        const ToolRun run = RunTool({"merge", "other.dat"});
        EXPECT_EQ(run.status, tool::kExitFileError);
        EXPECT_THAT(run.err, AllOf(HasSubstr(c.why), HasSubstr("Nothing merged.")));
    }
    WriteFileBytes(InTestDir("other.dat"), DiaryOf({kA, kB2, kD, kY}));
    EXPECT_THAT(Out({"merge", "other.dat", "--dry-run"}), HasSubstr("Would add 3 entries"));
    EXPECT_EQ(Diary(), before);
    EXPECT_EQ(VersionCount(), 0u);

    const std::string run = Out({"merge", "other.dat"});
    EXPECT_EQ(Diary(), DiaryOf({kA, kA, kB, kB2, kD, kX, kY}));
    EXPECT_EQ(VersionCount(), 1u);
    EXPECT_THAT(run, AllOf(HasSubstr("Added 3 entries from other.dat:\n  02/03/14 @ 12:00:00  "
                                     "score 2: b, as changed"),
                           HasSubstr("kept as the version Jotwel-")));
    EXPECT_THAT(Out({"merge", "other.dat"}), HasSubstr("Nothing to add: the diary is unchanged."));
    EXPECT_EQ(Diary(), DiaryOf({kA, kA, kB, kB2, kD, kX, kY}));
    EXPECT_EQ(VersionCount(), 1u);
}

// The sample kept on 14/06/20 09:00; the diary holds one entry.
class VersionsCommandTest : public ToolTest {
protected:
    void SetUp() override {
        PutDiary(DiaryOf(SampleDiary()));
        clock_.SetNow(On("14/06/20", 9));
        std::string made;
        ASSERT_TRUE(
            store::KeepVersionBeforeChange(TestDir(), store::DiaryChange::kDeletion, &made).ok());
        clock_.SetNow(On("15/06/20"));
        PutDiary(now_);
    }
    const std::string now_ = DiaryOf({SampleDiary()[2]});
    const std::string version_ = "Jotwel-2020-06-14-090000.dat";
};

// Asked first: no answer or another word than yes restores nothing.
TEST_F(VersionsCommandTest, ListsTheVersionsAndRestoresOnlyAfterYes) {
    EXPECT_EQ(RunTool({"versions"}).out, "Versions kept in " + store::VersionsPath(TestDir()) +
                                             ", oldest first:\n" + version_ +
                                             "  2020-06-14 09:00:00  2136 bytes  4 entries\n");
    for (const std::string answer : {"", "yess\n"}) {
        const ToolRun run = RunTool({"restore", version_}, answer);
        EXPECT_EQ(run.status, tool::kExitUserError);
        EXPECT_EQ(run.err, "Replace " + store::DiaryPath(TestDir()) + " with the version " +
                               version_ +
                               "? The diary as it is now is kept as a version first. [y/N] "
                               "Nothing restored.\n");
        EXPECT_EQ(Diary(), now_);
    }
    EXPECT_EQ(Out({"restore", version_}, " Yes \n"),
              "Restored " + store::DiaryPath(TestDir()) + " from the version " + version_ +
                  ".\nThe diary as it was is kept as the version "
                  "Jotwel-2020-06-15-120000.dat.\n");
    EXPECT_EQ(Diary(), DiaryOf(SampleDiary()));
}

// Failing before the copy is in place, the diary stays; after, it is restored.
TEST_F(VersionsCommandTest, AFailedRestoreSaysWhyAndWhetherTheDiaryWasReplaced) {
    faults_.FailNth(1, platform::FaultEnv::kWrite, ENOSPC);
    ToolRun run = RunTool({"restore", version_, "--yes"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.err, AllOf(StartsWith("jotwel-tool: restore: "),
                               HasSubstr(std::strerror(ENOSPC)), EndsWith("Nothing restored.\n")));
    EXPECT_EQ(Diary(), now_);
    fs::remove(store::VersionsPath(TestDir()) + "/Jotwel-2020-06-15-120000.dat");
    faults_.FailNth(3, platform::FaultEnv::kSync | platform::FaultEnv::kSyncDir, EIO);
    run = RunTool({"restore", version_, "--yes"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.out, StartsWith("Restored "));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("Nothing restored")));
}

}  // namespace
}  // namespace jtest
