// The reports dialog's actions with every write, sync or rename failing in
// turn, as a user meets it: after a failure the user does the same again.
// A message names the failure; after the second try the files are as a clean
// run leaves them. A version that cannot be kept is told by the warning
// alone, and the deletion is made all the same.
#include <QListView>

#include "FaultSweep.h"
#include "framework/MessageBox.h"
#include "reports/ReportsDialog.h"
#include "resources/ids/ReportsIds.h"

namespace reliability {
namespace {

using framework::TDialog;
using framework::testing::MessageBoxesShown;
namespace ids = resources::reports_ids;

std::string LastText() {
    return MessageBoxesShown().empty() ? std::string() : MessageBoxesShown().back().text;
}
bool AMessageNames(int error) {
    return std::any_of(MessageBoxesShown().begin(), MessageBoxesShown().end(), [&](const auto& b) {
        return b.text.find(std::strerror(error)) != std::string::npos;
    });
}
bool IsVersionWarning(const framework::testing::ShownMessageBox& box) {
    return box.caption == "Jotwel" && box.flags == (framework::kMbOk | framework::kMbIconWarning) &&
           box.text.starts_with("No version of the diary could be kept in Jotwel.versions");
}
// Whether every version in some is in all, with the same bytes.
bool VersionsWithin(const Files& some, const Files& all) {
    const Files versions = some.Only(kVersions);
    return std::includes(all.begin(), all.end(), versions.begin(), versions.end());
}

template <class Dialog>
std::function<void()> RunDialog(std::function<void(TDialog&)> action) {
    return [action] {
        framework::testing::OnNextDialog(action);
        Dialog(nullptr).Execute();
    };
}
// A listing that could not be saved leaves the list filled, the listing gone
// and not counted; then Show Results again.
void ShowResultsAgainIfNotSaved(TDialog& d) {
    if (!LastText().starts_with("The listing could not be saved")) return;
    EXPECT_GT(jtest::ControlOf<QListView>(d, ids::kResultsList)->model()->rowCount(), 3);
    EXPECT_EQ(session::Values().listingLineCount, 0);
    EXPECT_FALSE(fs::exists(jtest::InTestDir("listd.tmp")));
    jtest::Click(d, ids::kShowResultsButton);
}
// Deletes the first twin after Yes; returns whether the deletion failed.
bool DeleteTwin(TDialog& d) {
    framework::TListBox(&d, ids::kResultsList).SetSelIndex(3);  // heading, blank, quiet, twin
    framework::testing::AnswerNextMessageBox(framework::kIdYes);
    jtest::Click(d, ids::kDeleteButton);
    return LastText().starts_with("Unable to delete entry");
}

// Two entries list as the same line, so a deletion done twice loses one.
TEST_F(DialogFaults, ReportsReportEveryFailureAndTryingAgainGivesTheRightResult) {
    const store::TEntryRecord twin{"twin", "05/02/14 @ 00:00:00", 1391558400, 5};
    jtest::WriteFileBytes(
        jtest::InTestDir(kDiary),
        DiaryOf({{"quiet day", "01/02/14 @ 12:00:00", 1391256000, 3}, twin, twin}));
    jtest::WriteFileBytes(jtest::InTestDir("listd.tmp"), "an old listing\r\n");
    const Files start = Snapshot();
    Sweep("reports Show Results", start, RunDialog<reports::ReportsDialog>([](TDialog& d) {
              jtest::Click(d, ids::kShowResultsButton);
              ShowResultsAgainIfNotSaved(d);
          }),
          [](const FaultRun& run) {
              EXPECT_TRUE(AMessageNames(run.error)) << LastText();
              EXPECT_EQ(run.now, *run.clean);
              EXPECT_EQ(session::Values().listingLineCount, 3);
          });
    Sweep("reports Delete", start, RunDialog<reports::ReportsDialog>([](TDialog& d) {
              jtest::Click(d, ids::kShowResultsButton);
              ShowResultsAgainIfNotSaved(d);
              if (DeleteTwin(d)) DeleteTwin(d);
              ShowResultsAgainIfNotSaved(d);
          }),
          [](const FaultRun& run) {
              EXPECT_TRUE(AMessageNames(run.error)) << LastText();
              EXPECT_EQ(run.now.Only(kVersions, false), run.clean->Only(kVersions, false));
              EXPECT_EQ(session::Values().listingLineCount, 2);
              // Every version kept holds the diary as it was; a deletion
              // tried twice kept two.
              for (const auto& [path, bytes] : run.now.Only(kVersions)) {
                  EXPECT_EQ(bytes, run.before->at(kDiary));
              }
              const auto& shown = MessageBoxesShown();
              if (std::any_of(shown.begin(), shown.end(), IsVersionWarning)) {
                  EXPECT_TRUE(VersionsWithin(run.now, *run.clean));
              } else {
                  EXPECT_TRUE(VersionsWithin(*run.clean, run.now));
                  EXPECT_LE(run.now.Only(kVersions).size(), 2u);
              }
          });
}

}  // namespace
}  // namespace reliability
