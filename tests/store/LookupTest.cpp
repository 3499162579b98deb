// Finding the record a selected listing line shows.

#include <gtest/gtest.h>

#include <string>

#include "StoreFixture.h"
#include "store/Diary.h"
#include "store/ListingLine.h"

namespace store {
namespace {

using namespace storetest;

const dates::Instant kMorning = 1417996800 + 9 * 3600;  // 08/12/14 09:00 UTC

class FindKeyForLineTest : public ::testing::Test {
protected:
    void SetUp() override { PutDiary({button_, earlier_, text_, folded_, twin_}); }
    std::optional<std::int64_t> IndexFor(std::string_view line) {
        const std::optional<RecordLocation> found = FindKeyForLine(DataDir(), line);
        if (found) {
            EXPECT_EQ(ReadAll()[static_cast<std::size_t>(found->index)], found->record);
        }
        return found ? std::optional(found->index) : std::nullopt;
    }

    const TEntryRecord button_ = MakeButtonEntryRecord(
        {"Work", "Health", "Money", "Family", "Hobby", "Weather"}, {1, 2, 3, 4, 5, 6}, kMorning);
    const TEntryRecord earlier_ = MakeTextEntryRecord("Before", "x", 4, kMorning - 86400);
    const TEntryRecord text_ = MakeTextEntryRecord("Walk", "Park", 7, kMorning);
    const TEntryRecord folded_ = MakeTextEntryRecord(
        std::string(90, 'a') + " " + std::string(40, 'b') + " end", "n", 2, kMorning + 60);
    const TEntryRecord twin_ = MakeTextEntryRecord("Walk", "Park", 7, kMorning);
};

TEST_F(FindKeyForLineTest, MatchesTheFirstRecordWhoseListedLineIsTheLine) {
    // The button entry of the same day, earlier in the file, does not capture it.
    EXPECT_EQ(IndexFor("08/12/14 @ 09:00:00 Score = 7   Walk  = Park)"), 2);
    EXPECT_EQ(IndexFor(FormatListingLine(button_)), 0);
    EXPECT_EQ(IndexFor(FormatListingLine(earlier_)), 1);
    EXPECT_EQ(IndexFor(FoldListingLine(FormatListingLine(folded_))[0]), 3);
}

TEST_F(FindKeyForLineTest, MatchesNothingForLinesThatShowNoRecord) {
    const std::string lines[] = {
        "",
        " ",
        "Date\tNews\tScore\tDate/time entered",
        std::string(150, '-'),
        "Searching for: Walk",
        FoldListingLine(FormatListingLine(folded_))[1],
        "08/12/14",
        "08/12/14 @ 09:00:00 Score = 7   Walk  = Park) and more",
    };
    for (const std::string& line : lines) {
        EXPECT_EQ(IndexFor(line), std::nullopt) << line;
    }
}

}  // namespace
}  // namespace store
