#pragma once
// The subject headings dialog (template 7): six boxes, one per heading of
// the button entry. It opens with the headings in memory only when the
// stored second heading is set; otherwise all six boxes start empty. OK
// saves the headings one by one and closes once all six are saved; at the
// first box with no letter or digit, or a write that fails, it says so and
// stays open, keeping what was done before that box.

#include <array>

#include "framework/Controls.h"
#include "framework/TDialog.h"
#include "session/AppValues.h"

namespace setup {

class HeadingsDialog : public framework::TDialog {
public:
    explicit HeadingsDialog(framework::TWindow* parent);

protected:
    void SetupWindow() override;
    bool HandleCommand(int id) override;

private:
    void SaveHeadings();

    // The boxes of headings 1 to 6.
    std::array<framework::TEdit, session::kHeadingCount> boxes_;
};

}  // namespace setup
