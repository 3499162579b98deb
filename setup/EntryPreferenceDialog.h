#pragma once
// The entry preference dialog (template 5): the preferred entry method and
// whether entries are for today. It opens with "I Prefer Text Entries"
// selected whatever was saved before, and with the today box showing the today
// preference loaded at start-up. OK stores both settings and closes; the
// preference in memory keeps its start-up value until the next start. Help
// shows the general help screen over the dialog.

#include "framework/Controls.h"
#include "framework/TDialog.h"

namespace setup {

class EntryPreferenceDialog : public framework::TDialog {
public:
    explicit EntryPreferenceDialog(framework::TWindow* parent);

protected:
    void SetupWindow() override;
    bool HandleCommand(int id) override;

private:
    // OK: writes Default then ToDay and closes; when a write fails, says so
    // and stays open.
    void SavePreference();
    void ShowHelp();

    // "I Prefer Button Entries" needs no wrapper: it is the other button of
    // the text entries button's group, so that one alone tells the choice.
    framework::TCheckBox todayBox_;
    framework::TRadioButton textEntries_;
};

}  // namespace setup
