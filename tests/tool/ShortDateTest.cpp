// Dates typed on the command line, dd/mm/yy: real days only, 00 to 49 in
// this century and 50 to 99 in the last, so 29/02 is a day in leap years.
#include <gtest/gtest.h>

#include "tool/Commands.h"

namespace {

TEST(ShortDate, TakesRealDaysOnly) {
    const std::pair<const char*, bool> cases[] = {
        {"29/02/16", true},  {"29/02/15", false}, {"29/02/00", true},    {"29/02/00x", false},
        {"1/3/49", true},    {"31/04/20", false}, {"31/12/99", true},    {"29/02/96", true},
        {"29/02/50", false}, {"01/13/20", false}, {"01/01/2020", false}, {"/01/20", false},
    };
    for (const auto& [text, real] : cases) EXPECT_EQ(tool::IsShortDate(text), real) << text;
}

}  // namespace
