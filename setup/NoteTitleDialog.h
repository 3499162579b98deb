#pragma once
// The text title dialog (template 11): a new title for the one-line note of
// the text entry. The box starts empty; OK stores what was typed (an empty
// box included) and makes it the note title for the rest of the run.
// Escape and the close box leave everything as it was.

#include "framework/Controls.h"
#include "framework/TDialog.h"

namespace setup {

class NoteTitleDialog : public framework::TDialog {
public:
    explicit NoteTitleDialog(framework::TWindow* parent);

protected:
    bool HandleCommand(int id) override;

private:
    // OK: stores the title and closes; when the write fails, says so and
    // stays open with the note title unchanged.
    void SaveTextTitle();

    framework::TEdit titleBox_;
};

}  // namespace setup
