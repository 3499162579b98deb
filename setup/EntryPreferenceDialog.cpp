#include "setup/EntryPreferenceDialog.h"

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "help/HelpScreen.h"
#include "resources/ResourceIds.h"
#include "session/AppValues.h"
#include "setup/SetupSettings.h"

namespace setup {
namespace {
constexpr int kHelpButton = 9;
}

EntryPreferenceDialog::EntryPreferenceDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kEntryPreferenceDialog),
      todayBox_(this, 103),
      textEntries_(this, 101) {}

void EntryPreferenceDialog::SetupWindow() {
    TDialog::SetupWindow();
    textEntries_.SetCheck(true);
    if (session::Values().todayPreference) todayBox_.SetCheck(true);
}

bool EntryPreferenceDialog::HandleCommand(int id) {
    static const framework::TCommandTable<EntryPreferenceDialog> table{
        {framework::kIdOk, &EntryPreferenceDialog::SavePreference},
        {kHelpButton, &EntryPreferenceDialog::ShowHelp},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void EntryPreferenceDialog::SavePreference() {
    const platform::Status status =
        SaveEntryPreference(textEntries_.IsChecked(), todayBox_.IsChecked());
    if (!status.ok()) {
        framework::ShowNotSaved(this, "Your entry preference", status);
        return;
    }
    CloseWindow(framework::kIdCancel);
}

void EntryPreferenceDialog::ShowHelp() {
    help::HelpScreen(this, resources::kGeneralHelpDialog).Execute();
}

}  // namespace setup
