#include "platform/HiveStore.h"

#include "platform/HiveKey.h"
#include "platform/HiveText.h"
#include "tests/platform/HiveTestHome.h"
#include "tests/support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnolet::platform {
namespace {

HiveStatus SetValue(std::string_view name, std::string_view data) {
    return EditHive([&](HiveKey& root, bool& changed) {
        bool created = false;
        root.MakeSubkey("k", created).SetValue(name, {3, std::string(data)});
        changed = true;
        return kHiveSuccess;
    });
}

/// The value under "k", or "(none)".
std::string GetValue(std::string_view name) {
    HiveKey root;
    EXPECT_EQ(ReadHive(root), kHiveSuccess);
    const HiveKey* key = root.FindSubkey("k");
    const HiveValue* value = key ? key->FindValue(name) : nullptr;
    return value ? value->data : "(none)";
}

int Mode(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::vector<std::string> BadCopies(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& name : test::ListFolder(folder)) {
        if (name.rfind("user.reg.bad-", 0) == 0) {
            names.push_back(name);
        }
    }
    return names;
}

class HiveStoreTest : public ::testing::Test {
protected:
    void TearDown() override { SetHiveSaveHook({}); }
    test::HiveTestHome m_home;
};

TEST_F(HiveStoreTest, LocationFollowsTheEnvironmentOnEveryCall) {
    EXPECT_EQ(GetHivePath(), m_home.Hive());
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    const std::string home = std::getenv("HOME");
    EXPECT_EQ(GetHivePath(), home + (home.back() == '/' ? "" : "/") + ".config/varnolet/user.reg");
}

TEST_F(HiveStoreTest, MissingFoldersAreCreatedForTheOwnerOnly) {
    const std::string config = m_home.Config() + "deeper/config";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::umask(022);
    ASSERT_EQ(SetValue("a", "1"), kHiveSuccess);
    EXPECT_EQ(Mode(m_home.Config() + "deeper"), 0700);
    EXPECT_EQ(Mode(config + "/varnolet"), 0700);
    EXPECT_EQ(Mode(config + "/varnolet/user.reg"), 0600);
    EXPECT_EQ(test::ListFolder(config + "/varnolet"),
              (std::vector<std::string>{"user.reg", "user.reg.lock"}));
}

TEST_F(HiveStoreTest, AFolderThatCannotBeMadeIsAnErrorStatus) {
    // The configuration folder is a plain file: nothing can be made inside it.
    test::WriteFile(m_home.Config() + "file", "x");
    ::setenv("XDG_CONFIG_HOME", (m_home.Config() + "file").c_str(), 1);
    EXPECT_EQ(SetValue("a", "1"), kHivePathNotFound);
    HiveKey root;
    EXPECT_EQ(ReadHive(root), kHiveSuccess);
    EXPECT_TRUE(root == HiveKey());
}

TEST_F(HiveStoreTest, UnwritableFoldersAreAccessDenied) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "permission bits mean nothing to root";
    }
    ::chmod(m_home.Config().c_str(), 0500);
    EXPECT_EQ(SetValue("a", "1"), kHiveAccessDenied);
    ::chmod(m_home.Config().c_str(), 0700);

    ASSERT_EQ(SetValue("a", "old"), kHiveSuccess);
    ::chmod(m_home.Folder().c_str(), 0500);
    EXPECT_EQ(SetValue("a", "new"), kHiveAccessDenied);
    ::chmod(m_home.Folder().c_str(), 0700);
    EXPECT_EQ(GetValue("a"), "old");
}

TEST_F(HiveStoreTest, ABrokenHiveIsMovedAsideAndAFreshOneBegins) {
    const std::string good =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n"
        "\"a\"=hex:01,02,03\r\n";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"cut off mid-line", good.substr(0, good.size() - 5)},
        {"wrong header", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n"},
        {"binary", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::HiveTestHome home;
        ::mkdir(home.Folder().c_str(), 0700);
        test::WriteFile(home.Hive(), c.text);
        // Reading does not touch the file; it just finds nothing.
        EXPECT_EQ(GetValue("a"), "(none)");
        EXPECT_EQ(test::ReadFile(home.Hive()), c.text);

        ASSERT_EQ(SetValue("b", "new"), kHiveSuccess);
        const std::vector<std::string> bad = BadCopies(home.Folder());
        ASSERT_EQ(bad.size(), 1u);
        EXPECT_EQ(test::ReadFile(home.Folder() + bad[0]), c.text);
        EXPECT_EQ(GetValue("a"), "(none)");
        EXPECT_EQ(GetValue("b"), "new");
    }
}

TEST_F(HiveStoreTest, SecondBrokenHiveGetsItsOwnName) {
    ::mkdir(m_home.Folder().c_str(), 0700);
    for (const char* text : {"first broken", "second broken"}) {
        test::WriteFile(m_home.Hive(), text);
        ASSERT_EQ(SetValue("a", "1"), kHiveSuccess);
    }
    const std::vector<std::string> bad = BadCopies(m_home.Folder());
    ASSERT_EQ(bad.size(), 2u);
    std::vector<std::string> texts;
    for (const std::string& name : bad) {
        texts.push_back(test::ReadFile(m_home.Folder() + name));
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"first broken", "second broken"}));
}

