#include "platform/qt/UriList.h"

#include <gtest/gtest.h>

#include <QMimeData>

namespace varnolet::platform {
namespace {

struct UriCase {
    const char* name;
    std::string list;
    std::optional<std::string> expected;
};

TEST(UriListTest, FirstLocalPath) {
    const UriCase cases[] = {
        {"first of several items", "file:///home/a/one.txt\r\nfile:///home/a/two.txt\r\n",
         "/home/a/one.txt"},
        {"comment lines are skipped", "# from the file manager\r\nfile:///x/y\r\n", "/x/y"},
        {"percent escapes give raw bytes, not valid UTF-8 included",
         "file:///tmp/caf%E9%20n%0Aame.txt\r\n", "/tmp/caf\xe9 n\name.txt"},
        {"localhost names this machine", "file://localhost/etc/hosts\n", "/etc/hosts"},
        {"a lone LF ends a line too", "file:///a\nfile:///b\n", "/a"},
        {"a bad escape stays as it is", "file:///a%zz%4\r\n", "/a%zz%4"},
        {"another host is not a local file", "file://server/share/x\r\n", std::nullopt},
        {"other schemes are not local files", "https://example.org/x\r\n", std::nullopt},
        {"only the first item counts", "https://example.org/x\r\nfile:///a\r\n", std::nullopt},
        {"an encoded NUL would cut the path", "file:///tmp%00/etc\r\n", std::nullopt},
        {"empty list", "", std::nullopt},
    };
    for (const UriCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FirstLocalPathInUriList(c.list), c.expected);
    }
}

TEST(UriListTest, DropDataWithoutUriListGivesNothing) {
    QMimeData text;
    text.setText(QStringLiteral("/etc/hosts"));
    EXPECT_EQ(FirstDroppedPath(text), std::nullopt);

    QMimeData uris;
    uris.setData(QStringLiteral("text/uri-list"), QByteArray("file:///etc/hosts\r\n"));
    EXPECT_EQ(FirstDroppedPath(uris), std::optional<std::string>("/etc/hosts"));
}

} // namespace
} // namespace varnolet::platform
