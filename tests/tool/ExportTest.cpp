// export: the entries the reports dialog would list, as CSV, JSON and
// Markdown, to the standard output or a file written whole.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <filesystem>

#include "ToolTest.h"
#include "tool/ExportFormats.h"

namespace jtest {
namespace {

class ExportTest : public ToolTest {
protected:
    void SetUp() override { PutDiaryBytes(Bytes(SampleDiary())); }
};

const std::string kCafe = "Caf\xC3\xA9 on the quay, \"calm\"\r\n  second line";

TEST_F(ExportTest, CsvQuotesWhatNeedsItAndFillsTheColumnsOfEachKind) {
    const ToolRun run = RunTool({"export", "--format", "csv", "--to", "01/02/14"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "kind,date,time,key,stamp,score,summary,note,heading1,score1,heading2,score2,"
              "heading3,score3,heading4,score4,heading5,score5,heading6,score6\r\n"
              "text,2014-02-01,09:30:00," +
                  std::to_string(On("01/02/14", 9, 30)) +
                  ",01/02/14 @ 09:30:00,7,\"Caf\xC3\xA9 on the quay, \"\"calm\"\"\r\n  second "
                  "line\",saw \xE2\x82\xAC 5 seals,,,,,,,,,,,,\r\n"
                  "button,2014-02-01,21:00:00," +
                  std::to_string(On("01/02/14", 21)) +
                  ",01/02/14,,,,Sleep,7,Work,3,Food \xC2\x81,10,Mood,0,Walk,5,Read,8\r\n");
}

// Every field of a text entry is cli_test.py's (through Python's json).
TEST_F(ExportTest, JsonHoldsOneObjectPerEntryInFileOrder) {
    const ToolRun run = RunTool({"export", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonParseError error;
    const QJsonArray entries =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0]["summary"].toString().toStdString(), kCafe);
    EXPECT_TRUE(entries[1]["score"].isNull());
    EXPECT_EQ(entries[2]["score"].toInt(-1), 0);
    const QJsonObject button = entries[3].toObject();
    EXPECT_EQ(button.keys(),
              (QStringList{"date", "headings", "key", "kind", "score", "stamp", "time"}));
    EXPECT_EQ(button["date"].toString() + " " + button["time"].toString(), "2014-02-01 21:00:00");
    EXPECT_EQ(button["headings"].toArray().size(), 6);
    EXPECT_EQ(button["headings"][2].toObject(),
              (QJsonObject{{"heading", QString::fromUtf8("Food \xC2\x81")}, {"score", 10}}));
}

TEST_F(ExportTest, MarkdownHasADaySectionPerDayInDateOrderWithTextsEscaped) {
    const ToolRun run = RunTool({"export", "--format", "markdown"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "# Jotwel diary\n\nEntries from 01/01/05 to 15/06/20.\n"
              "\n## Saturday 01 February 2014\n"
              "\n### 09:30:00 \xC2\xB7 text entry \xC2\xB7 score 7\n"
              "\nCaf\xC3\xA9 on the quay, \"calm\"\\\nsecond line\n"
              "\n*Most Memorable Event:* saw \xE2\x82\xAC 5 seals\n"
              "\n### 21:00:00 \xC2\xB7 button entry\n"
              "\n- Sleep: 7\n- Work: 3\n- Food \xC2\x81: 10\n- Mood: 0\n- Walk: 5\n- Read: 8\n"
              "\n## Sunday 02 February 2014\n"
              "\n### 12:00:00 \xC2\xB7 text entry\n"
              "\nbeach " +
                  std::string(110, 'b') +
                  " tail\n"
                  "\n## Monday 03 February 2014\n"
                  "\n### 12:00:00 \xC2\xB7 text entry \xC2\xB7 score 0\n"
                  "\nquiet \\# day \\[link\\](x)\n"
                  "\n*Most Memorable Event:* \\- not a list\n");
    EXPECT_EQ(RunTool({"export", "--format", "md", "--search", "none"}).out,
              "# Jotwel diary\n\nEntries from 01/01/05 to 15/06/20 holding \xE2\x80\x9Cnone"
              "\xE2\x80\x9D.\n\nNo entries.\n");
}

TEST(MarkdownEscape, NoTextBecomesMarkupAHeadingAListOrALink) {
    const std::pair<std::string, std::string> cases[] = {
        {"# not a heading", "\\# not a heading"},
        {"    1. not code, not a list", "1\\. not code, not a list"},
        {"12) nor this", "12\\) nor this"},
        {"- x", "\\- x"},
        {"+ x", "\\+ x"},
        {"===", "\\==="},
        {"---", "\\---"},
        {"> quote", "\\> quote"},
        {"[a](http://x.org) <b>", "\\[a\\](http\\://x.org) \\<b\\>"},
        {"see WWW.x.org or a@b.c", "see WWW\\.x.org or a\\@b.c"},
        {"*_`~|&\\", "\\*\\_\\`\\~\\|\\&\\\\"},
        {"at 12:30 in 3.5 days - 1. ok +", "at 12:30 in 3.5 days - 1. ok +"},
    };
    for (const auto& [text, markdown] : cases) EXPECT_EQ(tool::EscapeMarkdownLine(text), markdown);
}

// -o writes the same bytes whole, or nothing: no file, no temporary left,
// and a message naming the file and the reason.
TEST_F(ExportTest, OutputFileIsWrittenWholeOrNotAtAll) {
    const std::string path = InTestDir("out.json");
    EXPECT_EQ(RunTool({"export", "--format", "json", "-o", path}).status, 0);
    EXPECT_EQ(ReadFileBytes(path), RunTool({"export", "--format", "json"}).out);
    std::filesystem::remove(path);

    faults_.FailNth(1, platform::FaultEnv::kRename, EACCES);
    ToolRun run = RunTool({"export", "--format", "csv", "--output", path});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.err, "jotwel-tool: " + path + ": Permission denied\n");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(TemporaryFilesIn(TestDir()).empty());

    faults_.FailNth(1, platform::FaultEnv::kRead, EIO);
    run = RunTool({"export", "--format", "csv", "-o", path});
    EXPECT_EQ(run.status, tool::kExitFileError);
    EXPECT_EQ(run.err, "jotwel-tool: " + store::DiaryPath(TestDir()) + ": Input/output error\n");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(TemporaryFilesIn(TestDir()).empty());
}

// A link planted at a temporary name beside the output (here the name once
// used, pointing at the diary) is never written through.
TEST_F(ExportTest, ALinkBesideTheOutputIsNeverWrittenThrough) {
    const std::string diary = ReadFileBytes(store::DiaryPath(TestDir()));
    const std::string path = InTestDir("x.csv");
    std::filesystem::create_symlink(store::DiaryPath(TestDir()), path + ".tmp");
    EXPECT_EQ(RunTool({"export", "--format", "csv", "-o", path}).status, 0);
    EXPECT_EQ(ReadFileBytes(store::DiaryPath(TestDir())), diary);
    EXPECT_EQ(ReadFileBytes(path), RunTool({"export", "--format", "csv"}).out);
    EXPECT_TRUE(std::filesystem::is_symlink(path + ".tmp"));
}

}  // namespace
}  // namespace jtest
