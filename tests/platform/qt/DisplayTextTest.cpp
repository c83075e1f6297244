#include "platform/qt/DisplayText.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace varnolet::platform {
namespace {

TEST(DisplayTextTest, ValidUtf8ShowsAsItself) {
    const std::string text = "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\x84 /tmp/a b";
    EXPECT_EQ(ToDisplay(text), QString::fromUtf8(text.data(), qsizetype(text.size())));
    EXPECT_EQ(FromDisplay(QStringLiteral(u"caf\u00e9 \u20ac")), "caf\xc3\xa9 \xe2\x82\xac");
}

TEST(DisplayTextTest, AnyBytesSurviveTheRoundTrip) {
    const std::string cases[] = {
        "/home/u/caf\xe9.txt",   // Latin-1
        "\xc3",                  // cut sequence at the end
        "\xc0\xaf",              // overlong slash
        "\xed\xa0\x80",          // encoded surrogate
        "\xf4\x90\x80\x80",      // past U+10FFFF
        "\xe2\x82",              // cut in the middle
        "\xff\xfe\x80 \xc3\xa9", // stray bytes beside a valid one
        std::string("a\0b", 3),  // NUL inside
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(FromDisplay(ToDisplay(bytes)), bytes);
    }
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 12, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random());
        }
        ASSERT_EQ(FromDisplay(ToDisplay(bytes)), bytes);
    }
}

TEST(DisplayTextTest, AStrayByteShowsAsOneCharacter) {
    const QString shown = ToDisplay("a\xe9z");
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], QChar(u'a'));
    EXPECT_EQ(shown[2], QChar(u'z'));
    EXPECT_NE(shown[1], QChar(u'\xe9')); // never taken for the Latin-1 letter
}

TEST(DisplayTextTest, ALoneSurrogateTypedInBecomesTheReplacementCharacter) {
    const QString typed(QChar(char16_t(0xD800)));
    EXPECT_EQ(FromDisplay(typed), "\xef\xbf\xbd");
}

} // namespace
} // namespace varnolet::platform
