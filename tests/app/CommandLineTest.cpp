#include "app/CommandLine.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/BeepRecorder.h"
#include "tests/support/TempDir.h"

namespace varnolet {
namespace {

using platform::MB_ICONERROR;
using platform::MB_ICONINFORMATION;
using test::Exists;
using test::ReadFile;
using test::WriteFile;

TEST(CommandLine, TailAndQuotes) {
    char prog[] = "varnolet", a[] = "/x/my", b[] = "notes.txt";
    char* argv[] = {prog, a, b, nullptr};
    EXPECT_EQ(CommandLineTail(3, argv), "/x/my notes.txt");
    EXPECT_EQ(CommandLineTail(0, argv), "");
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"\"a b\"", "a b"}, {"\"a\" ", "a\" "}, {"\"", ""}, {"a\"b", "a\"b"}, {"", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(RemoveQuotes(c.in), c.out);
    }
}

TEST(CommandLine, ConvertsBesideTheInput) {
    test::TempDir dir;
    struct Case {
        const char* name;
        std::string file;
        std::string input;
        std::string output;
    } cases[] = {
        {"simple", "a.txt", "a<b\r\n", "<pre>\r\na&lt;b\r\n</pre>"},
        {"empty", "e.txt", "", "<pre>\r\n</pre>"},
        {"no final line end", "n.txt", "x", "<pre>\r\nx\r\n</pre>"},
        {"NUL and 0xFF", "z.txt", std::string("\0\xFF", 2),
         std::string("<pre>\r\n\0&yuml;\r\n</pre>", 22)},
        {"blanks and quote in name", "my \"odd\" file", "1 & 2", "<pre>\r\n1 &amp; 2\r\n</pre>"},
        {"not UTF-8 name", "caf\xE9\xFF.txt", "\xE9", "<pre>\r\n&eacute;\r\n</pre>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir / c.file, c.input);
        test::BeepRecorder beeps;
        EXPECT_EQ(RunCommandLine(dir / c.file), 0);
        EXPECT_EQ(ReadFile(dir / c.file + ".txt"), c.output);
        EXPECT_EQ(ReadFile(dir / c.file), c.input);
        EXPECT_EQ(beeps.Beeps(), std::vector{MB_ICONINFORMATION});
    }
    test::BeepRecorder beeps;
    EXPECT_EQ(RunCommandLine("\"" + (dir / "a.txt") + "\""), 0);
}

TEST(CommandLine, FailuresBeepAndWriteNothing) {
    test::TempDir dir;
    WriteFile(dir / "a.txt", "x");
    ::mkdir((dir / "folder").c_str(), 0755);
    const std::string tails[] = {dir / "missing", dir / "folder", "\"",
                                 "\"" + (dir / "a.txt") + "\" ", ""};
    for (const auto& tail : tails) {
        SCOPED_TRACE(tail);
        test::BeepRecorder beeps;
        EXPECT_EQ(RunCommandLine(tail), 1);
        EXPECT_EQ(beeps.Beeps(), std::vector{MB_ICONERROR});
    }
    EXPECT_EQ(test::ListFolder(dir.Path()), (std::vector<std::string>{"a.txt", "folder"}));
}

TEST(CommandLine, ReadOnlyEarlierOutputIsReplaced) {
    test::TempDir dir;
    WriteFile(dir / "a.txt", "new");
    WriteFile(dir / "a.txt.txt", "old");
    ::chmod((dir / "a.txt.txt").c_str(), 0444);
    test::BeepRecorder beeps;
    EXPECT_EQ(RunCommandLine(dir / "a.txt"), 0);
    EXPECT_EQ(ReadFile(dir / "a.txt.txt"), "<pre>\r\nnew\r\n</pre>");
}

TEST(CommandLine, UnwritableFolderFails) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "permissions are not enforced";
    }
    test::TempDir dir;
    WriteFile(dir / "a.txt", "x");
    ::chmod(dir.Path().c_str(), 0555);
    test::BeepRecorder beeps;
    EXPECT_EQ(RunCommandLine(dir / "a.txt"), 1);
    EXPECT_EQ(beeps.Beeps(), std::vector{MB_ICONERROR});
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_FALSE(Exists(dir / "a.txt.txt"));
}

} // namespace
} // namespace varnolet
