#include "entry/TDlg12.h"

#include "app/AppValues.h"
#include "dates/DiaryDates.h"
#include "entry/EntryRules.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"

namespace entry {

TDlg12::TDlg12(framework::TWindow* parent)
    : TDialog(parent, resources::kSpecialDateDialog), dateBox_(this, 103) {}

bool TDlg12::HandleCommand(int id) {
    static const framework::TCommandTable<TDlg12> table{
        {framework::kIdOk, &TDlg12::AcceptSpecialDate}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void TDlg12::AcceptSpecialDate() {
    const dates::Instant now = dates::CurrentInstant();
    app::TAppValues& values = app::Values();
    values.specialDateText = dateBox_.GetText(kSpecialDateLength);
    const dates::SpecialDateCheck check = dates::CheckSpecialDate(values.specialDateText, now);
    values.specialDateValue = check.value;
    accepted_ = check.accepted;
    if (!check.accepted) {
        framework::MessageBox(this, check.message, check.caption);
        return;
    }
    CloseWindow(framework::kIdCancel);
}

}  // namespace entry
