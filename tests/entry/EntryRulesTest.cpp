// The entry dialogs' rules and texts as plain functions: the day an entry
// is stored for, whether a text entry fits its record, the score of a row,
// the note title, and the texts that name the day.
#include <gtest/gtest.h>

#include <string>

#include "entry/EntryRules.h"
#include "entry/EntryTexts.h"

namespace {

// Sunday 07/12/14 21:05:09 UTC (TZ=UTC in every test).
constexpr dates::Instant kToday = 1417986309;
// Tuesday 17/03/15 08:00:00 UTC.
constexpr dates::Instant kSeventeenth = 1426579200;

// The dialogs' tests cover the other texts; this is the two-digit day.
TEST(EntryTextsTest, TodayBoxHeadingRightAlignsTheDayInTwoPlaces) {
    EXPECT_EQ(entry::TodayBoxTexts(true, kToday).heading,
              "OK, Enter Events for TODAY!  ( 7 December)");
    EXPECT_EQ(entry::TodayBoxTexts(true, kSeventeenth).heading,
              "OK, Enter Events for TODAY!  (17 March)");
}

TEST(EntryRulesTest, EntryInstantFollowsTheBoxes) {
    const dates::Instant now = kToday + 120;
    const dates::Instant christmas = dates::ParseDiaryDate("25/12/10");
    EXPECT_EQ(entry::EntryInstant(true, std::nullopt, now), now);
    EXPECT_EQ(entry::EntryInstant(false, std::nullopt, now), now - 86400);
    // The start of the special date, counted without a zone offset, whatever
    // the today box says.
    EXPECT_EQ(entry::EntryInstant(true, christmas, now), 1293235200);
    EXPECT_EQ(entry::EntryInstant(false, christmas, now), 1293235200);
}

TEST(EntryRulesTest, OnlyTheCompositionsOwnTailMayBeCut) {
    struct Case {
        std::size_t summary, note, toRemove;
    };
    const Case cases[] = {
        {0, 0, 0},    {499, 0, 0},  {500, 0, 0},  // "  = )" may all go
        {501, 0, 1},  {495, 1, 0},  {496, 1, 1},  // only ")" may go after a note
        {417, 79, 0}, {418, 79, 1}, {499, 79, 82}, {0, 79, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.summary) + " + " + std::to_string(c.note));
        EXPECT_EQ(entry::CharactersToRemove(std::string(c.summary, 's'), std::string(c.note, 'n')),
                  c.toRemove);
    }
}

TEST(EntryRulesTest, ScoreIsTheFirstButtonOn) {
    EXPECT_EQ(entry::ScoreOf({false, false, false}), -1);
    EXPECT_EQ(entry::ScoreOf({true, false, false}), 0);
    EXPECT_EQ(entry::ScoreOf({false, false, true, true}), 2);
    EXPECT_EQ(entry::ScoreOf({}), -1);
}

TEST(EntryRulesTest, StoredNoteTitleReplacesTheTitleOnlyWhenItHoldsALetterOrDigit) {
    struct Case {
        std::string stored, expected;
    };
    const std::string longTitle = std::string(79, 'a') + "bcd";
    const Case cases[] = {
        {"Best Moment", "Best Moment"},
        {"7", "7"},
        {"", "Current"},
        {"   ", "Current"},
        {"-?!", "Current"},
        {"\xE9\xE8", "Current"},
        {longTitle, longTitle.substr(0, 80)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(entry::NoteTitleFromSetting(c.stored, "Current"), c.expected) << c.stored;
    }
}

}  // namespace
