// check, merge, versions, restore and edit: entries taken apart, the form
// edit shows and reads back, and the command driven by shell scripts as
// $VISUAL.

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ToolTest.h"
#include "session/Settings.h"
#include "tool/EditForm.h"
#include "tool/EntryFields.h"

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
    EXPECT_EQ(DiaryBytes(), before);
    EXPECT_EQ(VersionNames().size(), 0u);

    const std::string run = Out({"merge", "other.dat"});
    EXPECT_EQ(DiaryBytes(), DiaryOf({kA, kA, kB, kB2, kD, kX, kY}));
    EXPECT_EQ(VersionNames().size(), 1u);
    EXPECT_THAT(run, AllOf(HasSubstr("Added 3 entries from other.dat:\n  02/03/14 @ 12:00:00  "
                                     "score 2: b, as changed"),
                           HasSubstr("kept as the version Jotwel-")));
    EXPECT_THAT(Out({"merge", "other.dat"}), HasSubstr("Nothing to add: the diary is unchanged."));
    EXPECT_EQ(DiaryBytes(), DiaryOf({kA, kA, kB, kB2, kD, kX, kY}));
    EXPECT_EQ(VersionNames().size(), 1u);
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
        EXPECT_EQ(DiaryBytes(), now_);
    }
    EXPECT_EQ(Out({"restore", version_}, " Yes \n"),
              "Restored " + store::DiaryPath(TestDir()) + " from the version " + version_ +
                  ".\nThe diary as it was is kept as the version "
                  "Jotwel-2020-06-15-120000.dat.\n");
    EXPECT_EQ(DiaryBytes(), DiaryOf(SampleDiary()));
}

