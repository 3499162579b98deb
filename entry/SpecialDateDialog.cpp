#include "entry/SpecialDateDialog.h"

#include "dates/DiaryDates.h"
#include "entry/EntryRules.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "resources/ids/SpecialDateIds.h"
#include "session/AppValues.h"

namespace entry {

SpecialDateDialog::SpecialDateDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kSpecialDateDialog),
      dateBox_(this, resources::special_date_ids::kDateBox, kSpecialDateTextLimit) {}

bool SpecialDateDialog::HandleCommand(int id) {
    static const framework::TCommandTable<SpecialDateDialog> table{
        {framework::kIdOk, &SpecialDateDialog::AcceptSpecialDate}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void SpecialDateDialog::AcceptSpecialDate() {
    const dates::Instant now = dates::CurrentInstant();
    session::AppValues& values = session::Values();
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
