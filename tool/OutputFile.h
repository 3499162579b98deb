#pragma once
// Where a command's output goes: -o FILE, "-o -" or the standard output.

#include <string>
#include <string_view>

#include "tool/Commands.h"

namespace tool {

// Writes bytes as the command's output: to context.out when -o is not
// given or is "-"; otherwise to the file -o names. A regular file, or a
// new one, is replaced whole or not at all (through a link, its target is;
// the link stays). Anything else is written to directly and never replaced
// by a plain file: a pipe, a terminal, a device, and every path in /dev or
// /proc (/dev/stdout, /dev/fd/3), whatever it leads to. Returns kExitOk,
// or says why and returns the exit status (kExitUserError for a path that
// must not be written, kExitFileError for a failed write).
int WriteOutput(const ToolContext& context, std::string_view bytes);

// Whether -o asks for the standard output (not given, or "-").
bool OutputIsStandard(const ToolContext& context);

}  // namespace tool
