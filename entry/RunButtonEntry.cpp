#include "entry/RunButtonEntry.h"

#include "app/AppValues.h"
#include "dates/TextOps.h"
#include "entry/EntryTexts.h"
#include "entry/TDlg4.h"
#include "framework/MessageBox.h"

namespace entry {

bool RunButtonEntry(framework::TWindow* owner) {
    if (!dates::HasLetterOrDigit(app::Values().headings[0])) {
        framework::MessageBox(owner, kNoHeadingsMessage);
        return false;
    }
    TDlg4(owner).Execute();
    return true;
}

}  // namespace entry