TEST_F(HiveStoreTest, AnEmptyFileIsAnEmptyHive) {
    ::mkdir(m_home.Folder().c_str(), 0700);
    test::WriteFile(m_home.Hive(), "");
    EXPECT_EQ(GetValue("a"), "(none)");
    ASSERT_EQ(SetValue("a", "1"), kHiveSuccess);
    EXPECT_TRUE(BadCopies(m_home.Folder()).empty());
    EXPECT_EQ(GetValue("a"), "1");
}

TEST_F(HiveStoreTest, AnEditThatChangesNothingDoesNotRewrite) {
    ASSERT_EQ(SetValue("a", "1"), kHiveSuccess);
    struct stat before {};
    ASSERT_EQ(::stat(m_home.Hive().c_str(), &before), 0);
    EXPECT_EQ(EditHive([](HiveKey&, bool&) { return HiveStatus{2}; }), 2);
    struct stat after {};
    ASSERT_EQ(::stat(m_home.Hive().c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(HiveStoreTest, AHiveLinkedFromElsewhereStaysLinked) {
    test::TempDir dotfiles;
    const std::string target = dotfiles / "varnolet.reg";
    ASSERT_EQ(SetValue("a", "1"), kHiveSuccess);
    ASSERT_EQ(::rename(m_home.Hive().c_str(), target.c_str()), 0);
    ASSERT_EQ(::symlink(target.c_str(), m_home.Hive().c_str()), 0);

    ASSERT_EQ(SetValue("b", "2"), kHiveSuccess);

    struct stat st {};
    ASSERT_EQ(::lstat(m_home.Hive().c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(GetValue("a"), "1");
    EXPECT_EQ(GetValue("b"), "2");
    EXPECT_EQ(test::ListFolder(dotfiles.Path()), std::vector<std::string>{"varnolet.reg"});
}

TEST_F(HiveStoreTest, AFailedSaveKeepsTheOldHiveAndNoTemporaryFile) {
    for (const HiveSaveStep step : {HiveSaveStep::TempWritten, HiveSaveStep::TempSynced}) {
        SCOPED_TRACE(static_cast<int>(step));
        ASSERT_EQ(SetValue("a", "old"), kHiveSuccess);
        SetHiveSaveHook([step](HiveSaveStep now) { return now == step ? ENOSPC : 0; });
        EXPECT_EQ(SetValue("a", "new"), 112); // ERROR_DISK_FULL
        SetHiveSaveHook({});
        EXPECT_EQ(GetValue("a"), "old");
        EXPECT_EQ(test::ListFolder(m_home.Folder()),
                  (std::vector<std::string>{"user.reg", "user.reg.lock"}));
    }
}

/// Saves "new" in a child that dies at the step; returns what the hive holds after.
std::string CrashDuringSave(HiveSaveStep step) {
    const pid_t child = ::fork();
    if (child == 0) {
        SetHiveSaveHook([step](HiveSaveStep now) {
            if (now == step) {
                ::_exit(0);
            }
            return 0;
        });
        SetValue("a", "new");
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return GetValue("a");
}

TEST_F(HiveStoreTest, ACrashAtAnyStepLeavesTheOldOrTheNewHive) {
    const struct {
        HiveSaveStep step;
        const char* expected;
    } cases[] = {
        {HiveSaveStep::TempWritten, "old"},
        {HiveSaveStep::TempSynced, "old"},
        {HiveSaveStep::Renamed, "new"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.step));
        ASSERT_EQ(SetValue("a", "old"), kHiveSuccess);
        ASSERT_EQ(SetValue("other", "intact"), kHiveSuccess);
        EXPECT_EQ(CrashDuringSave(c.step), c.expected);
        EXPECT_EQ(GetValue("other"), "intact");
        // The dead writer's lock is free and its temporary file goes with the next save.
        ASSERT_EQ(SetValue("b", "next"), kHiveSuccess);
        EXPECT_EQ(test::ListFolder(m_home.Folder()),
                  (std::vector<std::string>{"user.reg", "user.reg.lock"}));
    }
}

TEST(HiveStatus, ErrnoValuesMapToRegistryCodes) {
    EXPECT_EQ(StatusFromErrno(0), 0);
    EXPECT_EQ(StatusFromErrno(EACCES), 5);
    EXPECT_EQ(StatusFromErrno(EROFS), 5);
    EXPECT_EQ(StatusFromErrno(ENOTDIR), 3);
    EXPECT_EQ(StatusFromErrno(ENOSPC), 112);
    // Never the "missing key or value" code: a broken store is not an empty one.
    for (int error = 1; error < 140; ++error) {
        EXPECT_NE(StatusFromErrno(error), 2) << error;
        EXPECT_NE(StatusFromErrno(error), 0) << error;
    }
}

} // namespace
} // namespace varnolet::platform
