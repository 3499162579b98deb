#include "entry/RunButtonEntry.h"

#include "dates/TextOps.h"
#include "entry/ButtonEntryDialog.h"
#include "entry/EntryTexts.h"
#include "framework/MessageBox.h"
#include "session/AppValues.h"

namespace entry {

bool RunButtonEntry(framework::TWindow* owner) {
    if (!dates::HasLetterOrDigit(session::Values().headings[0])) {
        framework::MessageBox(owner, kNoHeadingsMessage);
        return false;
    }
    ButtonEntryDialog(owner).Execute();
    return true;
}

}  // namespace entry
