// A text entry for another past date. Each click on the other-date box runs
// the special date dialog, which ends only on an accepted date or a cancel;
// the box is then checked exactly while an accepted date is in force.
#include <QAbstractButton>
#include <QLineEdit>

#include "EntryTest.h"
#include "entry/TextEntryDialog.h"
#include "resources/ids/SpecialDateIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace date_ids = resources::special_date_ids;
// The start of 25/12/10, counted without a zone offset.
constexpr std::int64_t kXmas = 1293235200;
const std::string kTooLate = "Date Not Allowed: Date must be earlier than 06/12/14";
const std::string kTooEarly = "Date Not Allowd: Date must be later Jan 1st 2005";

// Types each date and presses Enter (OK); cancels when the dialog is still
// open after the last.
Action Typed(std::vector<const char*> dates) {
    return [dates](framework::TDialog& d) {
        for (std::size_t i = 0; i < dates.size(); ++i) {
            ControlOf<QLineEdit>(d, date_ids::kDateBox)->clear();
            Type(d, date_ids::kDateBox, dates[i]);
            PressKey(d, Qt::Key_Return);
        }
        if (d.IsRunning()) Click(d, date_ids::kCancelButton);
    };
}
const Action kEscape = [](framework::TDialog& d) { PressKey(d, Qt::Key_Escape); };

class OtherDateTest : public EntryTest {};

// Whatever the special date runs did, the box and the heading tell the day
// OK stores: 25/12/10 when checked, else the day of the today box. Text
// entries go in key order, before a later entry already stored.
TEST_F(OtherDateTest, OtherDateBoxIsCheckedOnlyWhileAnAcceptedDateIsInForce) {
    const struct {
        bool today;
        std::vector<Action> runs;  // one special date dialog per click on the box
        bool checked;
        std::vector<std::string> boxes;
    } cases[] = {
        {.today = true, .runs = {Typed({"25/12/10"})}, .checked = true, .boxes = {}},
        {.today = false, .runs = {Typed({"06/12/14"})}, .checked = false, .boxes = {kTooLate}},
        {.today = true,
         .runs = {Typed({"01/01/2005"})},
         .checked = false,
         .boxes = {kTooLate}},  // 9 characters read: year 2100
        {.today = false,
         .runs = {Typed({"07/12/14", "25/12/10"})},
         .checked = true,
         .boxes = {kTooLate}},
        {.today = false, .runs = {kEscape}, .checked = false, .boxes = {}},
        {.today = true, .runs = {Typed({"25/12/10"}), kEscape}, .checked = false, .boxes = {}},
        {.today = false,
         .runs = {Typed({"25/12/10"}), Typed({"01/01/99"})},
         .checked = false,
         .boxes = {kTooEarly}},
        {.today = false,
         .runs = {Typed({"01/01/05"}), Typed({"25/12/10"})},
         .checked = true,
         .boxes = {}},
    };
    const store::TEntryRecord later{"later  = )", "08/12/14 @ 09:00:00", 1418029200, 5};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const auto& c = cases[i];
        StartUp();
        WriteDiary({later});
        session::Values().todayPreference = c.today;
        RunDialog<entry::TextEntryDialog>([&c](framework::TDialog& d) {
            for (const Action& run : c.runs) {
                framework::testing::OnNextDialog(run);
                Click(d, text_ids::kOtherDateBox);
            }
            EXPECT_EQ(ControlOf<QAbstractButton>(d, text_ids::kOtherDateBox)->isChecked(),
                      c.checked);
            EXPECT_EQ(TextOf(d, text_ids::kDayHeading), c.checked ? "Entry for 25/12/10"
                                                        : c.today ? kTodayHeading
                                                                  : kYesterdayHeading);
            Click(d, text_ids::kOkButton);
        });
        EXPECT_EQ(TemplatesShown().size(), 1 + c.runs.size());
        EXPECT_EQ(BoxesShown(), c.boxes);
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].Key, c.checked ? kXmas : c.today ? kAtOk : kAtOk - kDay);
        EXPECT_EQ(records[1], later);
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

}  // namespace
}  // namespace jtest
