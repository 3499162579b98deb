#pragma once
// What an entry dialog tells the user after a save that did not simply
// succeed.

#include "entry/EntrySave.h"

namespace framework {
class TWindow;
}

namespace entry {

// Nothing for a save that succeeded. An entry not stored: the stop-icon
// message that it was not saved and why. LastDate not written: a message
// that the entry is saved but the day could not be noted, and why. After
// that, when no version of the diary could be kept before the save, the
// warning of framework/SaveMessages.h (once per run), before the dialog closes.
// Returns whether the entry is stored, so the dialog may close; otherwise it
// stays open with everything the user typed and chose.
bool ReportEntrySave(framework::TWindow* owner, const EntrySaveResult& result);

}  // namespace entry
