#pragma once
// Reading a small file whole, and replacing one whole so that a crash or a
// full disk at any moment leaves either the old content or the new.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Env.h"
#include "platform/Status.h"

namespace platform {

// Files read whole are small by nature (the settings file is a few hundred
// bytes); one larger than this is damaged or not ours, and reading it would
// take memory without bound.
inline constexpr std::size_t kMaxWholeFileBytes = 16 << 20;

// Reads the whole file at path into *content. On failure *content is empty
// and the status says why (ENOENT for a missing file, EFBIG for one of more
// than maxBytes, of which no more than that is read).
Status ReadWholeFile(Env& env, const std::string& path, std::string* content,
                     std::size_t maxBytes = kMaxWholeFileBytes);

// Makes content the whole of the file at path: creates the file's folder
// when it is missing, then writes through a temporary file as
// WriteThroughTemp does (a link at path keeps pointing to the new content;
// the file keeps its permissions). A failure before the rename leaves path
// as it was. A failure to sync the folder after the rename is returned too,
// although path then already holds the new content.
Status ReplaceWholeFile(Env& env, const std::string& path, std::string_view content);

}  // namespace platform
