// Taking a record apart into what its entry was made of.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "store/Diary.h"
#include "tool/EntryFields.h"

namespace {

constexpr dates::Instant kKey = 1417986309;  // 07/12/14 21:05:09 UTC

struct TextCase {
    const char* name;
    std::string summary;
    std::string note;
    std::string wantSummary;
    std::string wantNote;
};

TEST(SplitEntry, TextEntriesGiveBackTheirSummaryAndNote) {
    const std::string longSummary(499, 's');
    const TextCase cases[] = {
        {.name = "plain",
         .summary = "A good day",
         .note = "walked",
         .wantSummary = "A good day",
         .wantNote = "walked"},
        {.name = "empty note",
         .summary = "Quiet",
         .note = "",
         .wantSummary = "Quiet",
         .wantNote = ""},
        {.name = "lines in the summary",
         .summary = "first\r\nsecond  = x\r\nthird",
         .note = "note",
         .wantSummary = "first\r\nsecond  = x\r\nthird",
         .wantNote = "note"},
        {.name = "separator inside the summary",
         .summary = "a  = b",
         .note = "c",
         .wantSummary = "a  = b",
         .wantNote = "c"},
        {.name = "bytes above 127",
         .summary = "caf\xE9 \x80\x81",
         .note = "\x9D",
         .wantSummary = "caf\xE9 \x80\x81",
         .wantNote = "\x9D"},
        {.name = "note ending in a bracket",
         .summary = "x",
         .note = "(aside)",
         .wantSummary = "x",
         .wantNote = "(aside)"},
        // 499 bytes of summary: the cut at 500 keeps one byte of the separator.
        {.name = "cut before the separator",
         .summary = longSummary,
         .note = "lost",
         .wantSummary = longSummary,
         .wantNote = ""},
        {.name = "cut inside the note",
         .summary = std::string(480, 's'),
         .note = std::string(40, 'n'),
         .wantSummary = std::string(480, 's'),
         .wantNote = std::string(16, 'n')},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const tool::EntryFields fields =
            tool::SplitEntry(store::MakeTextEntryRecord(c.summary, c.note, 7, kKey));
        EXPECT_EQ(fields.kind, tool::EntryKind::kText);
        EXPECT_EQ(fields.summary, c.wantSummary);
        EXPECT_EQ(fields.note, c.wantNote);
        EXPECT_TRUE(fields.headings.empty());
    }
}

TEST(SplitEntry, TextEntryWithoutScoreIsStillText) {
    const tool::EntryFields fields =
        tool::SplitEntry(store::MakeTextEntryRecord("s", "n", -1, kKey));
    EXPECT_EQ(fields.kind, tool::EntryKind::kText);
    EXPECT_EQ(fields.note, "n");
}

TEST(SplitEntry, ButtonEntriesGiveBackEveryHeadingAndScore) {
    const std::array<std::array<std::string, 6>, 3> headingSets = {{
        {"Work", "Health", "Family", "Sleep", "Money", "Mood"},
        {"Caf\xE9", "A = 3 B", "x", "10", " ", "last = 1"},
        {"", "", "", "", "", ""},
    }};
    const std::array<int, 6> scores = {0, 10, 3, 7, 1, 9};
    for (const auto& headings : headingSets) {
        SCOPED_TRACE(headings[0] + "/" + headings[1]);
        const tool::EntryFields fields =
            tool::SplitEntry(store::MakeButtonEntryRecord(headings, scores, kKey));
        ASSERT_EQ(fields.kind, tool::EntryKind::kButton);
        ASSERT_EQ(fields.headings.size(), 6u);
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(fields.headings[i].heading, headings[i]) << i;
            EXPECT_EQ(fields.headings[i].score, scores[i]) << i;
        }
    }
}

TEST(SplitEntry, ButtonTextCutShortKeepsTheHeadingsItHas) {
    store::TEntryRecord record = store::MakeButtonEntryRecord(
        {"Work", "Health", "Family", "Sleep", "Money", "Mood"}, {1, 2, 3, 4, 5, 6}, kKey);
    record.Text.resize(record.Text.find("Sleep") + 3);
    const tool::EntryFields fields = tool::SplitEntry(record);
    ASSERT_EQ(fields.headings.size(), 3u);
    EXPECT_EQ(fields.headings[2].heading, "Family");
    EXPECT_EQ(fields.headings[2].score, 3);
}

TEST(SplitEntry, ButtonTextOfManyFalseScoresIsReadQuickly) {
    // 71 places that look like a score and separator but never lead to a
    // whole reading: a search trying each combination would not finish.
    store::TEntryRecord record;
    for (int i = 0; i < 71; ++i) record.Text += "a = 1 : ";
    record.Text.resize(store::MaxTextLength);
    record.Stamp = "07/12/14";
    const tool::EntryFields fields = tool::SplitEntry(record);
    ASSERT_EQ(fields.headings.size(), 6u);  // the six at its start; the rest fits no heading
    EXPECT_EQ(fields.headings[0].heading, "a");
}

TEST(SplitEntry, ButtonRecordNotInTheButtonFormatKeepsItsTextAsSummary) {
    store::TEntryRecord record;
    record.Text = "written by something else";
    record.Stamp = "07/12/14";
    record.Key = kKey;
    const tool::EntryFields fields = tool::SplitEntry(record);
    EXPECT_EQ(fields.kind, tool::EntryKind::kButton);
    EXPECT_TRUE(fields.headings.empty());
    EXPECT_EQ(fields.summary, record.Text);
}

}  // namespace
