#include "setup/TDlg5.h"

#include "app/AppValues.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "framework/NotSavedMessage.h"
#include "setup/SetupSettings.h"
#include "setup/TDlg3.h"

namespace setup {
namespace {
constexpr int kHelpButton = 9;
}

TDlg5::TDlg5(framework::TWindow* parent)
    : TDialog(parent, resources::kEntryPreferenceDialog),
      todayBox_(this, 103),
      textEntries_(this, 101) {}

void TDlg5::SetupWindow() {
    TDialog::SetupWindow();
    textEntries_.SetCheck(true);
    if (app::Values().todayPreference) todayBox_.SetCheck(true);
}

bool TDlg5::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg5> table{
        {framework::kIdOk, &TDlg5::SavePreference},
        {kHelpButton, &TDlg5::ShowHelp},
    };
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg5::SavePreference() {
    const platform::Status status =
        SaveEntryPreference(textEntries_.IsChecked(), todayBox_.IsChecked());
    if (!status.ok()) {
        framework::ShowNotSaved(this, "Your entry preference", status);
        return;
    }
    CloseWindow(framework::kIdCancel);
}

void TDlg5::ShowHelp() {
    TDlg3(this, resources::kGeneralHelpDialog).Execute();
}

}  // namespace setup