// Failing before the copy is in place, the diary stays; after, it is restored.
TEST_F(VersionsCommandTest, AFailedRestoreSaysWhyAndWhetherTheDiaryWasReplaced) {
    faults_.FailNth(1, platform::FaultEnv::kWrite, ENOSPC);
    ToolRun run = RunTool({"restore", version_, "--yes"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.err, AllOf(StartsWith("jotwel-tool: restore: "),
                               HasSubstr(std::strerror(ENOSPC)), EndsWith("Nothing restored.\n")));
    EXPECT_EQ(DiaryBytes(), now_);
    fs::remove(store::VersionsPath(TestDir()) + "/Jotwel-2020-06-15-120000.dat");
    faults_.FailNth(3, platform::FaultEnv::kSync | platform::FaultEnv::kSyncDir, EIO);
    run = RunTool({"restore", version_, "--yes"});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_THAT(run.out, StartsWith("Restored "));
    EXPECT_THAT(run.err, ::testing::Not(HasSubstr("Nothing restored")));
}

constexpr dates::Instant kKey = 1417986309;  // 07/12/14 21:05:09 UTC

// Texts cut at 500 bytes keep what is left; a foreign text is the summary; many
// false scores are read without trying each combination (which never ends).
TEST(SplitEntry, CutOrDamagedTextsKeepWhatTheyCan) {
    const std::string s499(499, 's');
    EXPECT_EQ(tool::SplitEntry(store::MakeTextEntryRecord(s499, "lost", 7, kKey)).summary, s499);
    EXPECT_EQ(tool::SplitEntry(store::MakeTextEntryRecord(s499, "lost", 7, kKey)).note, "");
    store::TEntryRecord cut = store::MakeButtonEntryRecord(
        {"Work", "Health", "Family", "Sleep", "Money", "Mood"}, {1, 2, 3, 4, 5, 6}, kKey);
    cut.Text.resize(cut.Text.find("Sleep") + 3);
    EXPECT_EQ(tool::SplitEntry(cut).headings,
              (std::vector<tool::HeadingScore>{{"Work", 1}, {"Health", 2}, {"Family", 3}}));
    const store::TEntryRecord foreign{"written by something else", "07/12/14", kKey, -1};
    const tool::EntryFields fields = tool::SplitEntry(foreign);
    EXPECT_EQ(fields.kind, tool::EntryKind::kButton);
    EXPECT_TRUE(fields.headings.empty());
    EXPECT_EQ(fields.summary, foreign.Text);
    store::TEntryRecord falseScores{"", "07/12/14", kKey, -1};
    for (int i = 0; i < 71; ++i) falseScores.Text += "a = 1 : ";
    falseScores.Text.resize(store::MaxTextLength);
    EXPECT_EQ(tool::SplitEntry(falseScores).headings.size(), 6u);
}

// For awkward headings and all 64 patterns of unscored rows, with and without
// the headings the settings hold.
TEST(SplitEntry, EveryButtonEntryReadsBackRowByRow) {
    const tool::KnownHeadings sets[] = {
        {"a=b", "x:y 3 :", "100% %s", "Caf\xE9 \xFC\x80\x81", std::string(23, 'W'), "10"},
        {"", " ", "", "=", ":", "-1"},
    };
    for (const tool::KnownHeadings& headings : sets) {
        for (int pattern = 0; pattern < 64; ++pattern) {
            std::array<int, 6> scores{};
            std::vector<tool::HeadingScore> want;
            for (std::size_t row = 0; row < 6; ++row) {
                scores[row] =
                    (pattern >> row & 1) ? static_cast<int>((pattern + row * 3) % 11) : -1;
                want.push_back({headings[row], scores[row]});
            }
            const auto record = store::MakeButtonEntryRecord(headings, scores, kKey);
            EXPECT_EQ(tool::SplitEntry(record, &headings).headings, want) << pattern;
            EXPECT_EQ(tool::SplitEntry(record).headings, want) << headings[0] << pattern;
        }
    }
}

const tool::KnownHeadings kHeadings = {"Sleep", "Work = 3 :", "Food", "Mood", "", "Read"};
const store::TEntryRecord kText = store::MakeTextEntryRecord("Quiet day\r\nread in the evening",
                                                             "Knee fine", 6, On("06/12/14", 21));
const store::TEntryRecord kButtons =
    store::MakeButtonEntryRecord(kHeadings, {7, -1, 10, 0, -1, 8}, On("06/12/14", 22));
const store::TEntryRecord kOther = store::MakeTextEntryRecord("other", "", 2, On("05/12/14"));

// The mistake named in the form of record with from replaced by to, or "".
std::string Mistake(const store::TEntryRecord& record, const std::string& from,
                    const std::string& to) {
    const tool::EntryFields fields = tool::SplitEntry(record, &kHeadings);
    std::string why;
    std::string form = tool::MakeEditForm(record, fields, "Most Memorable Event", &why);
    if (form.find(from) == std::string::npos) return "no " + from;
    form.replace(form.find(from), from.size(), to);
    store::TEntryRecord edited = record;
    return tool::ReadEditForm(form, record, fields, &edited, &why) ? "" : why;
}

// Score on line 7, Note on 8, Summary on 9; the button rows on lines 5 to 10.
TEST(EditForm, AMistakeIsNamedByItsLine) {
    const std::string q(480, 'q');
    const struct {
        bool button = false;
        std::string from, to;
        const char* why;
    } cases[] = {
        {.from = "Score: 6", .to = "Score: 11", .why = "line 7: the score must be 0 to 10"},
        {.from = "Knee fine", .to = "\xE2\x86\x92", .why = "line 8: \"\xE2\x86\x92\" cannot be"},
        {.from = "read in", .to = "read\tin\x01", .why = "line 11: holds the control character"},
        {.from = "Score: 6\n", .to = "", .why = "the form has no \"Score:\" line"},
        {.from = "Quiet day", .to = q, .why = "line 9: the summary is 501"},
        {.from = "read in the evening", .to = q, .why = "line 8: the summary and the note are"},
        {.button = true, .from = "0   Mood\n", .to = "", .why = "the form has 5 rows"},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(Mistake(c.button ? kButtons : kText, c.from, c.to), StartsWith(c.why));
    }
}

// The command on a diary of three entries, with an editor that is a script.
class EditTest : public ToolTest {
protected:
    void SetUp() override {
        for (std::size_t i = 0; i < 6; ++i) {
            ASSERT_TRUE(session::WriteSetting(session::HeadingKey(i), kHeadings[i]).ok());
        }
        PutDiary(DiaryOf({kOther, kText, kButtons}));
        setenv("TMPDIR", TestDir().c_str(), 1);  // the form's file, and the scripts' marks
    }
    void TearDown() override {
        unsetenv("VISUAL");
        unsetenv("TMPDIR");
    }
    // Runs the tool with args and the editor a script of body ("$1" is the form).
    ToolRun Run(const std::vector<std::string>& args, const std::string& body,
                const std::string& input = "") {
        // A script of its own each time, never rewritten: should the test
        // process itself become the editor, it ends with that script's status.
        const std::string path = InTestDir("editor" + std::to_string(++editors_) + ".sh");
        WriteFileBytes(path, "#!/bin/sh\n" + body + "\n");
        chmod(path.c_str(), 0700);
        setenv("VISUAL", path.c_str(), 1);
        return RunTool(args, input);
    }

    const std::string before_ = DiaryOf({kOther, kText, kButtons});
    int editors_ = 0;
};

// The mark editor gives a score of 11, refused; on its second run (when the
// edit is offered again on a yes) it gives 4.
const char* const kMarkEditor =
    "if [ -e \"$1.seen\" ]; then sed -i 's/^11 /4  /' \"$1\"; "
    "else touch \"$1.seen\"; sed -i 's/^10 /11 /' \"$1\"; fi";

TEST_F(EditTest, NothingChangesWhenTheEditIsNotMade) {
    // First an editor that fails, so that the test process cannot become it.
    ToolRun run =
        Run({"edit", "--key", std::to_string(kText.Key)}, "echo 'Score: 1' > \"$1\"; exit 3");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("ended with status 3; nothing changed"));
    // A day of several entries lists their keys.
    run = Run({"edit", "06/12/14"}, "exit 0");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, AllOf(HasSubstr("--key " + std::to_string(kText.Key)),
                               HasSubstr("--key " + std::to_string(kButtons.Key))));
    run = Run({"edit", "--key", std::to_string(kButtons.Key)}, "touch \"$1\"");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "No change: the entry is as it was.\n");
    run = Run({"edit", "--key", std::to_string(kButtons.Key)}, kMarkEditor, "n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("line 7: the row must start with its score"));
    EXPECT_EQ(DiaryBytes(), before_);
    EXPECT_EQ(VersionNames().size(), 0u);
}

