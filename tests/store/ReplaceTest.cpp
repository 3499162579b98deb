// Replacing one record, and rewriting the whole diary from what it holds.

#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "store/Replace.h"

namespace store {
namespace {

using namespace storetest;

// The record found earlier must still be there: another copy of the program
// may have changed the diary since.
TEST(ReplaceRecordAt, ReplacesThatRecordOnlyAndOnlyWhileItIsStillThere) {
    Records records = RecsWithKeys({10, 30, 25});
    PutDiary(records);
    bool inPlace = false;
    ASSERT_TRUE(ReplaceRecordAt(DataDir(), {1, records[1]}, Rec(30, "changed"), &inPlace).ok());
    EXPECT_TRUE(inPlace);
    records[1] = Rec(30, "changed");
    EXPECT_EQ(ReadAll(), records);

    for (const RecordLocation& stale : {RecordLocation{1, Rec(31)}, RecordLocation{3, Rec(25)}}) {
        PutDiary(records);
        const platform::Status status = ReplaceRecordAt(DataDir(), stale, Rec(30), &inPlace);
        EXPECT_EQ(status.message(), "The entry is no longer where it was found in " +
                                        DiaryPath(DataDir()) + " (look it up again)");
        EXPECT_FALSE(inPlace);
        EXPECT_TRUE(DiaryIs(Encoded(records)));
        EXPECT_FALSE(HoldExists());
    }
}

TEST(RewriteDiary, WritesWhatTheRewriteMakesOfTheRecordsOrNothingWhenItFails) {
    PutDiary(RecsWithKeys({10, 30}), "fragment");
    ASSERT_TRUE(RewriteDiary(DataDir(), [](const Records& current, Records* next) {
                    EXPECT_EQ(current, RecsWithKeys({10, 30}));
                    *next = RecsWithKeys({30, 20, 10});
                    return platform::Status::Ok();
                }).ok());
    EXPECT_EQ(ReadAll(), RecsWithKeys({30, 20, 10}));

    const platform::Status refused = RewriteDiary(DataDir(), [](const Records&, Records* next) {
        *next = {};
        return platform::Status::Error(0, "no");
    });
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(ReadAll(), RecsWithKeys({30, 20, 10}));
    EXPECT_FALSE(HoldExists());
}

}  // namespace
}  // namespace store
