// What an entry dialog says after each outcome of a save, and whether it may
// close: only an entry that is not stored keeps it open.
#include <cerrno>

#include "EntryTest.h"
#include "entry/EntryTexts.h"
#include "entry/SaveReport.h"

namespace jtest {
namespace {

using Outcome = entry::EntrySaveResult::Outcome;

class SaveReportTest : public EntryTest {};

TEST_F(SaveReportTest, EachOutcomeSaysWhatHappened) {
    const platform::Status failure = platform::Status::Error(EIO, "Cannot sync " + TestDir());
    const struct {
        Outcome outcome;
        bool stored;
        std::vector<std::string> texts;  // of the message boxes shown
    } cases[] = {
        {.outcome = Outcome::kSaved, .stored = true, .texts = {}},
        {.outcome = Outcome::kLastDateNotWritten,
         .stored = true,
         .texts = {entry::LastDateNotWrittenMessage(failure)}},
        {.outcome = Outcome::kNotConfirmed,
         .stored = true,
         .texts = {entry::NotConfirmedMessage(failure)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outcome));
        StartUp();
        const entry::EntrySaveResult result{
            c.outcome, c.outcome == Outcome::kSaved ? platform::Status::Ok() : failure, {}};
        EXPECT_EQ(entry::ReportEntrySave(nullptr, result), c.stored);
        std::vector<std::string> texts;
        for (const auto& box : framework::testing::MessageBoxesShown()) texts.push_back(box.text);
        EXPECT_EQ(texts, c.texts);
    }
}

}  // namespace
}  // namespace jtest
