#include "platform/DirectoryListing.h"

#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace varnolet::platform {
namespace {

struct Listed {
    std::uint32_t attributes;
    bool isRegularFile;
};

std::map<std::string, Listed> ListAll(const std::string& folder, AttributeDetail detail) {
    std::map<std::string, Listed> entries;
    DirectoryListing listing(folder, detail);
    EXPECT_TRUE(listing.IsOpen());
    DirectoryEntry entry;
    while (listing.Next(entry)) {
        entries.emplace(std::string(entry.name), Listed{entry.attributes, entry.isRegularFile});
    }
    return entries;
}

class DirectoryListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteFile(m_dir / "plain.txt", "x");
        test::WriteFile(m_dir / ".hidden", "x");
        test::WriteFile(m_dir / "locked.txt", "x");
        ASSERT_EQ(::chmod((m_dir / "locked.txt").c_str(), 0444), 0);
        ASSERT_EQ(::mkdir((m_dir / "folder").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir((m_dir / ".config").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir((m_dir / "sealed").c_str(), 0555), 0);
        ASSERT_EQ(::symlink("folder", (m_dir / "to-folder").c_str()), 0);
        ASSERT_EQ(::symlink("plain.txt", (m_dir / "to-file").c_str()), 0);
        ASSERT_EQ(::symlink("nowhere", (m_dir / "dangling").c_str()), 0);
        ASSERT_EQ(::symlink("loop", (m_dir / "loop").c_str()), 0);
        ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0644), 0);
    }

    test::TempDir m_dir;
};

// Only an entry that is itself a regular file is vouched for: a link to one is
// not, since what it leads to can change, and neither is a pipe.
TEST_F(DirectoryListingTest, EachEntryGetsItsAttributeWordAndKind) {
    struct Case {
        const char* name;
        std::uint32_t complete;
        std::uint32_t withoutReadOnly;
        bool isRegularFile;
    };
    const Case cases[] = {
        {"plain.txt", 0x20, 0x20, true},    {".hidden", 0x22, 0x22, true},
        {"locked.txt", 0x21, 0x20, true},   {"folder", 0x10, 0x10, false},
        {".config", 0x12, 0x12, false},     {"sealed", 0x11, 0x10, false},
        {"to-folder", 0x410, 0x410, false}, {"to-file", 0x420, 0x420, false},
        {"dangling", 0x420, 0x420, false},  {"loop", 0x420, 0x420, false},
        {"pipe", 0x20, 0x20, false},
    };
    const auto complete = ListAll(m_dir.Path(), AttributeDetail::Complete);
    const auto partial = ListAll(m_dir.Path(), AttributeDetail::WithoutReadOnly);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(complete.count(c.name), 1u);
        EXPECT_EQ(complete.at(c.name).attributes, c.complete);
        EXPECT_EQ(partial.at(c.name).attributes, c.withoutReadOnly);
        EXPECT_EQ(complete.at(c.name).isRegularFile, c.isRegularFile);
        EXPECT_EQ(partial.at(c.name).isRegularFile, c.isRegularFile);
    }
}

TEST_F(DirectoryListingTest, ListsTheDotEntriesAndEveryOtherOnce) {
    const auto entries = ListAll(m_dir.Path(), AttributeDetail::WithoutReadOnly);
    EXPECT_EQ(entries.size(), 11u + 2u);
    ASSERT_EQ(entries.count("."), 1u);
    ASSERT_EQ(entries.count(".."), 1u);
    EXPECT_EQ(entries.at(".").attributes & kAttributeFolder, kAttributeFolder);
}

TEST(DirectoryListing, NamesComeBackByteForByte) {
    test::TempDir dir;
    const std::string names[] = {"two  blanks ", "line\nbreak", "latin1 \xE9\xFF", "back\\slash"};
    for (const std::string& name : names) {
        test::WriteFile(dir / name, "");
    }
    const auto entries = ListAll(dir.Path(), AttributeDetail::Complete);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(entries.count(name), 1u);
    }
}

TEST(DirectoryListing, AFolderThatCannotBeListedHasNoEntries) {
    test::TempDir dir;
    test::WriteFile(dir / "file", "x");
    const std::string paths[] = {dir / "missing/", dir / "file", dir / "file/", ""};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        DirectoryListing listing(path);
        EXPECT_FALSE(listing.IsOpen());
        DirectoryEntry entry;
        EXPECT_FALSE(listing.Next(entry));
    }
}

TEST(DirectoryListing, AnUnreadableFolderCannotBeListed) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "root reads every folder";
    }
    test::TempDir dir;
    ASSERT_EQ(::mkdir((dir / "closed").c_str(), 0), 0);
    EXPECT_FALSE(DirectoryListing(dir / "closed").IsOpen());
}

} // namespace
} // namespace varnolet::platform
