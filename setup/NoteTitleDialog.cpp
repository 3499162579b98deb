#include "setup/NoteTitleDialog.h"

#include "framework/MessageBox.h"
#include "framework/SaveMessages.h"
#include "resources/ResourceIds.h"
#include "resources/ids/NoteTitleIds.h"
#include "session/AppValues.h"
#include "setup/SetupSettings.h"

namespace setup {

NoteTitleDialog::NoteTitleDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kTextTitleDialog),
      titleBox_(this, resources::note_title_ids::kTitleBox) {}

bool NoteTitleDialog::HandleCommand(int id) {
    static const framework::TCommandTable<NoteTitleDialog> table{
        {framework::kIdOk, &NoteTitleDialog::SaveTextTitle}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void NoteTitleDialog::SaveTextTitle() {
    const platform::Status status = SaveNoteTitle(titleBox_.GetText(), session::Values().noteTitle);
    if (!status.ok()) {
        framework::ShowNotSaved(this, "Your title for text entries", status);
        return;
    }
    CloseWindow(framework::kIdCancel);
}

}  // namespace setup
