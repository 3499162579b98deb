#pragma once
// The message a dialog shows when something the user entered could not be
// written, so that nobody closes a dialog believing it was kept when it was not.

#include <string_view>

#include "platform/Status.h"

namespace framework {

class TWindow;

// Shows "<what> could not be saved.\n\n<why>" in a modal OK box with the
// stop icon and an empty caption, owned by owner. what is Windows-1252 (e.g.
// "Your entry preference"); why is failure's message, whose path may hold
// characters the code page lacks (shown as "?"). REQUIRES: !failure.ok().
void ShowNotSaved(TWindow* owner, std::string_view what,
                  const platform::Status& failure);

}  // namespace framework
