// Diaries written by the program's own dialogs, driven through their
// controls as the dialog tests drive them, then read by jotwel-tool: the
// button entry dialog with awkward headings and rows left unscored, and a
// text entry, exported as JSON (parsed back by Qt's parser) and Markdown.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ToolTest.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/TextEntryDialog.h"
#include "platform/CodePage.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/TextEntryIds.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "support/GuiTest.h"

namespace jtest {
namespace {

constexpr dates::Instant kNow = 1417986309;  // Sunday 7 December 2014, 21:05:09 UTC

namespace button_ids = resources::button_entry_ids;
namespace text_ids = resources::text_entry_ids;

class DialogDiaryTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        session::ResetValues();
        session::AppValues& values = session::Values();
        values.dataDirectory = TestDir();
        values.todayPreference = true;
        values.todayInstant = kNow;
        values.yesterdayInstant = kNow - dates::SecondsPerDay;
        values.todayCompactDate = dates::FormatCompactDate(kNow);
        values.todayShortDate = dates::FormatShortDate(kNow);
    }
    // The headings the dialog shows and the settings keep, as the headings
    // dialog leaves them.
    void SetHeadings(const std::array<std::string, 6>& headings) {
        session::Values().headings = headings;
        for (std::size_t i = 0; i < 6; ++i) {
            ASSERT_TRUE(session::WriteSetting(session::HeadingKey(i), headings[i]).ok());
        }
    }

    platform::ClockEnv clock_{platform::Env::Default(), kNow};
    platform::ScopedEnv useClock_{&clock_};
};

TEST_F(DialogDiaryTest, ButtonEntriesOfTheDialogExportRowByRow) {
    const std::array<std::string, 6> headings = {"Mood = 5 : ok",      "50% %s", "Caf\xE9 \x80",
                                                 std::string(23, 'x'), "",       "= -1 :"};
    SetHeadings(headings);
    // Which rows are scored, a pattern per entry; the score clicked is the
    // row's number plus the entry's.
    const int patterns[] = {0b000001, 0b100000, 0b010110, 0b111111, 0b000000, 0b101001};
    for (int e = 0; e < 6; ++e) {
        clock_.SetNow(kNow + e * 60);
        framework::testing::OnNextDialog([&](framework::TDialog& d) {
            for (std::size_t row = 0; row < 6; ++row) {
                if (patterns[e] >> row & 1) {
                    const int r = static_cast<int>(row);
                    Click(d, button_ids::ScoreButton(r, r + e));
                }
            }
            Click(d, button_ids::kOkButton);
        });
        entry::ButtonEntryDialog(nullptr).Execute();
    }
    const ToolRun run = RunTool({"export", "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray entries = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    ASSERT_EQ(entries.size(), 6);
    for (int e = 0; e < 6; ++e) {
        const QJsonObject entry = entries[e].toObject();
        EXPECT_EQ(entry["kind"].toString(), "button");
        const QJsonArray rows = entry["headings"].toArray();
        ASSERT_EQ(rows.size(), 6) << "entry " << e;
        for (std::size_t row = 0; row < 6; ++row) {
            const QJsonObject got = rows[static_cast<qsizetype>(row)].toObject();
            EXPECT_EQ(got["heading"].toString().toStdString(),
                      platform::Cp1252ToUtf8(headings[row]));
            if (patterns[e] >> row & 1) {
                EXPECT_EQ(got["score"].toInt(-99), static_cast<int>(row) + e) << e << "/" << row;
            } else {
                EXPECT_TRUE(got["score"].isNull()) << e << "/" << row;
            }
        }
    }
}

TEST_F(DialogDiaryTest, MarkdownTitlesTheNoteWithTheUsersNoteTitle) {
    ASSERT_TRUE(session::WriteSetting("TextTit", "Best *bit* of the day:").ok());
    framework::testing::OnNextDialog([](framework::TDialog& d) {
        Type(d, text_ids::kSummaryBox, "Walked to the lake");
        Type(d, text_ids::kNoteBox, "a heron");
        Click(d, text_ids::ScoreButton(5));
        Click(d, text_ids::kOkButton);
    });
    entry::TextEntryDialog(nullptr).Execute();
    const ToolRun run = RunTool({"export", "--format", "markdown"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Walked to the lake\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n*Best \\*bit\\* of the day:* a heron\n"), std::string::npos)
        << run.out;
}

}  // namespace
}  // namespace jtest
