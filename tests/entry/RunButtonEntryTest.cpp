// Opening the button entry dialog: it runs only when there is a first
// subject heading to score, and says whether it ran, since the main window
// ends the program after it and must not after the no-headings message.
#include "EntryTest.h"
#include "entry/RunButtonEntry.h"
#include "resources/ResourceIds.h"
#include "resources/ids/ButtonEntryIds.h"

namespace jtest {
namespace {

class RunButtonEntryTest : public EntryTest {};

TEST_F(RunButtonEntryTest, RunsTheDialogOnlyWithAFirstHeading) {
    const struct {
        std::string head0;
        bool ran;
        std::vector<int> shown;
        std::size_t boxes;
    } cases[] = {
        {.head0 = "Work", .ran = true, .shown = {resources::kButtonEntryDialog}, .boxes = 0},
        {.head0 = "-/-", .ran = false, .shown = {}, .boxes = 1},
        {.head0 = "", .ran = false, .shown = {}, .boxes = 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head0);
        StartUp();
        session::Values().headings[0] = c.head0;
        if (c.ran)
            framework::testing::OnNextDialog([](framework::TDialog& d) {
                Click(d, resources::button_entry_ids::kCancelButton);
            });
        EXPECT_EQ(entry::RunButtonEntry(nullptr), c.ran);
        EXPECT_EQ(TemplatesShown(), c.shown);
        EXPECT_EQ(framework::testing::MessageBoxesShown().size(), c.boxes);
        EXPECT_EQ(DiaryTexts(), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace jtest
