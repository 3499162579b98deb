#include "setup/TDlg11.h"

#include "app/AppValues.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "framework/NotSavedMessage.h"
#include "setup/SetupSettings.h"

namespace setup {

TDlg11::TDlg11(framework::TWindow* parent)
    : TDialog(parent, resources::kTextTitleDialog), titleBox_(this, 104) {}

bool TDlg11::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg11> table{{framework::kIdOk, &TDlg11::SaveTextTitle}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg11::SaveTextTitle() {
    const platform::Status status = SaveNoteTitle(titleBox_.GetText(), app::Values().noteTitle);
    if (!status.ok()) {
        framework::ShowNotSaved(this, "Your title for text entries", status);
        return;
    }
    CloseWindow(framework::kIdCancel);
}

}  // namespace setup
