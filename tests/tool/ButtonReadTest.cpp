// Every button entry the program can compose is read back whole.
//
// Method: for each set of headings (plain ones, awkward ones holding "=",
// ":", digits, "%", letters above 127 and 23 characters, and ones that
// themselves look like the button format) and each of the 64 patterns of
// scored and unscored rows, the entry is composed by the program's own
// composition (store::MakeButtonEntryRecord), appended to a diary by the
// store, read back through the tool's reader and compared row by row; the
// exports and the chart are then checked for what they make of the
// unscored rows.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ToolTest.h"
#include "platform/CodePage.h"
#include "store/ButtonText.h"
#include "tool/ChartData.h"
#include "tool/EntryFields.h"
#include "tool/ExportFormats.h"

namespace jtest {
namespace {

using tool::KnownHeadings;

struct HeadingSet {
    const char* name;
    KnownHeadings headings;
    // Whether the text alone tells the headings apart (no heading holds
    // " = " followed by a score), so no known headings are needed.
    bool readableAlone;
};

const HeadingSet kSets[] = {
    {.name = "plain",
     .headings = {"Work", "Health", "Money", "Family", "Hobby", "Weather"},
     .readableAlone = true},
    {.name = "awkward",
     .headings = {"a=b", "x:y 3 :", "100% %s", "Caf\xE9 \xFC\x80\x81", std::string(23, 'W'), "10"},
     .readableAlone = true},
    {.name = "empty and blank", .headings = {"", " ", "", "=", ":", "-1"}, .readableAlone = true},
    {.name = "like the format",
     .headings = {"Mood = 5 : ok", " = ", "a = -1 :", "= 10", "b = 0 : c = 1 :", "x = 7"},
     .readableAlone = false},
};

// The score of row in pattern: unscored when its bit is clear, otherwise
// a score that walks 0..10 over the patterns.
int ScoreOf(int pattern, std::size_t row) {
    if ((pattern >> row & 1) == 0) return store::kNotScored;
    return static_cast<int>((static_cast<std::size_t>(pattern) + row * 3) % 11);
}

std::array<int, 6> Scores(int pattern) {
    std::array<int, 6> scores{};
    for (std::size_t row = 0; row < 6; ++row) scores[row] = ScoreOf(pattern, row);
    return scores;
}

class ButtonReadTest : public ToolTest {
protected:
    // Writes the 64 entries of set through the store and reads them back
    // through the tool's reader.
    std::vector<store::TEntryRecord> WriteAndRead(const HeadingSet& set) {
        std::remove(store::DiaryPath(TestDir()).c_str());
        for (int pattern = 0; pattern < 64; ++pattern) {
            const auto record = store::MakeButtonEntryRecord(set.headings, Scores(pattern),
                                                             On("01/03/20") + pattern * 3600 * 25);
            EXPECT_TRUE(store::AppendRecord(TestDir(), record).ok());
        }
        std::vector<store::TEntryRecord> entries;
        listing::ReportRequest all{"01/01/05", "31/12/37", "", "15/06/20"};
        EXPECT_TRUE(
            tool::ReadSelectedEntries(TestDir(), listing::MakeCriteria(all), &entries).ok());
        EXPECT_EQ(entries.size(), 64u);
        return entries;
    }
};

TEST_F(ButtonReadTest, EveryPatternOfScoredAndUnscoredRowsReadsBackRowByRow) {
    for (const HeadingSet& set : kSets) {
        SCOPED_TRACE(set.name);
        const std::vector<store::TEntryRecord> entries = WriteAndRead(set);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int pattern = static_cast<int>(i);
            std::vector<tool::HeadingScore> expected;
            for (std::size_t row = 0; row < 6; ++row) {
                expected.push_back({set.headings[row], ScoreOf(pattern, row)});
            }
            const tool::EntryFields known = tool::SplitEntry(entries[i], &set.headings);
            EXPECT_EQ(known.kind, tool::EntryKind::kButton) << "pattern " << pattern;
            EXPECT_EQ(known.headings, expected) << "pattern " << pattern;
            EXPECT_EQ(known.summary, "") << "pattern " << pattern;
            if (set.readableAlone) {
                EXPECT_EQ(tool::SplitEntry(entries[i]).headings, expected) << "pattern " << pattern;
            }
        }
    }
}

// What JSON (parsed back by Qt's parser), Markdown and the chart make of
// the same entries: a null score, "not scored", a gap.
TEST_F(ButtonReadTest, UnscoredRowsAreNullInJsonNotScoredInMarkdownAndGapsInTheChart) {
    for (const HeadingSet& set : kSets) {
        SCOPED_TRACE(set.name);
        const std::vector<store::TEntryRecord> entries = WriteAndRead(set);
        tool::ExportOptions options;
        options.known = set.headings;
        const QJsonArray array =
            QJsonDocument::fromJson(QByteArray::fromStdString(tool::FormatJson(entries, options)))
                .array();
        ASSERT_EQ(array.size(), 64);
        int notScored = 0;
        for (int pattern = 0; pattern < 64; ++pattern) {
            const QJsonObject entry = array[pattern].toObject();
            EXPECT_EQ(entry["kind"].toString(), "button");
            const QJsonArray rows = entry["headings"].toArray();
            ASSERT_EQ(rows.size(), 6) << "pattern " << pattern;
            for (std::size_t row = 0; row < 6; ++row) {
                const QJsonObject got = rows[static_cast<qsizetype>(row)].toObject();
                EXPECT_EQ(got["heading"].toString().toStdString(),
                          platform::Cp1252ToUtf8(set.headings[row]));
                const int score = ScoreOf(pattern, row);
                if (score < 0) {
                    EXPECT_TRUE(got["score"].isNull()) << "pattern " << pattern << " row " << row;
                    ++notScored;
                } else {
                    EXPECT_EQ(got["score"].toInt(-99), score) << "pattern " << pattern;
                }
            }
        }
        const std::string md = tool::FormatMarkdown(entries, {"01/01/05", "15/06/20", ""}, options);
        std::size_t shown = 0;
        for (std::size_t at = 0; (at = md.find(": not scored\n", at)) != md.npos; ++at) ++shown;
        EXPECT_EQ(shown, static_cast<std::size_t>(notScored));

        const tool::ChartData chart = tool::MakeChartData(entries, &set.headings);
        for (const tool::ChartSeries& series : chart.series) {
            std::size_t row = 0;
            while (row < 6 && platform::Cp1252ToUtf8(set.headings[row]) != series.name) ++row;
            ASSERT_LT(row, 6u) << series.name;
            // Each scored row of a pattern is one daily point: 32 of the 64.
            // (Headings that are the same share a series.)
            std::size_t same = 0;
            for (const std::string& h : set.headings) same += h == set.headings[row];
            int points = 0;
            for (const tool::ChartPoint& point : series.daily) points += point.count;
            EXPECT_GE(points, 32) << series.name;
            EXPECT_LE(points, static_cast<int>(32 * same)) << series.name;
        }
    }
}

}  // namespace
}  // namespace jtest
