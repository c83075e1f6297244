#include "convert/ConvertFile.h"

#include <fcntl.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "convert/EncodeChar.h"
#include "convert/FileOperations.h"
#include "convert/TextFile.h"
#include "tests/support/TempDir.h"

namespace varnolet {
namespace {

using test::Exists;
using test::ReadFile;
using test::WriteFile;

// Every test ends with no temporary copy left in the temporary folder.
class ConvertFileTest : public testing::Test {
protected:
    void TearDown() override {
        // Copies are named like "abcdefgh.ijk"; the fixture's own folder is "test.XXXXXX".
        const std::regex tempName("[a-z]{8}\\.[a-z]{3}");
        for (const auto& name : test::ListFolder(GetTempFolder())) {
            EXPECT_FALSE(std::regex_match(name, tempName)) << "left behind: " << name;
        }
    }
    test::TempDir dir;
};

TEST_F(ConvertFileTest, ConvertsContent) {
    struct Case {
        const char* name;
        std::string input;
        bool bSpaces, bBreaks, bNumeric;
        std::string expected;
    } cases[] = {
        {"empty", "", false, false, false, ""},
        {"escapes, CR LF kept", "a<b\r\n", false, false, false, "a&lt;b\r\n"},
        {"breaks", "a<b\r\n", false, true, false, "a&lt;b<br />\r\n"},
        {"lone CR is a line end", "a\rb", false, false, false, "a\r\nb"},
        {"NUL and 0xFF", std::string("\0\xFF", 2), false, false, true, std::string("\0&#255;", 7)},
        {"spaces", "a b", true, false, false, "a&nbsp;b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir / "in", c.input);
        EXPECT_TRUE(ConvertFile(dir / "in", dir / "out", c.bSpaces, c.bBreaks, c.bNumeric, true));
        EXPECT_EQ(ReadFile(dir / "out"), c.expected);
        EXPECT_EQ(ReadFile(dir / "in"), c.input);
    }
}

// Crosses the reader's block boundaries, with a CR LF split between two blocks.
TEST_F(ConvertFileTest, LargeInputMatchesByteByByteEncoding) {
    std::string input;
    for (int i = 0; input.size() < (3u << 20); ++i) {
        input += "line <" + std::to_string(i) + "> \xE9\r\n";
    }
    input.insert((1u << 20) - 1, "\r\n");
    input += "\rend";
    WriteFile(dir / "in", input);
    ASSERT_TRUE(ConvertFile(dir / "in", dir / "out", false, true, false, false));
    std::string expected;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
            continue;
        }
        for (char c : EncodeChar(static_cast<unsigned char>(input[i]), false, true, false)) {
            expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
    }
    EXPECT_EQ(ReadFile(dir / "out"), expected);
}

TEST_F(ConvertFileTest, RefusesWhatCannotBeConverted) {
    WriteFile(dir / "in", "text");
    ::mkdir((dir / "folder").c_str(), 0755);
    EXPECT_FALSE(ConvertFile(dir / "folder", dir / "out", false, false, false, true));
    EXPECT_FALSE(ConvertFile(dir / "missing", dir / "out", false, false, false, true));
    EXPECT_FALSE(Exists(dir / "out"));
    EXPECT_FALSE(ConvertFile(dir / "in", dir / "no/out", false, false, false, true));
    EXPECT_FALSE(ConvertFile(dir / "in", dir / "folder", false, false, false, true));
}

TEST_F(ConvertFileTest, ExistingOutputIsReplacedOnlyWhenAllowed) {
    WriteFile(dir / "in", "new");
    WriteFile(dir / "out", "old");
    EXPECT_FALSE(ConvertFile(dir / "in", dir / "out", false, false, false, false));
    EXPECT_EQ(ReadFile(dir / "out"), "old");
    EXPECT_TRUE(ConvertFile(dir / "in", dir / "out", false, false, false, true));
    EXPECT_EQ(ReadFile(dir / "out"), "new");
}

TEST_F(ConvertFileTest, ReadOnlyOutputGivesFalseAndKeepsItsContent) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "permissions are not enforced";
    }
    WriteFile(dir / "in", "new");
    WriteFile(dir / "out", "old");
    ::chmod((dir / "out").c_str(), 0444);
    EXPECT_FALSE(ConvertFile(dir / "in", dir / "out", false, false, false, true));
    EXPECT_EQ(ReadFile(dir / "out"), "old");
}

TEST_F(ConvertFileTest, UnreadableInputGivesFalse) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "permissions are not enforced";
    }
    WriteFile(dir / "in", "secret");
    ::chmod((dir / "in").c_str(), 0);
    EXPECT_FALSE(ConvertFile(dir / "in", dir / "out", false, false, false, true));
}

TEST_F(ConvertFileTest, ConvertsInPlace) {
    WriteFile(dir / "in", "<a>\n");
    EXPECT_TRUE(ConvertFile(dir / "in", dir / "in", false, false, false, true));
    EXPECT_EQ(ReadFile(dir / "in"), "&lt;a&gt;\r\n");
}

TEST_F(ConvertFileTest, FullDiskIsAFailure) {
    WriteFile(dir / "in", std::string(1 << 20, 'x'));
    EXPECT_FALSE(ConvertFile(dir / "in", "/dev/full", false, false, false, true));
}

// Reading /proc/self/mem from offset 0 fails with EIO: a read error on a "regular file".
TEST_F(ConvertFileTest, ReadErrorIsAFailure) {
    EXPECT_FALSE(ConvertFile("/proc/self/mem", dir / "out", false, false, false, true));
}

