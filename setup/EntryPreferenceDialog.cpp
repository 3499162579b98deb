#include "setup/EntryPreferenceDialog.h"

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "help/HelpScreen.h"
#include "resources/ResourceIds.h"
#include "resources/ids/EntryPreferenceIds.h"
#include "session/AppValues.h"
#include "setup/SetupSettings.h"

namespace setup {

namespace ids = resources::entry_preference_ids;

EntryPreferenceDialog::EntryPreferenceDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kEntryPreferenceDialog),
      todayBox_(this, ids::kTodayBox),
      textEntries_(this, ids::kTextEntriesRadio) {}

void EntryPreferenceDialog::SetupWindow() {
    TDialog::SetupWindow();
    textEntries_.SetCheck(true);
    if (session::Values().todayPreference) todayBox_.SetCheck(true);
}

bool EntryPreferenceDialog::HandleCommand(int id) {
    static const framework::TCommandTable<EntryPreferenceDialog> table{
        {framework::kIdOk, &EntryPreferenceDialog::SavePreference},
        {ids::kHelpButton, &EntryPreferenceDialog::ShowHelp},
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
