// A text entry for another past date: the other-date box is checked exactly
// while a date accepted by the special date dialog is in force, the heading
// names the day OK will store the entry for, and no entry is ever stored for
// a date that was refused or never given.
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "EntryTest.h"
#include "entry/TDlg1.h"
#include "resources/ResourceIds.h"

namespace jtest {
namespace {

constexpr int kTodayBox = 117;
constexpr int kOtherDateBox = 121;
// The start of 25/12/10, counted without a zone offset.
constexpr std::int64_t kChristmas2010 = 1293235200;

using SpecialDateAction = std::function<void(framework::TDialog&)>;

SpecialDateAction Accept(const char* date) {
    return [date](framework::TDialog& d) {
        Type(d, 103, date);
        Click(d, 1);
    };
}
// Types a date that is refused, then gives up.
SpecialDateAction RefuseThenCancel(const char* date) {
    return [date](framework::TDialog& d) {
        Type(d, 103, date);
        Click(d, 1);
        EXPECT_TRUE(d.IsRunning());
        Click(d, 2);
    };
}
void CancelAtOnce(framework::TDialog& d) {
    PressKey(d, Qt::Key_Escape);
}

struct Case {
    const char* name;
    bool preference;
    std::vector<SpecialDateAction> clicks;  // one special date run per click
    bool boxChecked;
    const char* heading;
    std::int64_t key;
    int messages;
};

class SpecialDateEntryTest : public EntryTest {};

TEST_F(SpecialDateEntryTest, TheBoxAndHeadingShowTheDayOkStores) {
    const Case cases[] = {
        {"accepted", false, {Accept("25/12/10")}, true, "Entry for 25/12/10", kChristmas2010, 0},
        {"accepted with today checked",
         true,
         {Accept("25/12/10")},
         true,
         "Entry for 25/12/10",
         kChristmas2010,
         0},
        {"refused then cancelled",
         false,
         {RefuseThenCancel("07/12/14")},
         false,
         "Enter Events for Yesterday",
         kAtOk - 86400,
         1},
        {"too early then cancelled",
         true,
         {RefuseThenCancel("31/12/04")},
         false,
         "OK, Enter Events for TODAY!  ( 7 December)",
         kAtOk,
         1},
        {"cancelled", false, {CancelAtOnce}, false, "Enter Events for Yesterday", kAtOk - 86400, 0},
        {"accepted, clicked again and cancelled",
         true,
         {Accept("25/12/10"), CancelAtOnce},
         false,
         "OK, Enter Events for TODAY!  ( 7 December)",
         kAtOk,
         0},
        {"accepted, then refused and cancelled",
         false,
         {Accept("25/12/10"), RefuseThenCancel("01/01/99")},
         false,
         "Enter Events for Yesterday",
         kAtOk - 86400,
         1},
        {"accepted twice",
         false,
         {Accept("01/01/05"), Accept("25/12/10")},
         true,
         "Entry for 25/12/10",
         kChristmas2010,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(InTestDir("Jotwel.dat").c_str());
        framework::testing::ResetSeams();
        StartUp();
        app::Values().todayPreference = c.preference;
        RunDialog<entry::TDlg1>([&c](framework::TDialog& d) {
            for (const SpecialDateAction& action : c.clicks) {
                framework::testing::OnNextDialog(action);
                Click(d, kOtherDateBox);
            }
            EXPECT_EQ(ControlOf<QPushButton>(d, kOtherDateBox)->isChecked(), c.boxChecked);
            EXPECT_EQ(ControlOf<QPushButton>(d, kTodayBox)->isChecked(), c.preference);
            EXPECT_EQ(TextOf(d, 101), c.heading);
            Type(d, 102, "Christmas");
            Click(d, 1);
        });
        std::vector<int> shown{resources::kTextEntryDialog};
        shown.insert(shown.end(), c.clicks.size(), resources::kSpecialDateDialog);
        EXPECT_EQ(TemplatesShown(), shown);
        EXPECT_TRUE(AllClosedByTheirActions());
        EXPECT_EQ(static_cast<int>(framework::testing::MessageBoxesShown().size()), c.messages);
        const auto records = DiaryRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Key, c.key);
        EXPECT_EQ(records[0].Stamp, dates::FormatStamp(c.key));
        EXPECT_EQ(SettingsBytes(), kLastDateWritten);
    }
}

// The stamp of an entry for a special date is the local time of the start of
// that day counted without a zone offset.
TEST_F(SpecialDateEntryTest, StampInAZoneWestOfUtcFallsOnTheDayBefore) {
    SetTimeZone("XXX1");
    RunDialog<entry::TDlg1>([](framework::TDialog& d) {
        framework::testing::OnNextDialog(Accept("25/12/10"));
        Click(d, kOtherDateBox);
        Click(d, 1);
    });
    EXPECT_EQ(DiaryRecords().at(0).Stamp, "24/12/10 @ 23:00:00");
    EXPECT_EQ(DiaryRecords().at(0).Key, kChristmas2010);
}

// Text entries keep key order among themselves; an entry for an earlier day
// goes before later ones.
TEST_F(SpecialDateEntryTest, EntryForAnEarlierDayIsInsertedInKeyOrder) {
    const store::TEntryRecord before{"before  = )", "01/01/10 @ 12:00:00", 1262347200, -1};
    const store::TEntryRecord after{"after  = )", "07/12/14 @ 21:00:00", 1417986000, 5};
    WriteDiary({before, after});
    RunDialog<entry::TDlg1>([](framework::TDialog& d) {
        framework::testing::OnNextDialog(Accept("25/12/10"));
        Click(d, kOtherDateBox);
        Type(d, 103, "Snow");
        Click(d, 1);
    });
    const auto records = DiaryRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], before);
    EXPECT_EQ(records[1].Text, "  = Snow)");
    EXPECT_EQ(records[1].Key, kChristmas2010);
    EXPECT_EQ(records[2], after);
}

}  // namespace
}  // namespace jtest
