#pragma once
// Writing and copying a file whole or not at all.

#include <functional>
#include <string>
#include <string_view>

#include "platform/Env.h"
#include "platform/Status.h"

namespace platform {

// The one way a file is replaced whole: `temp` is created afresh, `fill`
// writes the content to it, it is synced, closed and renamed to `to`, and
// the folder of `to` is synced. A failure before the rename removes `temp`
// and leaves `to` as it was; *inPlace (when given) tells whether the rename
// happened (only the folder's sync can fail after it).
Status WriteThroughTemp(Env& env, const std::string& temp, const std::string& to,
                        const std::function<Status(WritableFile&)>& fill, bool* inPlace = nullptr);

// Copies the bytes of `from` to `to` through the Env: the copy is written to
// `temp` (created afresh), synced, closed and renamed to `to`, and the folder
// of `to` is synced. A crash at any moment leaves `to` as it was or the
// whole copy. On failure `temp` is removed and the failure returned (with
// the path and the reason); `to` is then as it was, except after a failed
// folder sync, when the copy is in place but may not survive a power cut.
// *inPlace (when given) tells which: true once the copy has replaced `to`.
Status CopyFileWhole(const std::string& from, const std::string& to, const std::string& temp,
                     bool* inPlace = nullptr);

// Writes bytes to path in the same way, through the temporary file
// TempPathFor(path) beside it (replaced if left over). The folder must exist.
Status WriteFileWhole(const std::string& path, std::string_view bytes);

}  // namespace platform
