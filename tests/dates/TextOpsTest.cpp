// The small text operations: splitting, the blank test and the word search.

#include <gtest/gtest.h>

#include <string>

#include "dates/TextOps.h"

namespace dates {
namespace {

TEST(FindText, FindsTheFirstExactOccurrence) {
    const struct {
        const char* text;
        const char* sought;
        int at;
    } cases[] = {
        {"07/12/14", "/", 2}, {"071214", "/", -1}, {"abcabc", "bc", 1}, {"abc", "", -1},
        {"", "a", -1},        {"abc", "abcd", -1}, {"aab", "ab", 1},    {"Abc", "a", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text, c.sought), c.at) << c.text << " / " << c.sought;
    }
}

TEST(TextSplit, CutsAtTheFirstSeparatorOrKeepsTheWholeText) {
    const struct {
        const char* text;
        const char* separator;
        const char* before;
        const char* after;
    } cases[] = {
        {"07/12/14", "/", "07", "12/14"}, {"071214", "/", "071214", "071214"},
        {"/12", "/", "", "12"},           {"07/", "/", "07", ""},
        {"Arial,12", ",", "Arial", "12"}, {"a--b--c", "--", "a", "b--c"},
        {"text", "", "text", "text"},
    };
    for (const auto& c : cases) {
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

TEST(LowerAscii, ChangesOnlyAsciiCapitals) {
    EXPECT_EQ(LowerAscii("Seals AT Sea, 2014! @[`{"), "seals at sea, 2014! @[`{");
    EXPECT_EQ(LowerAscii("\xC9t\xC9"), "\xC9t\xC9");
}

TEST(ContainsWordIgnoringCase, IsASubstringTestBlindToAsciiCase) {
    const struct {
        const char* text;
        const char* word;
        bool found;
    } cases[] = {
        {"Saw the Seals today", "SEALS", true},
        {"Saw the seals today", "sea", true},
        {"Saw the seals today", " sea", true},
        {"seals", " sea", false},
        {"anything", "", true},
        {"", "", true},
        {"", "a", false},
        {"caf\xE9", "CAF\xE9", true},
        {"caf\xE9", "CAF\xC9", false},
        {"short", "shorter", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContainsWordIgnoringCase(c.text, c.word), c.found) << c.text << " / " << c.word;
    }
}

}  // namespace
}  // namespace dates
