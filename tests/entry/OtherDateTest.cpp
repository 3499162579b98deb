// A text entry for another past date. Each click on the other-date box runs
// the special date dialog, which ends only on an accepted date or a cancel;
// the box is then checked exactly while an accepted date is in force, the
// heading names that date whatever the today box says, and OK stores the
// entry at the start of that local day.
#include <QAbstractButton>
#include <QLineEdit>

#include "EntryTest.h"
#include "entry/TextEntryDialog.h"
#include "resources/ids/OtherDateIds.h"
#include "resources/ids/TextEntryIds.h"

namespace jtest {
namespace {

namespace text_ids = resources::text_entry_ids;
namespace date_ids = resources::other_date_ids;
// The starts of 25/12/10 and 01/01/05 in UTC, the fixture's zone.
constexpr std::int64_t kXmas = 1293235200;
constexpr std::int64_t kFirstDay = 1104537600;
const std::string kTooLate = "Date Not Allowed: Date must be earlier than 06/12/14";
const std::string kTooEarly = "Date Not Allowd: Date must be later Jan 1st 2005";
const std::string kForm = ".\nPlease type it as dd/mm/yy, day first, for example 25/12/10.";

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
// OK stores. Text entries go in key order, before a later entry already
// stored.
TEST_F(OtherDateTest, OtherDateBoxIsCheckedOnlyWhileAnAcceptedDateIsInForce) {
    const struct {
        bool today;
        std::vector<Action> runs;  // one special date dialog per click on the box
        const char* inForce;       // the date as typed, or nullptr
        std::int64_t key;
        std::vector<std::string> boxes;
    } cases[] = {
        {.today = true,
         .runs = {Typed({"25/12/10"})},
         .inForce = "25/12/10",
         .key = kXmas,
         .boxes = {}},
        {.today = false,
         .runs = {Typed({"06/12/14"})},
         .inForce = nullptr,
         .key = kAtOk - kDay,
         .boxes = {kTooLate}},
        {.today = true,
         .runs = {Typed({"01/01/2005"})},
         .inForce = "01/01/2005",
         .key = kFirstDay,
         .boxes = {}},
        {.today = false,
         .runs = {Typed({"07/12/14", "25/12/10"})},
         .inForce = "25/12/10",
         .key = kXmas,
         .boxes = {kTooLate}},
        {.today = false, .runs = {kEscape}, .inForce = nullptr, .key = kAtOk - kDay, .boxes = {}},
        {.today = true,
         .runs = {Typed({"25/12/10"}), kEscape},
         .inForce = nullptr,
         .key = kAtOk,
         .boxes = {}},
        {.today = false,
         .runs = {Typed({"25/12/10"}), Typed({"01/01/99"})},
         .inForce = nullptr,
         .key = kAtOk - kDay,
         .boxes = {kTooEarly}},
        {.today = false,
         .runs = {Typed({"01/01/05"}), Typed({"25/12/10"})},
         .inForce = "25/12/10",
         .key = kXmas,
         .boxes = {}},
        // Impossible dates are refused, each with what is wrong.
        {.today = true,
         .runs = {Typed({"25.12.10", "31/02/26", "25/12/2010"})},
         .inForce = "25/12/2010",
         .key = kXmas,
         .boxes =
             {"Date Not Allowed: \"25.12.10\" is not a date: the day, the month and the year must "
              "be separated by /" +
                  kForm,
              "Date Not Allowed: \"31/02/26\" is not a date: February 2026 has only 28 days" +
                  kForm}},
        {.today = false,
         .runs = {Typed({"29/02/09"})},
         .inForce = nullptr,
         .key = kAtOk - kDay,
         .boxes = {"Date Not Allowed: \"29/02/09\" is not a date: February 2009 has only 28 days" +
                   kForm}},
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
                      c.inForce != nullptr);
            EXPECT_EQ(TextOf(d, text_ids::kDayHeading), c.inForce
                                                            ? "Entry for " + std::string(c.inForce)
                                                        : c.today ? kTodayHeading
                                                                  : kYesterdayHeading);
            Click(d, text_ids::kOkButton);
        });
        EXPECT_EQ(TemplatesShown().size(), 1 + c.runs.size());
        EXPECT_EQ(BoxesShown(), c.boxes);
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].Key, c.key);
        EXPECT_EQ(records[1], later);
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

