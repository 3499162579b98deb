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
        {.text = "07/12/14", .separator = "/", .at = 2, .before = "07", .after = "12/14"},
        {.text = "071214", .separator = "/", .at = -1, .before = "071214", .after = "071214"},
        {.text = "/12", .separator = "/", .at = 0, .before = "", .after = "12"},
        {.text = "text", .separator = "", .at = -1, .before = "text", .after = "text"},
        {.text = "aab", .separator = "ab", .at = 1, .before = "a", .after = ""},
        {.text = "Abc", .separator = "a", .at = -1, .before = "Abc", .after = "Abc"},
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
        {.text = "", .has = false},
        {.text = "\xC9\xE9\xFF", .has = false},
        {.text = "\xE9Z", .has = true},
        {.text = std::string("\0a", 2), .has = true},
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
        {.text = "Saw the Seals today", .word = "SEALS", .found = true},
        {.text = "seals", .word = " sea", .found = false},
        {.text = "anything", .word = "", .found = true},
        {.text = "caf\xE9", .word = "CAF\xE9", .found = true},
        {.text = "caf\xE9", .word = "CAF\xC9", .found = false},
        {.text = "`{", .word = "@[", .found = false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContainsWordIgnoringCase(c.text, c.word), c.found) << c.text << " / " << c.word;
    }
}

}  // namespace
}  // namespace dates
