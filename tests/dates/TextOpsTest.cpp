// The small text operations: splitting, the blank test and the word search.

#include <gtest/gtest.h>

#include <string>

#include "dates/TextOps.h"

namespace dates {
namespace {

TEST(TextSplit, FindsAndCutsAtTheFirstSeparatorOrKeepsTheWholeText) {
    const struct {
        const char* text;
        const char* separator;
        int at;
        const char* before;
        const char* after;
    } cases[] = {
        {"07/12/14", "/", 2, "07", "12/14"}, {"071214", "/", -1, "071214", "071214"},
        {"/12", "/", 0, "", "12"},           {"07/", "/", 2, "07", ""},
        {"a--b--c", "--", 1, "a", "b--c"},   {"text", "", -1, "text", "text"},
        {"aab", "ab", 1, "a", ""},           {"Abc", "a", -1, "Abc", "Abc"},
        {"abc", "abcd", -1, "abc", "abc"},   {"", "a", -1, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text, c.separator), c.at) << c.text << " / " << c.separator;
        EXPECT_EQ(TextBefore(c.text, c.separator), c.before) << c.text;
        EXPECT_EQ(TextAfter(c.text, c.separator), c.after) << c.text;
    }
}

TEST(HasLetterOrDigit, CountsOnlyAsciiLettersAndDigits) {
    const struct {
        std::string text;
        bool has;
    } cases[] = {
        {"", false},       {"   ", false},          {"/ /", false},
        {"\t\r\n", false}, {"\xC9\xE9\xFF", false}, {"0", true},
        {" z ", true},     {"\xE9Z", true},         {std::string("\0a", 2), true},
    };
    for (const auto& c : cases) EXPECT_EQ(HasLetterOrDigit(c.text), c.has) << c.text;
}

// Only ASCII capitals fold: not their neighbours @ [ ` { nor accented letters.
TEST(ContainsWordIgnoringCase, IsASubstringTestBlindToAsciiCase) {
    const struct {
        const char* text;
        const char* word;
        bool found;
    } cases[] = {
        {"Saw the Seals today", "SEALS", true},
        {"Saw the seals today", " sea", true},
        {"seals", " sea", false},
        {"anything", "", true},
        {"", "a", false},
        {"short", "shorter", false},
        {"caf\xE9", "CAF\xE9", true},
        {"caf\xE9", "CAF\xC9", false},
        {"AZ 2014!", "az 2014!", true},
        {"`{", "@[", false},
        {"@[", "`{", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContainsWordIgnoringCase(c.text, c.word), c.found) << c.text << " / " << c.word;
    }
}

}  // namespace
}  // namespace dates
