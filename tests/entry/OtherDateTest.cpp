// A text entry for another past date. Each click on the other-date box runs
// the special date dialog, which ends only on an accepted date or a cancel;
// the box is then checked exactly while an accepted date is in force, the
// heading names that date whatever the today box says, and OK stores the
// entry at the start of that local day, in key order.
#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>

#include "EntryTest.h"
#include "entry/TextEntryDialog.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace date_ids = resources::other_date_ids;
// The start of 25/12/10 in UTC, the fixture's zone.
constexpr std::int64_t kXmas = 1293235200;

// Types each date and presses Enter (OK); cancels when the dialog is still
// open after the last.
Action Typed(std::vector<const char*> dates) {
    return [dates](framework::TDialog& d) {
        for (const char* date : dates) {
            ControlOf<QLineEdit>(d, date_ids::kDateBox)->clear();
            Type(d, date_ids::kDateBox, date);
            PressKey(d, Qt::Key_Return);
        }
        if (d.IsRunning()) Click(d, date_ids::kCancelButton);
    };
}

// Every order of up to three clicks, T on the today box, and on the
// other-date box A (an impossible date refused, then one with a fifth year
// digit the box does not take) or R (a date too late refused, then Cancel).
TEST_F(EntryTest, TheHeadingNamesTheDayOkStoresWhateverTheOrderOfClicks) {
    std::vector<std::string> orders = {""};
    for (std::size_t from = 0; orders.back().size() < 3; ++from) {
        for (char click : {'T', 'A', 'R'}) orders.push_back(orders[from] + click);
    }
    const store::TEntryRecord later{"later  = )", "08/12/14 @ 09:00:00", 1418029200, 5};
    for (const bool preference : {false, true}) {
        for (const std::string& order : orders) {
            SCOPED_TRACE(order + (preference ? " from today" : " from yesterday"));
            StartUp();
            WriteDiary({later});
            session::Values().todayPreference = preference;
            bool today = preference;
            bool inForce = false;
            std::string heading = preference ? "Enter Events for: Sunday 07 December 2014"
                                             : "Enter Events for: Saturday 06 December 2014";
            RunDialog<entry::TextEntryDialog>([&](framework::TDialog& d) {
                for (char click : order) {
                    if (click == 'T') {
                        today = !today;
                        Click(d, text_ids::kTodayBox);
                    } else {
                        inForce = click == 'A';
                        framework::testing::OnNextDialog(
                            inForce ? Typed({"31/02/26", "25/12/20101"}) : Typed({"06/12/14"}));
                        Click(d, text_ids::kOtherDateBox);
                    }
                    if (!inForce) heading = today ? kTodayHeading : kYesterdayHeading;
                }
                EXPECT_EQ(ControlOf<QAbstractButton>(d, text_ids::kTodayBox)->isChecked(), today);
                EXPECT_EQ(ControlOf<QAbstractButton>(d, text_ids::kOtherDateBox)->isChecked(),
                          inForce);
                EXPECT_EQ(TextOf(d, text_ids::kDayHeading),
                          inForce ? "Entry for 25/12/2010" : heading);
                Click(d, text_ids::kOkButton);
            });
            EXPECT_EQ(TemplatesShown().size(), 1 + order.size() - std::ranges::count(order, 'T'));
            EXPECT_EQ(BoxesShown().size(), order.size() - std::ranges::count(order, 'T'));
            const auto records = DiaryRecords();
            ASSERT_EQ(records.size(), 2u);
            EXPECT_EQ(records[0].Key, inForce ? kXmas : today ? kAtOk : kAtOk - kDay);
            EXPECT_EQ(records[1], later);
            EXPECT_EQ(SettingsBytes(), kLastDateWritten);
        }
    }
}

}  // namespace
}  // namespace jtest
