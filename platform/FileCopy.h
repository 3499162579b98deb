#pragma once
// Writing and copying a file whole or not at all.

#include <functional>
#include <string>
#include <string_view>

#include "platform/Env.h"
#include "platform/Status.h"

namespace platform {

struct WriteOptions {
    // The temporary file's path. Empty: a new name beside the file, unique
    // to this write. A fixed name is for a caller that holds a lock over
    // it: whatever is left at that name (a crashed write, a planted link)
    // is removed first.
    std::string temp;
    // The permissions of a file that did not exist (-1: 0666 less the
    // umask). A file that exists keeps its own.
    int newFileMode = -1;
    // Called when the new content is synced, just before the rename. A
    // failure stops the write, which then changes nothing.
    std::function<Status()> beforeRename;
};

// The one way a file is replaced whole. The file is `to`, or what a link
// there points to (see ResolveLinks), so the link stays a link. A temporary
// file is created exclusively in that file's folder (never through a link,
// never one another writer uses), `fill` writes the content to it, it is
// synced, closed, given the old file's permissions and group, and renamed
// over the file; then the folder is synced. Anything at `to` but a regular
// file is refused. A failure before the rename removes the temporary file
// and leaves the file as it was; *inPlace (when given) tells whether the
// rename happened (only the folder's sync can fail after it).
Status WriteThroughTemp(Env& env, const std::string& to,
                        const std::function<Status(WritableFile&)>& fill, bool* inPlace = nullptr,
                        const WriteOptions& options = {});

// Copies the bytes of `from` (a regular file) to `to` in the same way. A
// crash at any moment leaves `to` as it was or the whole copy.
Status CopyFileWhole(const std::string& from, const std::string& to, bool* inPlace = nullptr,
                     const WriteOptions& options = {});

// Writes bytes to path in the same way. The folder must exist.
Status WriteFileWhole(const std::string& path, std::string_view bytes);

// Whether name is one WriteThroughTemp gives its temporary files beside a
// file named base.
bool IsTempNameFor(std::string_view name, std::string_view base);

}  // namespace platform
