// edit: the form an entry is shown in, what comes back from the editor,
// and the command driven by scripted editors (shell scripts as $VISUAL),
// on real diaries.
#include <stdlib.h>
#include <sys/stat.h>

#include <optional>

#include "ToolTest.h"
#include "session/Settings.h"
#include "store/Versions.h"
#include "tool/EditForm.h"

namespace jtest {
namespace {

const store::TEntryRecord kText = store::MakeTextEntryRecord("Quiet day\r\nread in the evening",
                                                             "Knee fine", 6, On("06/12/14", 21));
// Headings of which one looks like the button format: read by the
// headings the settings hold.
const tool::KnownHeadings kHeadings = {"Sleep", "Work = 3 :", "Food", "Mood", "", "Read"};
const store::TEntryRecord kButtons =
    store::MakeButtonEntryRecord(kHeadings, {7, -1, 10, 0, -1, 8}, On("06/12/14", 22));
const store::TEntryRecord kOther = store::MakeTextEntryRecord("other", "", 2, On("05/12/14"));

std::string FormOf(const store::TEntryRecord& record) {
    std::string why;
    return tool::MakeEditForm(record, tool::SplitEntry(record, &kHeadings), "Most Memorable Event",
                              &why);
}

// Reads form as an edit of record: the record made, or the mistake.
std::string ReadBack(const store::TEntryRecord& record, const std::string& form,
                     store::TEntryRecord* edited) {
    std::string why;
    return tool::ReadEditForm(form, record, tool::SplitEntry(record, &kHeadings), edited, &why)
               ? ""
               : why;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(EditForm, AnUntouchedFormReadsBackAsTheSameRecord) {
    for (const auto& record :
         {kText, kButtons, kOther,
          store::MakeTextEntryRecord("a\r\n\r\n# not a comment\r\n", "", -1, 5)}) {
        store::TEntryRecord edited;
        EXPECT_EQ(ReadBack(record, FormOf(record), &edited), "") << FormOf(record);
        EXPECT_EQ(edited, record) << FormOf(record);
    }
}

TEST(EditForm, ChangedFieldsComposeTheRecordAsTheDialogsWould) {
    store::TEntryRecord edited;
    std::string form = Replace(FormOf(kText), "Score: 6", "Score: 10");
    form = Replace(form, "Note: Knee fine", "Note: Caf\xC3\xA9 \xE2\x82\xAC");
    form = Replace(form, "read in the evening\n", "read\nin bed\n");
    ASSERT_EQ(ReadBack(kText, form, &edited), "");
    EXPECT_EQ(edited, (store::TEntryRecord{"Quiet day\r\nread\r\nin bed  = Caf\xE9 \x80)",
                                           kText.Stamp, kText.Key, 10}));

    form = Replace(FormOf(kButtons), "7   Sleep", "-   Sleep");
    form = Replace(form, "-   Work = 3 :", "3 Work = 3 :");
    ASSERT_EQ(ReadBack(kButtons, form, &edited), "");
    EXPECT_EQ(edited,
              store::MakeButtonEntryRecord({"Sleep", "Work = 3 :", "Food", "Mood", "", "Read"},
                                           {-1, 3, 10, 0, -1, 8}, kButtons.Key));
}

TEST(EditForm, AMistakeIsNamedByItsLine) {
    const std::string text = FormOf(kText);        // Score on line 7, Note on 8, Summary on 9
    const std::string buttons = FormOf(kButtons);  // rows on lines 5 to 10
    const struct {
        const store::TEntryRecord* record;
        std::string form;
        const char* why;
    } cases[] = {
        {.record = &kText,
         .form = Replace(text, "Score: 6", "Score: 11"),
         .why = "line 7: the score must be 0 to 10"},
        {.record = &kText,
         .form = Replace(text, "Knee fine", std::string(80, 'n')),
         .why = "line 8: the note is 80"},
        {.record = &kText,
         .form = Replace(text, "Knee fine", "\xE2\x86\x92"),
         .why = "line 8: \"\xE2\x86\x92\" cannot be kept"},
        {.record = &kText,
         .form = Replace(text, "read in", "read\tin\x01"),
         .why = "line 11: holds the control character 0x01"},
        {.record = &kText,
         .form = Replace(text, "Summary:\n", ""),
         .why = "line 9: is not a line of the form"},
        {.record = &kText,
         .form = Replace(text, "Score: 6\n", ""),
         .why = "the form has no \"Score:\" line"},
        {.record = &kText,
         .form = Replace(text, "Note: Knee fine\n", "Knee fine\n"),
         .why = "line 8: is not a line of the form"},
        {.record = &kText,
         .form = Replace(text, "Quiet day", std::string(480, 'q')),
         .why = "line 9: the summary is 501"},
        {.record = &kText,
         .form = Replace(Replace(text, "Quiet day\nread in the evening", std::string(460, 'q')),
                         "Knee fine", std::string(60, 'n')),
         .why = "line 8: the summary and the note are too long"},
        {.record = &kButtons,
         .form = Replace(buttons, "10  Food", "11  Food"),
         .why = "line 7: the row must start"},
        {.record = &kButtons,
         .form = Replace(buttons, "0   Mood\n", ""),
         .why = "the form has 5 rows"},
        {.record = &kButtons, .form = buttons + "4 more\n", .why = "line 11: is a seventh row"},
    };
    for (const auto& c : cases) {
        store::TEntryRecord edited;
        const std::string why = ReadBack(*c.record, c.form, &edited);
        EXPECT_EQ(why.rfind(c.why, 0), 0u) << why << "\n" << c.form;
    }
}

// The command, with an editor that is a shell script.
class EditTest : public ToolTest {
protected:
    void SetUp() override {
        for (std::size_t i = 0; i < 6; ++i) {
            ASSERT_TRUE(session::WriteSetting(session::HeadingKey(i), kHeadings[i]).ok());
        }
        ASSERT_TRUE(store::AppendRecord(TestDir(), kOther).ok());
        ASSERT_TRUE(store::AppendRecord(TestDir(), kText).ok());
        ASSERT_TRUE(store::AppendRecord(TestDir(), kButtons).ok());
        before_ = ReadFileBytes(store::DiaryPath(TestDir()));
        const char* tmp = std::getenv("TMPDIR");
        if (tmp != nullptr) tmpdir_ = tmp;
        setenv("TMPDIR", TestDir().c_str(), 1);  // the form's file, and the scripts' marks
    }
    void TearDown() override {
        unsetenv("VISUAL");
        if (tmpdir_) {
            setenv("TMPDIR", tmpdir_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }

    // Makes the editor a script with body ("$1" is the form's file).
    void Editor(const std::string& body) {
        const std::string path = InTestDir("editor.sh");
        WriteFileBytes(path, "#!/bin/sh\n" + body + "\n");
        chmod(path.c_str(), 0700);
        setenv("VISUAL", path.c_str(), 1);
    }
    std::vector<store::TEntryRecord> Records() {
        std::vector<store::TEntryRecord> records;
        const std::string bytes = ReadFileBytes(store::DiaryPath(TestDir()));
        for (std::size_t at = 0; at + store::RecordSize <= bytes.size(); at += store::RecordSize) {
            records.push_back(store::DecodeRecord(bytes.data() + at));
        }
        return records;
    }
    std::size_t Versions() {
        std::vector<store::DiaryVersion> versions;
        EXPECT_TRUE(store::ListVersions(TestDir(), &versions).ok());
        return versions.size();
    }

    std::string before_;
    std::optional<std::string> tmpdir_;
};

TEST_F(EditTest, AnEditReplacesThatRecordWithSameKeyAndStampAfterKeepingAVersion) {
    Editor("sed -i -e 's/^Score: 6/Score: 9/' -e 's/^Note: .*/Note: better/' \"$1\"");
    const ToolRun run = RunTool({"edit", "--key", std::to_string(kText.Key)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Changed the entry 06/12/14 @ 21:00:00"), std::string::npos) << run.out;
    const store::TEntryRecord edited{"Quiet day\r\nread in the evening  = better)", kText.Stamp,
                                     kText.Key, 9};
    EXPECT_EQ(Records(), (std::vector<store::TEntryRecord>{kOther, edited, kButtons}));
    EXPECT_EQ(Versions(), 1u);
}

TEST_F(EditTest, ADayWithOneEntryIsNamedByItsDate) {
    Editor("sed -i -e 's/^Score: .*/Score: -/' \"$1\"");
    const ToolRun run = RunTool({"edit", "5/12/14"});
    ASSERT_EQ(run.status, 0) << run.err;
    store::TEntryRecord unscored = kOther;
    unscored.Score = -1;
    EXPECT_EQ(Records(), (std::vector<store::TEntryRecord>{unscored, kText, kButtons}));
}

TEST_F(EditTest, ADayOfSeveralEntriesListsTheirKeys) {
    Editor("exit 0");
    const ToolRun run = RunTool({"edit", "06/12/14"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--key " + std::to_string(kText.Key)), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--key " + std::to_string(kButtons.Key)), std::string::npos) << run.err;
}

TEST_F(EditTest, LeavingTheEditorWithoutAChangeChangesNothing) {
    Editor("touch \"$1\"");
    const ToolRun run = RunTool({"edit", "--key", std::to_string(kButtons.Key)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "No change: the entry is as it was.\n");
    EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())), before_);
    EXPECT_EQ(Versions(), 0u);
}

// The first save holds a score of 11: refused, named by its line, edited
// again (the second run of the script) or not, as the user answers.
TEST_F(EditTest, ARefusedEditIsOfferedAgainOrLeftAlone) {
    Editor(
        "if [ -e \"$1.seen\" ]; then sed -i 's/^11 /4  /' \"$1\"; "
        "else touch \"$1.seen\"; sed -i 's/^10 /11 /' \"$1\"; fi");
    for (const char* answer : {"n\n", "\n"}) {
        SCOPED_TRACE(answer);
        const ToolRun run = RunTool({"edit", "--key", std::to_string(kButtons.Key)}, answer);
        EXPECT_NE(run.err.find("line 7: the row must start with its score"), std::string::npos)
            << run.err;
        if (answer[0] == 'n') {
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())), before_);
            EXPECT_EQ(Versions(), 0u);
        } else {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(Records()[2], store::MakeButtonEntryRecord(
                                        {"Sleep", "Work = 3 :", "Food", "Mood", "", "Read"},
                                        {7, -1, 4, 0, -1, 8}, kButtons.Key));
        }
    }
}

TEST_F(EditTest, AnEditorThatFailsChangesNothing) {
    Editor("echo 'Score: 1' > \"$1\"; exit 3");
    const ToolRun run = RunTool({"edit", "--key", std::to_string(kText.Key)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ended with status 3; nothing changed"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())), before_);
}

}  // namespace
}  // namespace jtest
