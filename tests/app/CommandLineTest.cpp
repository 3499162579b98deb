// "jotwel --help" and "jotwel --version" answer and end before start-up;
// every other command line is left to start-up untouched.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "session/CommandLine.h"

namespace jtest {
namespace {

std::optional<int> Answer(std::vector<const char*> args, std::ostream& out) {
    args.insert(args.begin(), "jotwel");
    return session::AnswerInformationRequest(static_cast<int>(args.size()), args.data(), out);
}

TEST(CommandLineTest, HelpAndVersionAreAnsweredWithStatusZero) {
    std::ostringstream help;
    EXPECT_EQ(Answer({"--help"}, help), 0);
    EXPECT_EQ(help.str().rfind("Usage: jotwel [auto]\n", 0), 0u) << help.str();
    EXPECT_NE(help.str().find("  auto "), std::string::npos);

    std::ostringstream version;
    EXPECT_EQ(Answer({"--version", "auto"}, version), 0);
    // The number itself is checked against the package's (tests/e2e/package.sh).
    const std::string line = version.str();
    ASSERT_GE(line.size(), 9u) << line;
    const std::string number = line.substr(7, line.size() - 8);
    EXPECT_TRUE(line.rfind("jotwel ", 0) == 0 && line.back() == '\n' && !number.empty() &&
                number.find_first_not_of("0123456789.") == std::string::npos)
        << line;
}

TEST(CommandLineTest, OtherCommandLinesAreLeftToStartUp) {
    const std::vector<std::vector<const char*>> lines = {
        {},     {"auto"},     {"auto", "--help"}, {"-platform", "offscreen"}, {"--helpful"},
        {"-h"}, {"--Version"}};
    for (const auto& line : lines) {
        std::ostringstream out;
        EXPECT_EQ(Answer(line, out), std::nullopt) << (line.empty() ? "(none)" : line[0]);
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(CommandLineTest, AnOutputThatCannotBeWrittenIsAFailure) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(Answer({"--version"}, out), 1);
}

}  // namespace
}  // namespace jtest
