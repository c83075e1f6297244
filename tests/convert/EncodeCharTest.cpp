#include "convert/EncodeChar.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "convert/EntityTable.h"

namespace varnolet {
namespace {

// The rules written out plainly, scanning the table row by row.
std::string Reference(unsigned ch, bool bSpaces, bool bBreaks, bool bNumeric) {
    if (ch == 0x20 && !bSpaces) {
        return " ";
    }
    if (!bBreaks && (ch == 0x0D || ch == 0x0C || ch == 0x0A)) {
        return "\n";
    }
    for (std::size_t row = 0; row < nEntityCount; ++row) {
        if (static_cast<unsigned>(EntityTable[row].nCode & 0xFF) == ch) {
            return bNumeric ? EntityTable[row].szNumeric : EntityTable[row].szNamed;
        }
    }
    return std::string(1, static_cast<char>(ch));
}

TEST(EncodeChar, EveryByteUnderEveryFlagCombinationFollowsTheRules) {
    for (unsigned flags = 0; flags < 8; ++flags) {
        const bool s = flags & 1, b = flags & 2, n = flags & 4;
        for (unsigned ch = 0; ch < 256; ++ch) {
            SCOPED_TRACE(testing::Message() << "byte " << ch << " flags " << flags);
            EXPECT_EQ(EncodeChar(static_cast<unsigned char>(ch), s, b, n), Reference(ch, s, b, n));
            std::string textMode;
            for (char c : Reference(ch, s, b, n)) {
                textMode += c == '\n' ? std::string("\r\n") : std::string(1, c);
            }
            EXPECT_EQ(TextModeEncodingsFor(s, b, n).Of(static_cast<unsigned char>(ch)), textMode);
        }
    }
}

TEST(EncodeChar, Examples) {
    struct Case {
        const char* name;
        unsigned char ch;
        bool s, b, n;
        std::string expected;
    } cases[] = {
        {"plain space", ' ', false, false, false, " "},
        {"kept space", ' ', true, false, false, "&nbsp;"},
        {"kept space numeric", ' ', true, false, true, "&#160;"},
        {"less-than", '<', false, false, false, "&lt;"},
        {"less-than numeric", '<', false, false, true, "&#60;"},
        {"apostrophe", '\'', false, false, false, "&#39;"},
        {"e acute", 0xE9, false, false, false, "&eacute;"},
        {"e acute numeric", 0xE9, false, false, true, "&#233;"},
        {"0xFF is a character", 0xFF, false, false, false, "&yuml;"},
        {"0xA0 unchanged", 0xA0, true, true, true, "\xA0"},
        {"0x80 unchanged", 0x80, false, false, false, "\x80"},
        {"tab unchanged", '\t', true, true, true, "\t"},
        {"NUL unchanged", 0, false, false, false, std::string(1, '\0')},
        {"LF as break", '\n', false, true, true, "<br />\n"},
        {"FF as plain line end", '\f', false, false, false, "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeChar(c.ch, c.s, c.b, c.n), c.expected);
    }
}

TEST(EntityTable, HoldsEachCodeOnceAndTheLatin1RowsInOrder) {
    ASSERT_EQ(std::size(EntityTable), nEntityCount);
    EXPECT_EQ(nEntityCount, 104u);
    std::set<int> codes;
    for (std::size_t row = 0; row < nEntityCount; ++row) {
        EXPECT_TRUE(codes.insert(EntityTable[row].nCode & 0xFF).second) << "row " << row;
    }
    for (int row = 0; row < 95; ++row) {
        EXPECT_EQ(EntityTable[row].nCode, 0xA1 + row);
        EXPECT_EQ(EntityTable[row].szNumeric, "&#" + std::to_string(0xA1 + row) + ";");
    }
}

// Checked against the HTML 4.01 entity set, not against a copy of our table.
TEST(EntityTable, NamedReferencesAreTheHtml4Latin1Set) {
    const char* data = std::getenv("VARNOLET_TEST_DATA");
    ASSERT_NE(data, nullptr);
    std::ifstream in(std::string(data) + "/HTMLlat1.ent");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    std::map<int, std::string> byCode;
    const std::regex entity(R"(<!ENTITY\s+(\w+)\s+CDATA\s+"&#(\d+);")");
    for (auto it = std::sregex_iterator(all.begin(), all.end(), entity);
         it != std::sregex_iterator(); ++it) {
        byCode[std::stoi((*it)[2])] = (*it)[1];
    }
    ASSERT_EQ(byCode.size(), 96u); // 160 to 255
    for (int code = 0xA1; code <= 0xFF; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(EntityTable[code - 0xA1].szNamed, "&" + byCode[code] + ";");
    }
}

} // namespace
} // namespace varnolet
