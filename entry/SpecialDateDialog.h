#pragma once
// The special date dialog (template 12): asks for the past date of a text
// entry that is for neither today nor yesterday. Every OK keeps the first 9
// bytes typed and their day-end value in the process-wide values (refused or
// not); a date from 01/01/05 up to the day before yesterday ends the dialog,
// any other is refused with a message and the dialog stays open. Cancel,
// Escape and the close box end it leaving the values as the last OK left
// them.

#include "framework/Controls.h"
#include "framework/TDialog.h"

namespace entry {

class SpecialDateDialog : public framework::TDialog {
public:
    explicit SpecialDateDialog(framework::TWindow* parent);

    // Whether the run ended because OK accepted a date; the process-wide
    // special date text and value then hold that date.
    bool Accepted() const { return accepted_; }

protected:
    bool HandleCommand(int id) override;

private:
    void AcceptSpecialDate();

    framework::TEdit dateBox_;
    bool accepted_ = false;
};

}  // namespace entry
