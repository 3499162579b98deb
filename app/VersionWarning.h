#pragma once
// The warning shown when a version of the diary could not be kept before a
// change (store/Versions.h). A failed version never stops the change, and
// the warning is shown once per run of the program, not before every change.

#include "platform/Status.h"

namespace framework {
class TWindow;
}

namespace app {

// Shows a modal OK box with the warning icon under the caption "Jotwel",
// owned by parent: the diary could not be copied to Jotwel.versions before
// this change, the failure's message, and that a failed copy never stops a
// change. Shown for the first failure of the run only; nothing for Ok.
// Call it after the change's own message, so the outcome of the change is
// told first.
void ReportVersionFailure(framework::TWindow* parent, const platform::Status& failure);

// Forgets that the warning was shown, as a new run of the program (tests).
void ResetVersionWarning();

}  // namespace app
