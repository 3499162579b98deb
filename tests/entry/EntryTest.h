#pragma once
// The fixture of the dialog and window tests: the values start-up leaves on
// Sunday 7 December 2014 at 21:05:09 (TZ=UTC), six subject headings, and the
// clock two minutes later, when OK is pressed. StartUp() starts each case
// afresh: no diary, no versions, no settings file, no dialog shown.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dates/DiaryDates.h"
#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "session/AppValues.h"
#include "session/Settings.h"
#include "store/Versions.h"
#include "support/DiaryFiles.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace jtest {

inline constexpr std::int64_t kStartup = 1417986309;
inline constexpr std::int64_t kAtOk = kStartup + 120;
inline constexpr std::int64_t kDay = 86400;
// A settings file holding only LastDate of the start-up day.
inline constexpr char kLastDateWritten[] = "[Jotwel]\r\nLastDate=071214\r\n";

using Action = std::function<void(framework::TDialog&)>;

class EntryTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        StartUp();
    }
    void StartUp() {
        std::remove(InTestDir("Jotwel.dat").c_str());
        std::filesystem::remove_all(store::VersionsPath(TestDir()));
        std::remove(session::SettingsPath().c_str());
        framework::ResetVersionWarning();
        framework::testing::ResetSeams();
        clock_.SetNow(kAtOk);
        session::ResetValues();
        session::AppValues& values = session::Values();
        values.dataDirectory = TestDir();
        values.todayInstant = kStartup;
        values.yesterdayInstant = kStartup - kDay;
        values.todayCompactDate = dates::FormatCompactDate(kStartup);
        values.todayShortDate = dates::FormatShortDate(kStartup);
        values.headings = {"Work", "Health", "Money", "Family", "Hobby", "Weather"};
    }

    platform::ClockEnv clock_{platform::PosixEnv(), kAtOk};
    platform::ScopedEnv useClock_{&clock_};
};

// Runs a Dialog made with no parent; action gets it once it is shown.
template <class Dialog>
void RunDialog(Action action) {
    framework::testing::OnNextDialog(std::move(action));
    Dialog(nullptr).Execute();
}

inline std::string SettingsBytes() {
    return ReadFileBytes(session::SettingsPath());
}

// The Text of each record, in file order.
inline std::vector<std::string> DiaryTexts() {
    std::vector<std::string> texts;
    for (const auto& record : DiaryRecords()) texts.push_back(record.Text);
    return texts;
}

// The templates of the dialogs shown so far, in order; fails the test for
// one that its action did not close.
inline std::vector<int> TemplatesShown() {
    std::vector<int> ids;
    for (const auto& shown : framework::testing::DialogsShown()) {
        EXPECT_TRUE(shown.hadAction && !shown.leftOpen) << "dialog " << shown.templateId;
        ids.push_back(shown.templateId);
    }
    return ids;
}

}  // namespace jtest
