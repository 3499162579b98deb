// "jotwel --help" and "jotwel --version" answer and end before start-up;
// every other command line is left to start-up untouched.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "session/CommandLine.h"

namespace jtest {
namespace {

TEST(CommandLineTest, OnlyHelpAndVersionAreAnswered) {
    const struct {
        std::vector<const char*> args;
        std::optional<int> status;
        std::string starts = "";
        bool bad = false;  // an output that cannot be written
    } cases[] = {
        {.args = {"--help"}, .status = 0, .starts = "Usage: jotwel [auto]\n"},
        {.args = {"--version", "auto"}, .status = 0, .starts = "jotwel "},
        {.args = {"--version"}, .status = 1, .bad = true},
        {.args = {}, .status = std::nullopt},
        {.args = {"auto", "--help"}, .status = std::nullopt},
        {.args = {"-platform", "offscreen"}, .status = std::nullopt},
        {.args = {"--helpful"}, .status = std::nullopt},
        {.args = {"-h"}, .status = std::nullopt},
        {.args = {"--Version"}, .status = std::nullopt},
    };
    for (auto c : cases) {
        c.args.insert(c.args.begin(), "jotwel");
        std::ostringstream out;
        if (c.bad) out.setstate(std::ios::badbit);
        const int argc = static_cast<int>(c.args.size());
        EXPECT_EQ(session::AnswerInformationRequest(argc, c.args.data(), out), c.status)
            << c.args.back();
        EXPECT_EQ(out.str().rfind(c.starts, 0), 0u) << out.str();
        EXPECT_EQ(out.str().empty(), c.starts.empty()) << out.str();
    }
}

}  // namespace
}  // namespace jtest