TEST_F(EditTest, AnEditReplacesThatRecordAfterKeepingAVersion) {
    ToolRun run = Run({"edit", "--key", std::to_string(kText.Key)},
                      "sed -i -e 's/^Score: 6/Score: 9/' -e 's/^Note: .*/Note: caf\xC3\xA9 "
                      "\xE2\x82\xAC/' \"$1\"");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("Changed the entry 06/12/14 @ 21:00:00"));
    const store::TEntryRecord edited{"Quiet day\r\nread in the evening  = caf\xE9 \x80)",
                                     kText.Stamp, kText.Key, 9};
    EXPECT_EQ(DiaryRecords(), (std::vector<store::TEntryRecord>{kOther, edited, kButtons}));
    EXPECT_EQ(VersionNames().size(), 1u);
    // A day of one entry is named by its date.
    run = Run({"edit", "5/12/14"}, "sed -i -e 's/^Score: .*/Score: -/' \"$1\"");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DiaryRecords()[0].Score, -1);
    run = Run({"edit", "--key", std::to_string(kButtons.Key)}, kMarkEditor, "\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DiaryRecords()[2],
              store::MakeButtonEntryRecord(kHeadings, {7, -1, 4, 0, -1, 8}, kButtons.Key));
}

}  // namespace
}  // namespace jtest
