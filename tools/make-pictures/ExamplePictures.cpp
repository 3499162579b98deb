#include "tools/make-pictures/ExamplePictures.h"

#include "framework/Controls.h"
#include "resources/ResourceIds.h"
#include "setup/TDlg7.h"

namespace pictures {
namespace {

// The subject headings dialog with six headings typed in.
std::unique_ptr<framework::TDialog> HeadingsExample() {
    auto dialog = std::make_unique<setup::TDlg7>(nullptr);
    dialog->ShowModeless();
    const char* headings[] = {"Health", "Work", "Family", "Exercise", "Sleep", "Mood"};
    for (int i = 0; i < 6; ++i) framework::TEdit(dialog.get(), 101 + i).SetText(headings[i]);
    return dialog;
}

}  // namespace

const std::vector<ExamplePicture>& ExamplePictures() {
    static const std::vector<ExamplePicture> pictures = {
        {resources::kHeadingsPicture, QSize(371, 327), HeadingsExample},
        // To come with the entry dialogs:
        // {resources::kButtonEntryPicture, QSize(515, 368), ButtonEntryExample}: the button
        //     entry dialog with a score chosen on each of the six rows;
        // {resources::kTextEntryPicture, QSize(613, 370), TextEntryExample}: the text entry
        //     dialog with a summary, a note under a changed note title, and a score.
    };
    return pictures;
}

}  // namespace pictures
