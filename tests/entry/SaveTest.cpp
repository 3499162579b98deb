// What a save stores and tells after each fault, without a window: only an
// entry that did not reach the diary keeps its dialog open, and one stored is
// told as saved, with what went wrong after.
#include <cerrno>
#include <cstring>

#include "EntryTest.h"
#include "entry/EntrySave.h"
#include "entry/SaveReport.h"

namespace jtest {
namespace {

using platform::FaultEnv;

TEST_F(EntryTest, EachSaveOutcomeIsTold) {
    const store::TEntryRecord earlier{"earlier  = )", "01/12/14 @ 10:00:00", 1417428000, 2};
    const store::TEntryRecord entry{"x  = )", "07/12/14 @ 21:07:09", 1417986429, 5};
    const struct {
        unsigned op;
        int nth;
        std::string told;  // in the message box shown, if any
        bool stored = true, lastDate = true;
        bool existing = false;  // a diary to change, so that a version of it is due
    } cases[] = {
        {.op = FaultEnv::kRename, .nth = 0, .told = ""},
        {.op = FaultEnv::kWrite, .nth = 1, .told = "could not be saved", .stored = false},
        {.op = FaultEnv::kRename, .nth = 2, .told = "saved.\n\nBut the date of", .lastDate = false},
        {.op = FaultEnv::kSyncDir, .nth = 1, .told = "saved.\n\nBut the disk reported"},
        {.op = FaultEnv::kWrite, .nth = 1, .told = "No version of the diary", .existing = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        StartUp();
        if (c.existing) PutDiary({earlier});
        FaultEnv env(&clock_);
        env.FailNth(c.nth, c.op, EIO);
        platform::ScopedEnv useFaults(&env);
        const entry::EntrySaveResult result =
            entry::SaveEntry(entry, entry::Placement::kAtEnd, TestDir(), "071214");
        EXPECT_EQ(entry::ReportEntrySave(nullptr, result), c.stored);
        EXPECT_EQ(DiaryRecords().size(), c.existing + c.stored);
        EXPECT_EQ(SettingsBytes(), c.stored && c.lastDate ? kLastDateWritten : "");
        const auto& boxes = framework::testing::MessageBoxesShown();
        ASSERT_EQ(boxes.size(), c.told.empty() ? 0u : 1u);
        if (boxes.empty()) continue;
        EXPECT_NE(boxes[0].text.find(c.told), std::string::npos) << boxes[0].text;
        EXPECT_NE(boxes[0].text.find(std::strerror(EIO)), std::string::npos) << boxes[0].text;
    }
}

}  // namespace
}  // namespace jtest
