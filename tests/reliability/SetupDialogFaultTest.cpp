// The setup dialogs' OK with every write, sync or rename of the settings
// file failing in turn (see FaultSweep.h): the dialog says what was not
// saved and why, and stays open; a second OK stores every value; memory
// then holds what the file holds; no temporary file is left.
#include "FaultSweep.h"
#include "app/AppValues.h"
#include "app/Settings.h"
#include "framework/MessageBox.h"
#include "setup/TDlg11.h"
#include "setup/TDlg5.h"
#include "setup/TDlg7.h"
#include "support/TestEnvironment.h"

namespace reliability {
namespace {

constexpr char kSettings[] =
    "[Jotwel]\r\nToDay=No\r\nDefault=KEYS\r\nTextTit=Old title\r\nLastDate=061214\r\n";

// Checks one run: the message named what was not saved (it starts with
// `what`) and why; the second OK stored everything.
std::function<void(const FaultRun&)> Expect(std::string what) {
    return [what](const FaultRun& run) {
        const auto& shown = framework::testing::MessageBoxesShown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(StartsWith(shown[0].text, what) &&
                    shown[0].text.find(" could not be saved.\n\n") != std::string::npos)
            << shown[0].text;
        EXPECT_EQ(shown[0].flags, framework::kMbOk | framework::kMbIconStop);
        EXPECT_TRUE(LastMessageNames(run.error)) << shown[0].text;
        EXPECT_FALSE(FirstDialogLeftOpen());
        EXPECT_EQ(run.now.settings, run.clean->settings);
    };
}

class SetupDialogFaults : public DialogFaults {};

TEST_F(SetupDialogFaults, EveryFailingWriteOfOkIsReportedAndASecondOkStoresAll) {
    jtest::WriteFileBytes(app::SettingsPath(), kSettings);
    const Files start = Snapshot();
    Sweep(
        "entry preference OK", start,
        [] {
            RunDialog<setup::TDlg5>([](framework::TDialog& d) {
                jtest::Click(d, 103);
                OkAndRetry(d);
            });
        },
        Expect("Your entry preference"));

    Sweep(
        "subject headings OK", start,
        [] {
            RunDialog<setup::TDlg7>([](framework::TDialog& d) {
                for (int i = 0; i < 6; ++i)
                    jtest::Type(d, 101 + i, QString("Heading %1").arg(i + 1));
                OkAndRetry(d);
            });
        },
        [](const FaultRun& run) {
            Expect("Subject heading")(run);
            for (std::size_t i = 0; i < app::Values().headings.size(); ++i) {
                EXPECT_EQ(app::Values().headings[i], "Heading " + std::to_string(i + 1));
            }
        });

    Sweep(
        "text title OK", start,
        [] {
            RunDialog<setup::TDlg11>([](framework::TDialog& d) {
                jtest::Type(d, 104, "My day");
                OkAndRetry(d);
            });
        },
        [](const FaultRun& run) {
            Expect("Your title for text entries")(run);
            EXPECT_EQ(app::Values().noteTitle, "My day");
        });
}

}  // namespace
}  // namespace reliability
