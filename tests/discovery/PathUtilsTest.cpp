#include "discovery/PathUtils.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace varnolet {
namespace {

TEST(PathUtils, TakesPathsApartAtEitherSeparator) {
    struct Case {
        const char* path;
        const char* fileName;
        const char* folder;
        const char* extension;
    };
    const Case cases[] = {
        {"C:\\docs\\", "", "C:\\docs\\", ""},
        {"report.txt", "report.txt", "", "txt"},
        {"C:\\docs\\ a.txt ", "a.txt", "C:\\docs\\", "txt"},
        {"C:/docs/a.txt", "a.txt", "C:/docs/", "txt"},
        {"/home/ann\\mixed/b.TXT", "b.TXT", "/home/ann\\mixed/", "TXT"},
        {"archive.tar.gz", "archive.tar.gz", "", "gz"},
        {"/home/.profile", ".profile", "/home/", "profile"},
        {"name.", "name.", "", ""},
        {"C:\\dir.d\\file", "file", "C:\\dir.d\\", ""},
        {" /padded/ ", "", "/padded/", ""},
        {"/x/a. txt ", "a. txt", "/x/", "txt"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.path + "'");
        EXPECT_EQ(PathFileName(c.path), c.fileName);
        EXPECT_EQ(PathFolder(c.path), c.folder);
        EXPECT_EQ(PathExtension(c.path), c.extension);
    }
}

TEST(PathUtils, NormalizeFolderWritesSlashesAndTellsWhetherTheFolderExists) {
    test::TempDir dir;
    ASSERT_EQ(::mkdir((dir / "texts").c_str(), 0755), 0);
    test::WriteFile(dir / "file.txt", "x");
    const std::string base = dir.Path().substr(0, dir.Path().size() - 1);
    struct Case {
        std::string input;
        std::string normalized;
        bool exists;
    };
    const Case cases[] = {
        {"", "/", true},
        {base + "\\texts", base + "/texts/", true},
        {base + "/texts/", base + "/texts/", true},
        {base + "/texts\\", base + "/texts/", true},
        {base + "//texts", base + "//texts/", true},
        {base + "/missing", base + "/missing/", false},
        {base + "/file.txt", base + "/file.txt/", false},
        {"/home/ann\\texts", "/home/ann/texts/", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        std::string path = c.input;
        EXPECT_EQ(PathNormalizeFolder(path), c.exists);
        EXPECT_EQ(path, c.normalized);
        const std::string before = c.input;
        EXPECT_EQ(PathFolderExists(c.input), c.exists);
        EXPECT_EQ(c.input, before);
    }
}

TEST(PathUtils, RegularFileFollowsLinksAndRefusesEverythingElse) {
    test::TempDir dir;
    test::WriteFile(dir / "file.txt", "x");
    ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("file.txt", (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink("folder", (dir / "folder-link").c_str()), 0);
    EXPECT_TRUE(PathIsRegularFile(dir / "file.txt"));
    EXPECT_TRUE(PathIsRegularFile(dir / "link"));
    EXPECT_FALSE(PathIsRegularFile(dir / "folder"));
    EXPECT_FALSE(PathIsRegularFile(dir / "folder-link"));
    EXPECT_FALSE(PathIsRegularFile(dir / "missing"));
    EXPECT_FALSE(PathIsRegularFile("/dev/null"));
}

TEST(PathUtils, FolderAttributesAreExactlyTheTwentySixWords) {
    const std::uint32_t accepted[] = {0x10, 0x13, 0x17, 0x30, 0x37, 0x90, 0x97, 0xB0, 0xB7};
    const std::uint32_t refused[] = {0x00, 0x20,  0x35,  0x95,  0xB2,   0xB4,   0xB5,
                                     0xB6, 0x410, 0x420, 0x810, 0x2010, 0x4010, 0x10010};
    for (std::uint32_t word : accepted) {
        EXPECT_TRUE(IsFolderAttributes(word)) << std::hex << word;
    }
    for (std::uint32_t word : refused) {
        EXPECT_FALSE(IsFolderAttributes(word)) << std::hex << word;
    }
    int count = 0;
    for (std::uint32_t word = 0; word < 0x10000; ++word) {
        count += IsFolderAttributes(word) ? 1 : 0;
    }
    EXPECT_EQ(count, 26);
}

TEST(PathUtils, WellKnownFoldersEndInTheSeparator) {
    EXPECT_EQ(GetWindowsFolder(), "/etc/");
    EXPECT_EQ(GetSystemFolder(), "/usr/lib/");
    EXPECT_EQ(GetRootFolder(), "/");
}

TEST(PathUtils, ProgramFolderIsWhereTheRunningExecutableReallyIs) {
    char real[PATH_MAX];
    ASSERT_NE(::realpath("/proc/self/exe", real), nullptr);
    const std::string executable = real;
    EXPECT_EQ(GetProgramFolder(), executable.substr(0, executable.rfind('/')));
}

} // namespace
} // namespace varnolet
