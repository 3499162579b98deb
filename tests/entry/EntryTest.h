#pragma once
// The fixture of the entry dialog tests: a program as start-up leaves it on
// Sunday 7 December 2014 at 21:05:09 (TZ=UTC), with six subject headings,
// the data directory in the test's own folder, and the clock standing two
// minutes later, when OK is pressed. Helpers run a dialog and read back
// what reached the diary file and the settings file.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/AppValues.h"
#include "app/Settings.h"
#include "dates/DiaryDates.h"
#include "framework/MessageBox.h"
#include "platform/FaultEnv.h"
#include "store/Diary.h"
#include "store/EntryRecord.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"

namespace jtest {

// Start-up: Sunday 07/12/14 21:05:09 UTC.
inline constexpr std::int64_t kStartup = 1417986309;
// The clock when OK is pressed.
inline constexpr std::int64_t kAtOk = kStartup + 120;
inline const std::array<std::string, 6> kHeadings = {"Work",   "Health", "Money",
                                                     "Family", "Hobby",  "Weather"};

class EntryTest : public GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The process-wide values as start-up leaves them (again).
    void StartUp();

    platform::ClockEnv clock_{platform::PosixEnv(), kAtOk};
    platform::ScopedEnv useClock_{&clock_};
};

// Runs a Dialog made with no parent; action gets it once it is shown.
template <class Dialog>
void RunDialog(std::function<void(framework::TDialog&)> action) {
    framework::testing::OnNextDialog(std::move(action));
    Dialog(nullptr).Execute();
}

// The records of Jotwel.dat in file order (fails the test when the file is
// not a whole number of records).
std::vector<store::TEntryRecord> DiaryRecords();
// Writes Jotwel.dat with these records.
void WriteDiary(const std::vector<store::TEntryRecord>& records);
// The settings file's bytes ("" when it does not exist).
std::string SettingsBytes();
// What a settings file holding only LastDate of the start-up day looks like.
inline constexpr char kLastDateWritten[] = "[Jotwel]\r\nLastDate=071214\r\n";

// Whether the dialogs shown so far, in order, were these templates, each
// closed by what its action did.
std::vector<int> TemplatesShown();
bool AllClosedByTheirActions();

// Types each line into the multi-line box id, pressing Enter between them.
void TypeLines(const framework::TDialog& d, int id, const std::vector<QString>& lines);

}  // namespace jtest