TEST(RandomName, HasTheNameForm) {
    struct Case {
        std::uint8_t name, ext;
        const char* pattern;
    } cases[] = {
        {0, 0, "[a-z]{8}\\.[a-z]{3}"}, {8, 3, "[a-z]{8}\\.[a-z]{3}"}, {1, 1, "[a-z]\\.[a-z]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_TRUE(std::regex_match(RandomName(c.name, c.ext), std::regex(c.pattern)));
    }
}

TEST(RandomName, SameSeedGivesSameNames) {
    SeedRandomNames(7);
    const std::string first = RandomName(8, 3) + RandomName(8, 3);
    SeedRandomNames(7);
    EXPECT_EQ(RandomName(8, 3) + RandomName(8, 3), first);
}

// Links planted at the names the generator gives next are never followed.
TEST(CreateTempFile, SkipsPlantedLinksAndIsPrivate) {
    test::TempDir dir;
    SeedRandomNames(42);
    std::vector<std::string> names;
    for (int i = 0; i < 4; ++i) {
        names.push_back(RandomName(8, 3));
    }
    const std::string folder = GetTempFolder();
    WriteFile(dir / "victim", "precious");
    ASSERT_EQ(::symlink((dir / "victim").c_str(), (folder + names[0]).c_str()), 0);
    ASSERT_EQ(::symlink((dir / "absent").c_str(), (folder + names[1]).c_str()), 0);
    ASSERT_EQ(::symlink((dir / "victim").c_str(), (folder + names[2]).c_str()), 0);
    SeedRandomNames(42);
    const std::string path = MakeTempFilePath(8, 3);
    EXPECT_EQ(path, folder + names[3]);
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadFile(dir / "victim"), "precious");
    EXPECT_FALSE(Exists(dir / "absent"));
    for (int i = 0; i < 4; ++i) {
        ::unlink((folder + names[i]).c_str());
    }
}

TEST(CopyFileContents, Cases) {
    test::TempDir dir;
    WriteFile(dir / "src", "abc");
    WriteFile(dir / "dst", "old");
    EXPECT_FALSE(CopyFileContents(dir / "missing", dir / "new", true));
    EXPECT_FALSE(Exists(dir / "new"));
    EXPECT_TRUE(CopyFileContents(dir / "src", " " + (dir / "src") + " ", false));
    EXPECT_FALSE(CopyFileContents(dir / "src", dir / "dst", false));
    EXPECT_EQ(ReadFile(dir / "dst"), "old");
    EXPECT_TRUE(CopyFileContents(dir / "src", dir / "dst", true));
    EXPECT_EQ(ReadFile(dir / "dst"), "abc");
    EXPECT_FALSE(CopyFileContents("/proc/self/mem", dir / "mem", true));
}

TEST(WipeFile, OverwritesInPlaceAndRemoves) {
    test::TempDir dir;
    EXPECT_TRUE(WipeFile(dir / "missing", 1));
    ::mkdir((dir / "folder").c_str(), 0755);
    EXPECT_TRUE(WipeFile(dir / "folder", 1));
    EXPECT_TRUE(Exists(dir / "folder"));
    WriteFile(dir / "f", "hello");
    ::chmod((dir / "f").c_str(), 0444);
    // A second link shows what the wipe left in the file's blocks.
    ASSERT_EQ(::link((dir / "f").c_str(), (dir / "witness").c_str()), 0);
    EXPECT_TRUE(WipeFile(dir / "f", 1));
    EXPECT_FALSE(Exists(dir / "f"));
    EXPECT_EQ(ReadFile(dir / "witness"), std::string(5, '\0'));
}

TEST(ProbeOutputFile, Cases) {
    test::TempDir dir;
    WriteFile(dir / "there", "keep");
    EXPECT_EQ(ProbeOutputFile(dir / "there"), PROBE_EXISTS);
    EXPECT_EQ(ReadFile(dir / "there"), "keep");
    EXPECT_EQ(ProbeOutputFile(dir / "free"), PROBE_CREATABLE);
    EXPECT_FALSE(Exists(dir / "free"));
    EXPECT_EQ(ProbeOutputFile(dir / "no/such"), PROBE_NOT_CREATABLE);
    ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "dangling").c_str()), 0);
    EXPECT_EQ(ProbeOutputFile(dir / "dangling"), PROBE_NOT_CREATABLE);
    EXPECT_FALSE(Exists(dir / "target"));
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(ProbeOutputFile(dir / "fifo"), PROBE_NOT_CREATABLE); // no reader: no hang
}

TEST(TextFile, ReadsAndWritesInTextMode) {
    test::TempDir dir;
    WriteFile(dir / "f", "a\r\nb\rc");
    std::string text;
    ASSERT_TRUE(ReadTextLines(dir / "f", text));
    EXPECT_EQ(text, "a\nb\rc\n");
    {
        platform::UniqueFd out = platform::OpenFile((dir / "g").c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_TRUE(WriteText(out.Get(), "x\ny\n"));
    }
    EXPECT_EQ(ReadFile(dir / "g"), "x\r\ny\r\n");
    EXPECT_FALSE(ReadTextLines(dir / "missing", text));
    platform::UniqueFd full = platform::OpenFile("/dev/full", O_WRONLY);
    EXPECT_FALSE(WriteText(full.Get(), "x"));
}

} // namespace
} // namespace varnolet
