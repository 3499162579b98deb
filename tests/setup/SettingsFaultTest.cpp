// A settings write that fails (the disk is full when the new file is moved
// into place): each setup dialog says what was not saved and why, stays
// open, and memory keeps no value the file lacks.
#include <errno.h>

#include <cstring>
#include <functional>
#include <string>

#include "SetupTest.h"
#include "platform/FaultEnv.h"
#include "setup/TDlg11.h"
#include "setup/TDlg5.h"
#include "setup/TDlg7.h"

namespace {

using platform::FaultEnv;

struct FaultCase {
    const char* name;
    int failingWrite;  // 1-based among the dialog's writes
    void (*run)(std::function<void(framework::TDialog&)>);
    std::function<void(framework::TDialog&)> fill;
    const char* what;          // how the message names the setting
    const char* storedBefore;  // the file's bytes after the writes before the failing one
};

const FaultCase kCases[] = {
    {"Preference", 1, jtest::RunDialog<setup::TDlg5>,
     [](framework::TDialog& d) { jtest::Click(d, 103); }, "Your entry preference", ""},
    {"PreferenceToDay", 2, jtest::RunDialog<setup::TDlg5>,
     [](framework::TDialog& d) { jtest::Click(d, 103); }, "Your entry preference",
     "[Jotwel]\r\nDefault=TEXT\r\n"},
    {"ThirdHeading", 3, jtest::RunDialog<setup::TDlg7>,
     [](framework::TDialog& d) {
         for (int id = 101; id <= 106; ++id) jtest::Type(d, id, "Heading");
     },
     "Subject heading 3", "[Jotwel]\r\nHead0=Heading\r\nHead1=Heading\r\n"},
    {"Title", 1, jtest::RunDialog<setup::TDlg11>,
     [](framework::TDialog& d) { jtest::Type(d, 104, "Lost title"); },
     "Your title for text entries", ""},
};

class SettingsFaultTest : public jtest::SetupTest {};

TEST_F(SettingsFaultTest, FailedWriteIsReportedAndTheDialogStaysOpen) {
    for (const FaultCase& c : kCases) {
        SCOPED_TRACE(c.name);
        std::remove(app::SettingsPath().c_str());
        framework::testing::ResetSeams();
        app::ResetValues();
        FaultEnv env(platform::PosixEnv());
        env.FailNth(c.failingWrite, FaultEnv::kRename, ENOSPC);
        platform::ScopedEnv scoped(&env);

        c.run([&c](framework::TDialog& d) {
            c.fill(d);
            jtest::Click(d, 1);
        });

        EXPECT_TRUE(env.fired());
        EXPECT_TRUE(framework::testing::DialogsShown().at(0).leftOpen);
        const auto shown = jtest::LastMessageBox();
        EXPECT_EQ(shown.flags, framework::kMbOk | framework::kMbIconStop);
        EXPECT_EQ(shown.caption, "");
        EXPECT_EQ(shown.text.rfind(std::string(c.what) + " could not be saved.\n\n", 0), 0u)
            << shown.text;
        EXPECT_NE(shown.text.find(std::strerror(ENOSPC)), std::string::npos) << shown.text;
        EXPECT_EQ(jtest::SettingsBytes(), c.storedBefore);
        EXPECT_EQ(app::Values().noteTitle, app::kDefaultNoteTitle);
        const app::TAppValues fresh;
        EXPECT_EQ(app::Values().headings[2], fresh.headings[2]);
    }
}

}  // namespace
