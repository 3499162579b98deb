#pragma once
// The messages a dialog shows when something the user entered could not be
// written, so that nobody closes a dialog believing it was kept when it was not,
// and the warning shown when a version of the diary could not be kept before a
// change (store/Versions.h).

#include <string_view>

#include "platform/Status.h"

namespace framework {

class TWindow;

// Shows "<what> could not be saved.\n\n<why>" in a modal OK box with the
// stop icon and an empty caption, owned by owner. what is Windows-1252 (e.g.
// "Your entry preference"); why is failure's message, whose path may hold
// characters the code page lacks (shown as "?"). REQUIRES: !failure.ok().
void ShowNotSaved(TWindow* owner, std::string_view what, const platform::Status& failure);

// Shows a modal OK box with the warning icon under the caption "Jotwel",
// owned by parent: no version of the diary could be kept in Jotwel.versions
// for this change, the failure's message, and that the change itself was
// made. Shown for the first failure of the run only; nothing for Ok. Call
// it only after a change that was made, after the change's own message, so
// the outcome of the change is told first.
void ReportVersionFailure(TWindow* parent, const platform::Status& failure);

// Forgets that the warning was shown, as a new run of the program (tests).
void ResetVersionWarning();

}  // namespace framework
