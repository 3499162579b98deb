#pragma once
// The special date dialog (template 12): asks for the past date of a text
// entry that is for neither today nor yesterday. The box takes 10 bytes.
// Every OK keeps the text typed and its day-end value in the process-wide
// values (refused or not); a real day from 01/01/05 up to the day before the
// local yesterday ends the dialog, any other text is refused with a message
// saying why and the dialog stays open. Cancel, Escape and the close box end
// it leaving the values as the last OK left them.

#include "framework/Controls.h"
#include "framework/TDialog.h"

namespace entry {

class OtherDateDialog : public framework::TDialog {
public:
    explicit OtherDateDialog(framework::TWindow* parent);

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
