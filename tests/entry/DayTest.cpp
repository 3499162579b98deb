// The day an entry is for: both entry dialogs open on the day of the
// preference of start-up, and the today box turns it. In the text entry
// dialog the other-date box runs the special date dialog, and is checked
// exactly while an accepted date is in force, which the heading then names.
// OK stores the entry for the day the heading names (a special date at the
// start of that local day), and notes the start-up day under LastDate.
#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>

#include "EntryTest.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/TextEntryDialog.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace button_ids = resources::button_entry_ids;
namespace date_ids = resources::other_date_ids;
// The start of 25/12/10 in UTC, the fixture's zone.
constexpr std::int64_t kXmas = 1293235200;
// What both entry dialogs show once their today box has been clicked.
constexpr char kTodayHeading[] = "OK, Enter Events for TODAY!  ( 7 December)";
constexpr char kYesterdayHeading[] = "Enter Events for Yesterday";

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

// Heading|label as each dialog (text, buttons) opens for yesterday and for today.
const std::string kOpened[2][2] = {
    {"Enter Events for: Saturday 06 December 2014|I want to enter Today's Events",
     "Enter Events for: Sunday 07 December 2014|I want to enter Yesterday's Events"},
    {"Enter news for: Saturday 06 December 2014|I wish to enter Today's news",
     "Enter news for: Sunday 07 December 2014|I wish to enter Yesterday's news"}};

// Every order of up to three clicks, T on the today box, and in the text
// entry dialog on the other-date box A (an impossible date refused, then one
// with a fifth year digit the box does not take) or R (a date too late
// refused, then Cancel). Text entries go in key order, before a later one.
TEST_F(EntryTest, TheHeadingNamesTheDayOkStoresWhateverTheOrderOfClicks) {
    std::vector<std::string> orders = {""};
    for (std::size_t from = 0; orders.back().size() < 3; ++from) {
        for (char click : {'T', 'A', 'R'}) orders.push_back(orders[from] + click);
    }
    const store::TEntryRecord later{"later  = )", "08/12/14 @ 09:00:00", 1418029200, 5};
    for (const bool buttons : {false, true}) {
        const int todayBox = buttons ? button_ids::kTodayBox : text_ids::kTodayBox;
        const int headingId = buttons ? button_ids::kDayHeading : text_ids::kDayHeading;
        const int labelId = buttons ? button_ids::kTodayLabel : text_ids::kTodayLabel;
        const auto run =
            buttons ? RunDialog<entry::ButtonEntryDialog> : RunDialog<entry::TextEntryDialog>;
        for (const bool preference : {false, true}) {
            for (const std::string& order : orders) {
                if (buttons && order.find_first_not_of('T') != std::string::npos) continue;
                SCOPED_TRACE(order + (preference ? " from today" : " from yesterday"));
                StartUp();
                PutDiary({later});
                session::Values().todayPreference = preference;
                bool today = preference;
                bool inForce = false;
                const std::string& opened = kOpened[buttons][preference];
                std::string heading = opened.substr(0, opened.find('|'));
                std::string label = opened.substr(opened.find('|') + 1);
                run([&](framework::TDialog& d) {
                    for (char click : order) {
                        if (click == 'T') {
                            today = !today;
                            Click(d, todayBox);
                        } else {
                            inForce = click == 'A';
                            framework::testing::OnNextDialog(
                                inForce ? Typed({"31/02/26", "25/12/20101"}) : Typed({"06/12/14"}));
                            Click(d, text_ids::kOtherDateBox);
                        }
                        if (click != 'A') {
                            label = today ? "I want to Enter Yesterdays's Events"
                                          : "I want to Enter Todays's Events";
                        }
                        heading = inForce ? "Entry for 25/12/2010"
                                  : today ? kTodayHeading
                                          : kYesterdayHeading;
                    }
                    EXPECT_EQ(ControlOf<QAbstractButton>(d, todayBox)->isChecked(), today);
                    EXPECT_EQ(TextOf(d, headingId) + "|" + TextOf(d, labelId),
                              heading + "|" + label);
                    const int otherDateBox = text_ids::kOtherDateBox;
                    EXPECT_EQ(!buttons && ControlOf<QAbstractButton>(d, otherDateBox)->isChecked(),
                              inForce);
                    Click(d, framework::kIdOk);
                });
                const std::size_t dates = order.size() - std::ranges::count(order, 'T');
                EXPECT_EQ(TemplatesShown().size(), 1 + dates);
                EXPECT_EQ(framework::testing::MessageBoxesShown().size(), dates);
                const auto records = DiaryRecords();
                ASSERT_EQ(records.size(), 2u);
                const std::int64_t key = inForce ? kXmas : today ? kAtOk : kAtOk - kDay;
                EXPECT_EQ(records[buttons ? 1 : 0].Key, key);
                EXPECT_EQ(records[buttons ? 0 : 1], later);
                EXPECT_EQ(SettingsBytes(), kLastDateWritten);
            }
        }
    }
}

}  // namespace
}  // namespace jtest
