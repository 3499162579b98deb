// The dialogs' actions with every write, sync or rename failing in turn, as
// a user meets it: after a failure the user does the same again. The first
// message names the failure and says truly what was stored; after the second
// try the files are as a clean run leaves them. A version that cannot be kept
// is told by the warning alone, and the change is made all the same.
#include <QListView>

#include "FaultSweep.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/TextEntryDialog.h"
#include "framework/MessageBox.h"
#include "reports/ReportsDialog.h"
#include "resources/ids/ButtonEntryIds.h"
#include "resources/ids/EntryPreferenceIds.h"
#include "resources/ids/HeadingsIds.h"
#include "resources/ids/ReportsIds.h"
#include "resources/ids/TextEntryIds.h"
#include "session/Settings.h"
#include "setup/EntryPreferenceDialog.h"
#include "setup/HeadingsDialog.h"

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
// Presses OK, and once more if the dialog is still open.
void OkAndRetry(TDialog& d) {
    jtest::Click(d, framework::kIdOk);
    if (d.IsRunning()) jtest::Click(d, framework::kIdOk);
}
void ExpectOneMessageAndClosed(const FaultRun& run) {
    ASSERT_EQ(MessageBoxesShown().size(), 1u);
    EXPECT_TRUE(AMessageNames(run.error)) << LastText();
    EXPECT_FALSE(framework::testing::DialogsShown().front().leftOpen);
}

// The day's first save keeps a version of the diary first.
void CheckEntryRun(const FaultRun& run) {
    ExpectOneMessageAndClosed(run);
    const auto& box = MessageBoxesShown().front();
    EXPECT_EQ(run.now.Only(kDiary), run.clean->Only(kDiary));  // the entry exactly once
    const Files settings = run.now.Only(kSettings);
    if (IsVersionWarning(box)) {
        EXPECT_EQ(settings, run.clean->Only(kSettings));
        EXPECT_TRUE(VersionsWithin(run.now, *run.clean));  // whole or absent
        return;
    }
    EXPECT_EQ(run.now.Only(kVersions), run.clean->Only(kVersions));
    if (box.text.starts_with("Your entry could not be saved.\n\n")) {
        EXPECT_EQ(box.flags, framework::kMbOk | framework::kMbIconStop);
        EXPECT_EQ(settings, run.clean->Only(kSettings));
    } else {
        EXPECT_TRUE(box.text.starts_with("Your entry has been saved.")) << box.text;
        EXPECT_TRUE(settings == run.before->Only(kSettings) ||
                    settings == run.clean->Only(kSettings));
    }
}

TEST_F(DialogFaults, EntryAndSetupOkTellEveryFailureAndASecondOkStoresAll) {
    jtest::WriteFileBytes(jtest::InTestDir(kDiary),
                          DiaryOf({{"earlier  = )", "01/12/14 @ 10:00:00", 1417428000, 2}}));
    jtest::WriteFileBytes(session::SettingsPath(),
                          "[Jotwel]\r\nToDay=No\r\nDefault=KEYS\r\nLastDate=061214\r\n");
    const Files start = Snapshot();
    Sweep("text entry OK", start, RunDialog<entry::TextEntryDialog>([](TDialog& d) {
              namespace text_ids = resources::text_entry_ids;
              jtest::Type(d, text_ids::kSummaryBox, "A day by the sea");
              jtest::Type(d, text_ids::kNoteBox, "Seals");
              jtest::Click(d, text_ids::ScoreButton(5));
              OkAndRetry(d);
          }),
          CheckEntryRun);
    Sweep("button entry OK", start, RunDialog<entry::ButtonEntryDialog>([](TDialog& d) {
              jtest::Click(d, resources::button_entry_ids::ScoreButton(0, 3));
              jtest::Click(d, resources::button_entry_ids::ScoreButton(5, 9));
              OkAndRetry(d);
          }),
          CheckEntryRun);
    // The setup dialogs that write several values stay open after a failure.
    const auto storedAll = [](const FaultRun& run) {
        ExpectOneMessageAndClosed(run);
        EXPECT_EQ(run.now.Only(kSettings), run.clean->Only(kSettings));
        EXPECT_EQ(session::Values().headings[5], "Heading 5");
    };
    Sweep("entry preference OK", start, RunDialog<setup::EntryPreferenceDialog>([](TDialog& d) {
              jtest::Click(d, resources::entry_preference_ids::kTodayBox);
              OkAndRetry(d);
          }),
          [](const FaultRun& run) {
              ExpectOneMessageAndClosed(run);
              EXPECT_EQ(run.now.Only(kSettings), run.clean->Only(kSettings));
          });
    Sweep("subject headings OK", start, RunDialog<setup::HeadingsDialog>([](TDialog& d) {
              for (int i = 0; i < 6; ++i) {
                  jtest::Type(d, resources::headings_ids::HeadingBox(i),
                              QString("Heading %1").arg(i));
              }
              OkAndRetry(d);
          }),
          storedAll);
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
