#include "discovery/FilterText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "discovery/StringUtils.h"

namespace varnolet {
namespace {

struct CleanUpCase {
    const char* name;
    std::string typed;
    std::string expected;
};

TEST(FilterTextTest, KeywordsFieldCleanUp) {
    // What leaving the keywords field does: bad characters become spaces first.
    const CleanUpCase cases[] = {
        {"case counts, repeats and empty pieces go, upper case first", "beta, Alpha,,alpha , beta",
         "Alpha, alpha, beta"},
        {"colon and backslash each become a space, inner spaces stay", "c:\\temp", "c  temp"},
        {"nothing but commas and blanks", ", ,  ,", ""},
        {"empty stays empty", "", ""},
        {"every invalid character", "a\\b/c:d*e?f\"g<h>i|j", "a b c d e f g h i j"},
        {"tab and line feed inside a piece become spaces, ends trimmed", "\tx\ny\t", "x y"},
        {"vertical tab is not whitespace", "\va", "\va"},
        {"bytes above 0x7F sort after ASCII", "\xc3\xa9t\xc3\xa9, zoo", "zoo, \xc3\xa9t\xc3\xa9"},
    };
    for (const CleanUpCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NormalizeKeywords(ReplaceChars(c.typed, ' ', szInvalidChars)), c.expected);
    }
}

TEST(FilterTextTest, ExtensionsFieldCleanUp) {
    const CleanUpCase cases[] = {
        {"asterisk piece dropped, case folded, hyphen sorts before dot",
         "TXT, .htm, -?, *.doc, txt", "-?, .htm, txt"},
        {"only the exact no-extension token may hold a question mark", "-?x", ""},
        {"the token survives blanks around it", "  -?  ", "-?"},
        {"a slash or colon drops the piece", "a/b, c:d, ok", "ok"},
        {"bytes above 0x7F are not folded", "\xc3\x89X", "\xc3\x89x"},
        {"empty", "", ""},
        {"only empty pieces", " , ,", ""},
        {"a leading dot stays", ".TXT", ".txt"},
    };
    for (const CleanUpCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NormalizeExtensions(c.typed), c.expected);
    }
}

TEST(FilterTextTest, CleanUpsAreStableOnTheirOwnOutput) {
    // Leaving the field twice must not change the text the second time.
    const std::string keywords = NormalizeKeywords("b ,a, A,a");
    EXPECT_EQ(NormalizeKeywords(keywords), keywords);
    const std::string extensions = NormalizeExtensions("HTM,txt,-?");
    EXPECT_EQ(NormalizeExtensions(extensions), extensions);
}

TEST(FilterTextTest, LongTextStaysWhole) {
    // 10,000 characters of pieces: every distinct piece kept once, in order.
    std::string typed;
    for (int i = 0; i < 2000; ++i) {
        typed += "k" + std::to_string(i % 500) + ",";
    }
    const std::string cleaned = NormalizeKeywords(typed);
    EXPECT_EQ(cleaned.find("k0, k1, k10, k100"), 0U);
    EXPECT_EQ(std::count(cleaned.begin(), cleaned.end(), ','), 499);
}

TEST(FilterTextTest, ReplaceCharsReplacesEveryByteOfTheSet) {
    EXPECT_EQ(ReplaceChars("a-b_c-", '.', "-_"), "a.b.c.");
    EXPECT_EQ(ReplaceChars("", '.', "-"), "");
    EXPECT_EQ(ReplaceChars("abc", '.', ""), "abc");
}

} // namespace
} // namespace varnolet
