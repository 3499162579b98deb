#pragma once
// The reports tests: today is 15/06/20 (TZ=UTC), the data directory is the
// test's own folder, under a file layer a test may arm to fail.

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "session/AppValues.h"
#include "store/Diary.h"
#include "support/DiaryFiles.h"
#include "support/GuiTest.h"
#include "support/TestEnvironment.h"
#include "support/env/FaultEnv.h"

namespace jtest {

class ReportsTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        session::ResetValues();
        framework::ResetVersionWarning();
        session::Values().dataDirectory = TestDir();
        session::Values().todayShortDate = "15/06/20";
    }

    platform::FaultEnv faults_{platform::Env::Default()};
    platform::ScopedEnv useFaults_{&faults_};
};

inline store::TEntryRecord TextEntry(dates::Instant key, std::string text, int score = 5) {
    return {std::move(text), dates::FormatStamp(key), static_cast<std::int32_t>(key), score};
}
inline store::TEntryRecord ButtonEntry(dates::Instant key, std::string text) {
    return {std::move(text), dates::FormatShortDate(key), static_cast<std::int32_t>(key), -1};
}

inline std::string ListingBytes() {
    return ReadFileBytes(InTestDir("listd.tmp"));
}
inline std::string ListingOf(const std::vector<std::string>& lines) {
    std::string bytes = "Date\tEvents\tScore\tDate/time entered\r\n";
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}
// The list around these listed lines, with the search line's word if any.
inline std::vector<std::string> ListOf(const std::vector<std::string>& lines,
                                       const std::string& search = "") {
    std::vector<std::string> list = {"Date\tNews\tScore\tDate/time entered", " "};
    if (!search.empty()) list.push_back("Searching for: " + search);
    list.insert(list.end(), lines.begin(), lines.end());
    list.push_back(std::string(150, '-'));
    return list;
}

}  // namespace jtest
