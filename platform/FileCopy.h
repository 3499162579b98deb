#pragma once
// Writing and copying a file whole or not at all.

#include <string>
#include <string_view>

#include "platform/Status.h"

namespace platform {

// Copies the bytes of `from` to `to` through the Env: the copy is written to
// `temp` (created afresh), synced, closed and renamed to `to`, and the folder
// of `to` is synced. A crash at any moment leaves `to` as it was or the
// whole copy. On failure `temp` is removed and the failure returned (with
// the path and the reason); `to` is then as it was, except after a failed
// folder sync, when the copy is in place but may not survive a power cut.
// *inPlace (when given) tells which: true once the copy has replaced `to`.
Status CopyFileWhole(const std::string& from, const std::string& to, const std::string& temp,
                     bool* inPlace = nullptr);

// Writes bytes to path in the same way, through a temporary file beside it
// (path with ".part" added, replaced if left over).
Status WriteFileWhole(const std::string& path, std::string_view bytes);

}  // namespace platform
