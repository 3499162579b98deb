// The event reports dialog's Show Results and Delete with every write, sync
// or rename they make failing in turn (see FaultSweep.h), as a user meets
// it: after a failure the user does the same again, as the message invites.
// The first message names the failure; after the second try the diary has
// lost exactly the one entry chosen and the listing file holds the list
// shown. The diary holds two entries that list as the same line, so a
// deletion that is done twice shows up as a lost entry. Each deletion keeps
// a version of the diary first; when that fails the deletion is done all
// the same and the warning says why.
#include <QListWidget>
#include <algorithm>

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
            EXPECT_EQ(run.now.diary, run.clean->diary);
            EXPECT_EQ(run.now.listing, run.clean->listing);
            EXPECT_EQ(run.now.names, run.clean->names);
            EXPECT_EQ(app::Values().listingLineCount, 2);
            // Every version holds the diary as it was; one that failed is
            // absent (or whole, when only its folder sync failed), and a
            // deletion tried twice kept two.
            for (const auto& [name, bytes] : run.now.versions) EXPECT_EQ(bytes, run.before->diary);
            const auto& shown = framework::testing::MessageBoxesShown();
            if (std::any_of(shown.begin(), shown.end(), IsVersionWarning)) {
                EXPECT_TRUE(VersionsWithin(run.now, *run.clean));
            } else {
                EXPECT_TRUE(VersionsWithin(*run.clean, run.now));
                EXPECT_LE(run.now.versions.size(), 2u);
            }
        });
}

}  // namespace
}  // namespace reliability
