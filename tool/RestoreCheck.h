#pragma once
// Which kept versions restore may put back.

#include <string>

#include "tool/Commands.h"

namespace tool {

// kExitOk when the version name is a regular file itself in the diary's
// versions folder: not a link (to a file anywhere), not a folder, not a
// device or pipe. Otherwise says why and returns kExitUserError.
int CheckVersionFile(const ToolContext& context, const std::string& name);

}  // namespace tool
