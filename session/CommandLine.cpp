#include "session/CommandLine.h"

#include <string_view>

namespace session {
namespace {

constexpr std::string_view kUsage =
    "Usage: jotwel [auto]\n"
    "       jotwel --help | --version\n"
    "\n"
    "A small personal diary: one short visit a day to record how the day went.\n"
    "The diary (Jotwel.dat) and the last listing (listd.tmp) are kept in the\n"
    "current folder; the settings in $XDG_CONFIG_HOME/ZORVANT.INI (~/.config\n"
    "when that is not set).\n"
    "\n"
    "  auto       start as at log-on: end at once when today's entry has\n"
    "             already been made\n"
    "  --help     show this text and end\n"
    "  --version  show the version and end\n"
    "\n"
    "jotwel-launch starts Jotwel with the diary in ~/Jotwel, as the application\n"
    "menu does; jotwel-tool reads the diary from a terminal.\n";

}  // namespace

std::optional<int> AnswerInformationRequest(int argc, const char* const* argv, std::ostream& out) {
    if (argc < 2) return std::nullopt;
    const std::string_view request = argv[1];
    if (request == "--help") {
        out << kUsage;
    } else if (request == "--version") {
        out << "jotwel " JOTWEL_VERSION "\n";
    } else {
        return std::nullopt;
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace session
