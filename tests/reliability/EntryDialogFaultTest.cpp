// The entry dialogs' OK with every write, sync or rename along the save
// failing in turn (see FaultSweep.h), as a user meets it: the first OK runs
// into the failure, and when the dialog stays open the user presses OK
// again, as its message invites. The first message names the failure and
// says truly whether the entry was stored; after the second OK the diary
// holds the entry exactly once; nothing is left beside the files. The
// day's first save keeps a version of the diary first: a failure there is
// told by the warning alone, and the entry is saved as usual.
#include "FaultSweep.h"
#include "app/Settings.h"
#include "entry/TDlg1.h"
#include "entry/TDlg4.h"
#include "framework/MessageBox.h"
#include "support/TestEnvironment.h"

namespace reliability {
namespace {

const store::TEntryRecord kEarlier{"earlier  = )", "01/12/14 @ 10:00:00", 1417428000, 2};
constexpr char kSettings[] = "[Jotwel]\r\nToDay=No\r\nLastDate=061214\r\n";

void CheckEntryRun(const FaultRun& run) {
    const auto& shown = framework::testing::MessageBoxesShown();
    ASSERT_EQ(shown.size(), 1u);
    const std::string& text = shown[0].text;
    EXPECT_TRUE(LastMessageNames(run.error)) << text;
    EXPECT_FALSE(FirstDialogLeftOpen());
    EXPECT_EQ(run.now.diary, run.clean->diary);
    if (IsVersionWarning(shown[0])) {
        EXPECT_EQ(run.now.settings, run.clean->settings);
        EXPECT_TRUE(VersionsWithin(run.now, *run.clean));  // whole or absent
        return;
    }
    EXPECT_EQ(run.now.versions, run.clean->versions);
    if (StartsWith(text, "Your entry could not be saved.\n\n")) {
        EXPECT_EQ(shown[0].flags, framework::kMbOk | framework::kMbIconStop);
        EXPECT_EQ(run.now.settings, run.clean->settings);
    } else {
        EXPECT_TRUE(StartsWith(text, "Your entry has been saved.")) << text;
        EXPECT_TRUE(run.now.settings == run.before->settings ||
                    run.now.settings == run.clean->settings);
    }
}

class EntryDialogFaults : public DialogFaults {};

TEST_F(EntryDialogFaults, EveryFailingWriteOfOkIsToldTrulyAndASecondOkStoresTheEntryOnce) {
    jtest::WriteFileBytes(jtest::InTestDir("Jotwel.dat"), DiaryOf({kEarlier}));
    jtest::WriteFileBytes(app::SettingsPath(), kSettings);
    const Files start = Snapshot();
    Sweep(
        "text entry OK", start,
        [] {
            RunDialog<entry::TDlg1>([](framework::TDialog& d) {
                jtest::Type(d, 102, "A day by the sea");
                jtest::Type(d, 103, "Seals");
                jtest::Click(d, 110);
                OkAndRetry(d);
            });
        },
        CheckEntryRun);
    Sweep(
        "button entry OK", start,
        [] {
            RunDialog<entry::TDlg4>([](framework::TDialog& d) {
                jtest::Click(d, 101 + 3);
                jtest::Click(d, 101 + 11 * 5 + 9);
                OkAndRetry(d);
            });
        },
        CheckEntryRun);
}

}  // namespace
}  // namespace reliability
