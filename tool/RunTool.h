#pragma once
// jotwel-tool, the terminal companion: the whole program as one function,
// so tests run it in-process exactly as the terminal does.
//
//   jotwel-tool [--dir DIR] COMMAND [OPTIONS]
//
// It works on the diary in DIR (default: the current directory), reading the
// files through the same code as Jotwel itself. Output is UTF-8; the
// diary's Windows-1252 texts are converted on the way out.

#include <iosfwd>
#include <string>
#include <vector>

namespace tool {

// Exit statuses.
inline constexpr int kExitOk = 0;
// Unknown command or option, a missing or malformed value, no diary in the
// folder, an unknown version, a restore declined.
inline constexpr int kExitUserError = 1;
// A damaged or unreadable file, or an output file that cannot be written.
inline constexpr int kExitFileError = 2;

// Runs jotwel-tool with args (the command line without the program's name).
// Results go to out, messages and questions to err; answers are read from
// in. Returns the exit status. The chart command needs a QGuiApplication:
// it makes one for its run when none exists.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            std::istream& in);

}  // namespace tool
