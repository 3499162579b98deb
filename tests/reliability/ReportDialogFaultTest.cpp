// The event reports dialog's Show Results and Delete with every write, sync
// or rename they make failing in turn (see FaultSweep.h), as a user meets
// it: after a failure the user does the same again, as the message invites.
// The first message names the failure; after the second try the diary has
// lost exactly the one entry chosen and the listing file holds the list
// shown. The diary holds two entries that list as the same line, so a
// deletion that is done twice shows up as a lost entry.
#include <QListWidget>

#include "FaultSweep.h"
#include "app/AppValues.h"
#include "framework/MessageBox.h"
#include "reports/TDlg2.h"
#include "support/TestEnvironment.h"

namespace reliability {
namespace {

const store::TEntryRecord kQuiet{"quiet day", "01/02/14 @ 12:00:00", 1391256000, 3};
const store::TEntryRecord kTwin{"twin", "05/02/14 @ 00:00:00", 1391558400, 5};
constexpr int kTwinRow = 3;  // heading, blank line, kQuiet, then the twins

std::string LastText() {
    const auto& shown = framework::testing::MessageBoxesShown();
    return shown.empty() ? std::string() : shown.back().text;
}

void ShowResultsUntilListed(framework::TDialog& d) {
    jtest::Click(d, 1);
    if (StartsWith(LastText(), "The listing could not be saved")) jtest::Click(d, 1);
}

// Selects the first twin's line and deletes it after Yes; returns whether
// the dialog said the deletion failed.
bool DeleteTwin(framework::TDialog& d) {
    jtest::ControlOf<QListWidget>(d, 101)->setCurrentRow(kTwinRow);
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    jtest::Click(d, 109);
    return StartsWith(LastText(), "Unable to delete entry");
}

void CheckFirstMessage(const FaultRun& run) {
    const auto& shown = framework::testing::MessageBoxesShown();
    for (const auto& box : shown) {
        if (box.text.find(std::strerror(run.error)) != std::string::npos) return;
    }
    ADD_FAILURE() << "no message named the failure; " << shown.size() << " shown";
}

class ReportDialogFaults : public DialogFaults {};

TEST_F(ReportDialogFaults, EveryFailingWriteIsReportedAndTryingAgainGivesTheRightResult) {
    jtest::WriteFileBytes(jtest::InTestDir("Jotwel.dat"), DiaryOf({kQuiet, kTwin, kTwin}));
    jtest::WriteFileBytes(jtest::InTestDir("listd.tmp"), "an old listing\r\n");
    const Files start = Snapshot();
    Sweep(
        "reports Show Results", start, [] { RunDialog<reports::TDlg2>(ShowResultsUntilListed); },
        [](const FaultRun& run) {
            CheckFirstMessage(run);
            EXPECT_EQ(run.now, *run.clean);
            EXPECT_EQ(app::Values().listingLineCount, 3);
        });
    Sweep(
        "reports Delete", start,
        [] {
            RunDialog<reports::TDlg2>([](framework::TDialog& d) {
                ShowResultsUntilListed(d);
                if (DeleteTwin(d)) DeleteTwin(d);
                if (StartsWith(LastText(), "The listing could not be saved")) jtest::Click(d, 1);
            });
        },
        [](const FaultRun& run) {
            CheckFirstMessage(run);
            EXPECT_EQ(run.now, *run.clean);
            EXPECT_EQ(app::Values().listingLineCount, 2);
        });
}

}  // namespace
}  // namespace reliability
