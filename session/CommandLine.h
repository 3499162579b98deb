#pragma once
// The two requests for information that the program answers from its
// command line before anything else starts (no window, no display needed):
// "jotwel --help" and "jotwel --version". Every other command line, "auto"
// among them, is left to the start-up as it stands.

#include <optional>
#include <ostream>

namespace session {

// When the first argument after the program name is exactly "--help" or
// "--version", writes the usage text or the version line to out and returns
// the exit status (0); otherwise writes nothing and returns nothing.
std::optional<int> AnswerInformationRequest(int argc, const char* const* argv, std::ostream& out);

}  // namespace session