// Every order of up to three clicks, T on the today box, A on the other-date
// box accepting 25/12/10, C on it cancelling: the heading names the special
// date while it is in force, else the day the today box says; OK stores the
// entry for the day the heading names.
TEST_F(OtherDateTest, TheHeadingNamesTheDayOkStoresWhateverTheOrderOfClicks) {
    std::vector<std::string> orders = {""};
    for (std::size_t from = 0; orders.back().size() < 3; ++from) {
        for (char click : {'T', 'A', 'C'}) orders.push_back(orders[from] + click);
    }
    for (const bool preference : {false, true}) {
        for (const std::string& order : orders) {
            SCOPED_TRACE(order + (preference ? " from today" : " from yesterday"));
            StartUp();
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
                        framework::testing::OnNextDialog(click == 'A' ? Typed({"25/12/10"})
                                                                      : kEscape);
                        Click(d, text_ids::kOtherDateBox);
                    }
                    if (!inForce) heading = today ? kTodayHeading : kYesterdayHeading;
                }
                EXPECT_EQ(ControlOf<QAbstractButton>(d, text_ids::kTodayBox)->isChecked(), today);
                EXPECT_EQ(ControlOf<QAbstractButton>(d, text_ids::kOtherDateBox)->isChecked(),
                          inForce);
                EXPECT_EQ(TextOf(d, text_ids::kDayHeading),
                          inForce ? "Entry for 25/12/10" : heading);
                Click(d, text_ids::kOkButton);
            });
            const auto records = DiaryRecords();
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0].Key, inForce ? kXmas : today ? kAtOk : kAtOk - kDay);
        }
    }
}

// The entry is keyed at the start of the typed day in the user's zone, so
// its stamp shows the date typed; what counts as yesterday is the local
// yesterday (at the fixture's clock it is already 08/12/14 in Kiritimati and
// still 07/12/14 in Pago Pago).
TEST_F(OtherDateTest, TheEntryIsStoredAtTheStartOfTheTypedLocalDay) {
    const struct {
        const char* zone;
        const char* typed;
        const char* stamp;  // nullptr: refused as too late
    } cases[] = {
        {.zone = "Pacific/Pago_Pago", .typed = "5/6/10", .stamp = "05/06/10 @ 00:00:00"},
        {.zone = "Pacific/Kiritimati", .typed = "5/6/10", .stamp = "05/06/10 @ 00:00:00"},
        {.zone = "Asia/Kathmandu", .typed = "5/6/10", .stamp = "05/06/10 @ 00:00:00"},
        {.zone = "Europe/Berlin", .typed = "30/03/2014", .stamp = "30/03/14 @ 00:00:00"},
        {.zone = "America/New_York", .typed = "02/11/14", .stamp = "02/11/14 @ 00:00:00"},
        {.zone = "America/Sao_Paulo",
         .typed = "19/10/14",
         .stamp = "19/10/14 @ 01:00:00"},  // midnight skipped
        {.zone = "Pacific/Kiritimati", .typed = "06/12/14", .stamp = "06/12/14 @ 00:00:00"},
        {.zone = "Pacific/Pago_Pago", .typed = "06/12/14", .stamp = nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.typed);
        StartUp();
        SetTimeZone(c.zone);
        RunDialog<entry::TextEntryDialog>([&c](framework::TDialog& d) {
            framework::testing::OnNextDialog(Typed({c.typed}));
            Click(d, text_ids::kOtherDateBox);
            Click(d, text_ids::kOkButton);
        });
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 1u);
        if (c.stamp) {
            EXPECT_EQ(records[0].Stamp, c.stamp);
        } else {
            EXPECT_EQ(BoxesShown(),
                      std::vector<std::string>{kTooLate});  // yesterday is 06/12/14 there too
        }
    }
}

// The box takes a four-digit year and no more, so what is read is what the
// user sees.
TEST_F(OtherDateTest, TheDateBoxTakesTenCharacters) {
    RunDialog<entry::TextEntryDialog>([](framework::TDialog& d) {
        framework::testing::OnNextDialog([](framework::TDialog& special) {
            Type(special, date_ids::kDateBox, "25/12/20101");
            EXPECT_EQ(ControlOf<QLineEdit>(special, date_ids::kDateBox)->text(), "25/12/2010");
            PressKey(special, Qt::Key_Return);
        });
        Click(d, text_ids::kOtherDateBox);
        EXPECT_EQ(TextOf(d, text_ids::kDayHeading), "Entry for 25/12/2010");
        Click(d, text_ids::kOkButton);
    });
    EXPECT_EQ(session::Values().specialDateText, "25/12/2010");
    ASSERT_EQ(DiaryRecords().size(), 1u);
    EXPECT_EQ(DiaryRecords()[0].Key, kXmas);
}

}  // namespace
}  // namespace jtest
