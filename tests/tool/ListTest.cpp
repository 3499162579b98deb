// list against the reports dialog itself: for the same three fields the
// tool prints exactly the lines the dialog's list shows, and leaves the
// listing file alone.
#include <QListView>
#include <cstdio>
#include <filesystem>

#include "ToolTest.h"
#include "reports/ReportsDialog.h"
#include "reports/ReportsTest.h"
#include "resources/ids/ReportsIds.h"

namespace jtest {
namespace {

class ListTest : public ReportsTest {
protected:
    void SetUp() override {
        ReportsTest::SetUp();
        PutDiaryBytes(Bytes(SampleDiary()));
    }
    platform::ClockEnv clock_{platform::Env::Default(), On("15/06/20")};
    platform::ScopedEnv useClock_{&clock_};
};

struct Fields {
    std::string start, end, search;  // UTF-8
};

// The list the reports dialog shows after Show Results, as UTF-8 lines.
std::vector<std::string> DialogLines(const Fields& fields) {
    std::vector<std::string> lines;
    framework::testing::OnNextDialog([&](framework::TDialog& d) {
        using namespace resources::reports_ids;
        Type(d, kStartDateBox, QString::fromStdString(fields.start));
        Type(d, kEndDateBox, QString::fromStdString(fields.end));
        Type(d, kSearchBox, QString::fromStdString(fields.search));
        Click(d, kShowResultsButton);
        const QAbstractItemModel* model = ControlOf<QListView>(d, kResultsList)->model();
        for (int i = 0; i < model->rowCount(); ++i)
            lines.push_back(model->index(i, 0).data().toString().toStdString());
    });
    reports::ReportsDialog(nullptr).Execute();
    return lines;
}

std::vector<std::string> ToolLines(const Fields& fields) {
    std::vector<std::string> args = {"list"};
    if (!fields.start.empty()) args.insert(args.end(), {"--from", fields.start});
    if (!fields.end.empty()) args.insert(args.end(), {"--to", fields.end});
    if (!fields.search.empty()) args.insert(args.end(), {"--search", fields.search});
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    EXPECT_TRUE(run.out.ends_with("\n"));
    return lines;
}

TEST_F(ListTest, PrintsTheLinesTheReportsDialogShowsForTheSameFields) {
    const Fields cases[] = {
        {.start = "", .end = "", .search = ""},
        {.start = "", .end = "", .search = "BEACH"},
        {.start = "02/02/14", .end = "03/02/14", .search = ""},
        {.start = "2/2/14", .end = "3/2/14", .search = ""},
        {.start = "01/02/14", .end = "01/02/14", .search = "caf\xC3\xA9"},
        {.start = "", .end = "", .search = "nowhere"},
        {.start = "05/02/14", .end = "01/02/14", .search = ""},
        {.start = "2/2/2014", .end = "3/2/2014", .search = ""},
    };
    for (const Fields& fields : cases) {
        SCOPED_TRACE(fields.start + "|" + fields.end + "|" + fields.search);
        const std::vector<std::string> tool = ToolLines(fields);
        EXPECT_FALSE(std::filesystem::exists(InTestDir("listd.tmp")));
        // The tool shows control characters (here the C1 control the byte
        // 0x81 stands for) as "?", so that a text cannot drive the terminal.
        std::vector<std::string> dialog = DialogLines(fields);
        for (std::string& line : dialog) {
            for (std::size_t at; (at = line.find("\xC2\x81")) != std::string::npos;) {
                line.replace(at, 2, "?");
            }
        }
        EXPECT_EQ(tool, dialog);
        std::remove(InTestDir("listd.tmp").c_str());
    }
}

// The tool also takes yyyy-mm-dd, for the same days; a blank date is the
// default day, as a blank field is.
TEST_F(ListTest, IsoDatesAndBlanksMeanWhatTheDialogsDatesMean) {
    const std::pair<Fields, Fields> same[] = {
        {{"2014-02-02", "2014-02-03", ""}, {"02/02/14", "03/02/14", ""}},
        {{"2014-2-1", "2014-02-01", ""}, {"1/2/14", "01/02/14", ""}},
        {{" / ", " ", ""}, {"", "", ""}},
    };
    for (const auto& [tool, dialog] : same) {
        SCOPED_TRACE(tool.start + "|" + tool.end);
        EXPECT_EQ(ToolLines(tool), ToolLines(dialog));
    }
}

// A text holding an escape sequence cannot drive the terminal.
TEST_F(ListTest, ControlCharactersAreShownAsQuestionMarks) {
    PutDiaryBytes(
        Bytes({store::MakeTextEntryRecord("\x1B]0;owned\x07\x1B[2J\x7F\x9D"
                                          "0;x\x9C\x81",
                                          "", 1, On("01/02/14"))}));
    EXPECT_EQ(ToolLines({}),
              ListOf({"01/02/14 @ 12:00:00 Score = 1   ?]0;owned??[2J??0;x\xC5\x93?  = )"}));
}

// A trailing fragment is skipped, with a warning.
TEST_F(ListTest, AFragmentIsWarnedOf) {
    PutDiaryBytes(Bytes(SampleDiary()) + "xy");
    const ToolRun run = RunTool({"list", "--search", "quiet"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(run.out.find("03/02/14")),
              "03/02/14 @ 12:00:00 Score = 0   quiet # day [link](x)  = - not a list)\n" +
                  std::string(150, '-') + "\n");
    EXPECT_NE(run.err.find(": the last 2 bytes are not a whole record"), std::string::npos);
}

}  // namespace
}  // namespace jtest
