#include "entry/OtherDateDialog.h"

#include "dates/DiaryDates.h"
#include "entry/EntryRules.h"
#include "framework/MessageBox.h"
#include "resources/ResourceIds.h"
#include "resources/ids/OtherDateIds.h"
#include "session/AppValues.h"

namespace entry {

OtherDateDialog::OtherDateDialog(framework::TWindow* parent)
    : TDialog(parent, resources::kOtherDateDialog),
      dateBox_(this, resources::other_date_ids::kDateBox, kSpecialDateTextLimit) {}

bool OtherDateDialog::HandleCommand(int id) {
    static const framework::TCommandTable<OtherDateDialog> table{
        {framework::kIdOk, &OtherDateDialog::AcceptSpecialDate}};
    return table.Dispatch(*this, id) || TDialog::HandleCommand(id);
}

void OtherDateDialog::AcceptSpecialDate() {
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
