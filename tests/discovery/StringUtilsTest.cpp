#include "discovery/StringUtils.h"

#include <gtest/gtest.h>

namespace varnolet {
namespace {

TEST(StringUtils, LowerChangesOnlyAsciiLetters) {
    EXPECT_EQ(StrLower("\xC4" "BC"), "\xC4" "bc");
    EXPECT_EQ(StrLower("AZaz@[`{\xC0\xDE\xFF"), "azaz@[`{\xC0\xDE\xFF");
    std::string text = "MiXeD";
    StrMakeLower(text);
    EXPECT_EQ(text, "mixed");
}

TEST(StringUtils, TrimUsesTheFiveWhitespaceCharacters) {
    struct Case {
        const char* name;
        std::string input;
        std::string both, left, right;
    };
    const Case cases[] = {
        {"only whitespace", "  \t\r\n\f", "", "", ""},
        {"vertical tab stays", "\vabc ", "\vabc", "\vabc ", "\vabc"},
        {"inner blanks stay", " a  b\t", "a  b", "a  b\t", " a  b"},
        {"nothing to trim", "abc", "abc", "abc", "abc"},
        {"empty", "", "", "", ""},
        {"nul is not whitespace", std::string("\0 ", 2), std::string("\0", 1),
         std::string("\0 ", 2), std::string("\0", 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StrTrimmed(c.input), c.both);
        std::string left = c.input, right = c.input, both = c.input;
        StrTrimLeft(left);
        StrTrimRight(right);
        StrTrim(both);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(right, c.right);
        EXPECT_EQ(both, c.both);
    }
}

TEST(StringUtils, InvalidCharsAreTheThirteenInOrder) {
    EXPECT_EQ(szInvalidChars, std::string_view("\\/:*?\"<>|\t\r\f\n"));
    EXPECT_EQ(szInvalidChars.size(), 13u);
    EXPECT_EQ(szWhitespace, std::string_view(" \t\r\f\n"));
}

} // namespace
} // namespace varnolet
