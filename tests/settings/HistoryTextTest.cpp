#include "settings/HistoryText.h"

#include <gtest/gtest.h>

namespace varnolet {
namespace {

struct SplitCase {
    const char* name;
    std::string_view text;
    std::vector<std::string> entries;
};

TEST(SplitHistoryText, CutsAtEveryBar) {
    const SplitCase cases[] = {
        {"empty text has no entries", "", {}},
        {"terminated entries", "C:\\Web|D:\\Out|", {"C:\\Web", "D:\\Out"}},
        {"empty entry between bars", "a||b|", {"a", "", "b"}},
        {"last entry without its bar", "a|b", {"a", "b"}},
        {"a lone bar is one empty entry", "|", {""}},
        {"leading bar gives an empty first entry", "|a|", {"", "a"}},
        {"no bar at all", "only", {"only"}},
        {"blanks are kept", " a | b ", {" a ", " b "}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitHistoryText(c.text), c.entries);
    }
}

TEST(GetHistoryText, TerminatesEveryEntry) {
    EXPECT_EQ(GetHistoryText({}), "");
    EXPECT_EQ(GetHistoryText({"C:\\Web", "D:\\Out"}), "C:\\Web|D:\\Out|");
    EXPECT_EQ(GetHistoryText({""}), "|");
}

TEST(HistoryText, RoundTripsAnyListWithoutBars) {
    const std::vector<std::vector<std::string>> lists = {
        {}, {""}, {"", ""}, {"a", "", "b"}, {"/home/ann/texts", "\xE9t\xE9"}};
    for (const auto& list : lists) {
        EXPECT_EQ(SplitHistoryText(GetHistoryText(list)), list);
    }
}

} // namespace
} // namespace varnolet
