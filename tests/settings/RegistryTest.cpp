#include "settings/Registry.h"

#include "settings/SettingsKeys.h"
#include "tests/platform/HiveTestHome.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace varnolet {
namespace {

constexpr std::string_view kKey = "Software\\Orvanta\\Varnolet";
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS); }

    /// Replaces the hive with a hand-written product key holding these value lines.
    void WriteProductKey(const std::string& lines) {
        test::WriteFile(m_home.Hive(),
                        kHeader + "[HKEY_CURRENT_USER\\Software\\Orvanta\\Varnolet]\r\n" + lines);
    }

    test::HiveTestHome m_home;
};

TEST_F(RegistryTest, MachineHiveAnswersAccessDenied) {
    std::string text = "kept";
    std::uint32_t number = 7;
    RegType type = 0;
    std::uint32_t size = 0;
    RegNameSet names;
    const RegRoot lm = HKEY_LOCAL_MACHINE;
    EXPECT_EQ(RegCreateKeyPath(lm, g_strCompanyKey), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegReadString(lm, kKey, "a", text), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegReadNumber(lm, kKey, "a", number), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegWriteString(lm, kKey, "a", "b"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegWriteNumber(lm, kKey, "a", 1), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegQueryValueInfo(lm, kKey, "a", type, size), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegRemoveValue(lm, kKey, "a"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegRemoveKey(lm, kKey), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegTestKey(lm, kKey, KEY_READ), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegListValueNames(lm, kKey, names), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegListSubkeyNames(lm, kKey, names), ERROR_ACCESS_DENIED);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(number, 7u);
}

TEST_F(RegistryTest, MissingKeyFailsEveryOperationButCreate) {
    const std::string_view missing = "Software\\Nobody";
    std::string text = "kept";
    const std::string fallback = "fallback";
    std::uint32_t number = 7;
    const std::uint32_t fallbackNumber = 9;
    RegType type = 0;
    std::uint32_t size = 0;
    RegNameSet names;
    std::string name;
    const RegRoot cu = HKEY_CURRENT_USER;
    EXPECT_EQ(RegReadString(cu, missing, "a", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(RegReadString(cu, missing, "a", text, &fallback), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "fallback");
    EXPECT_EQ(RegReadNumber(cu, missing, "a", number), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(number, 7u);
    EXPECT_EQ(RegReadNumber(cu, missing, "a", number, &fallbackNumber), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(number, 9u);
    EXPECT_EQ(RegWriteString(cu, missing, "a", "b"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegWriteNumber(cu, missing, "a", 1), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueInfo(cu, missing, "a", type, size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegRemoveValue(cu, missing, "a"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegRemoveKey(cu, missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegTestKey(cu, missing, KEY_READ), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegListValueNames(cu, missing, names), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegListSubkeyNames(cu, missing, names), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegEnumValueName(cu, missing, 0, name), ERROR_FILE_NOT_FOUND);
    // Writing into a missing key must not create it.
    EXPECT_EQ(RegTestKey(cu, missing, KEY_READ), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, CreateMakesEveryKeyOnThePathAndReportsWhatItDid) {
    RegDisposition disposition = 0;
    EXPECT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, "A\\B\\C", KEY_ALL_ACCESS, nullptr, 0, nullptr,
                               &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, "a\\b\\c", KEY_ALL_ACCESS, nullptr, 0, nullptr,
                               &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, "A\\B", KEY_READ), ERROR_SUCCESS);
    RegNameSet names;
    EXPECT_EQ(RegListSubkeyNames(HKEY_CURRENT_USER, "a", names), ERROR_SUCCESS);
    EXPECT_EQ(names, RegNameSet{"B"});
    EXPECT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, "A\\\\B"), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, std::string_view("A\0B", 3)), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegWriteString(HKEY_CURRENT_USER, kKey, std::string_view("a\0b", 3), "x"),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, "V", KEY_ALL_ACCESS, nullptr, 1),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, "V", KEY_READ), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, ReadStringFollowsTheStoredBytesAndType) {
    WriteProductKey("\"plain\"=\"C:\\\\Web|\"\r\n"
                    "\"empty\"=hex(1):\r\n"
                    "\"bare\"=hex(1):61,62\r\n"
                    "\"inner\"=hex(1):61,00,62,00\r\n"
                    "\"expand\"=hex(2):25,48,4f,4d,45,25,00\r\n"
                    "\"number\"=dword:00000001\r\n"
                    "\"binary\"=hex:61,00\r\n");
    const std::string fallback = "fallback";
    const struct {
        const char* name;
        const std::string* fallback;
        RegStatus status;
        std::string text;
    } cases[] = {
        {"plain", nullptr, ERROR_SUCCESS, "C:\\Web|"},
        {"empty", &fallback, ERROR_SUCCESS, ""},
        {"bare", nullptr, ERROR_SUCCESS, "ab"},
        {"inner", nullptr, ERROR_SUCCESS, "a"},
        {"expand", nullptr, ERROR_SUCCESS, "%HOME%"},
        {"number", nullptr, ERROR_SUCCESS, "unchanged"},
        {"number", &fallback, ERROR_SUCCESS, "fallback"},
        {"binary", nullptr, ERROR_SUCCESS, "unchanged"},
        {"missing", nullptr, ERROR_FILE_NOT_FOUND, "unchanged"},
        {"missing", &fallback, ERROR_FILE_NOT_FOUND, "fallback"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.fallback ? " with a default" : ""));
        std::string text = "unchanged";
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kKey, c.name, text, c.fallback), c.status);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(RegistryTest, ReadNumberTakesOnlyDwordValues) {
    WriteProductKey("\"one\"=dword:00000001\r\n"
                    "\"max\"=dword:ffffffff\r\n"
                    "\"short\"=hex(4):02,01\r\n"
                    "\"long\"=hex(4):01,00,00,00,00\r\n"
                    "\"text\"=\"1\"\r\n");
    const std::uint32_t fallback = 42;
    const struct {
        const char* name;
        const std::uint32_t* fallback;
        RegStatus status;
        std::uint32_t number;
    } cases[] = {
        {"one", nullptr, ERROR_SUCCESS, 1},
        {"max", nullptr, ERROR_SUCCESS, 0xFFFFFFFF},
        {"short", nullptr, ERROR_SUCCESS, 0x0102},
        {"long", &fallback, ERROR_MORE_DATA, 42},
        {"text", nullptr, ERROR_SUCCESS, 7},
        {"text", &fallback, ERROR_SUCCESS, 42},
        {"missing", nullptr, ERROR_FILE_NOT_FOUND, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.fallback ? " with a default" : ""));
        std::uint32_t number = 7;
        EXPECT_EQ(RegReadNumber(HKEY_CURRENT_USER, kKey, c.name, number, c.fallback), c.status);
        EXPECT_EQ(number, c.number);
    }
}

TEST_F(RegistryTest, WrittenValuesReadBackExactly) {
    std::string allBytes;
    for (int b = 1; b <= 255; ++b) {
        allBytes += static_cast<char>(b);
    }
    const std::string texts[] = {"", "C:\\Web|D:\\Out|", allBytes, std::string(1 << 20, 'q')};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size());
        // Names: every byte, the empty (default) name, a plain one.
        for (const std::string& name : {allBytes, std::string(), std::string("cboOutput")}) {
            ASSERT_EQ(RegWriteString(HKEY_CURRENT_USER, kKey, name, text), ERROR_SUCCESS);
            std::string back;
            EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kKey, name, back), ERROR_SUCCESS);
            EXPECT_EQ(back, text);
            RegType type = 0;
            std::uint32_t size = 0;
            EXPECT_EQ(RegQueryValueInfo(HKEY_CURRENT_USER, kKey, name, type, size), ERROR_SUCCESS);
            EXPECT_EQ(type, REG_SZ);
            EXPECT_EQ(size, text.size() + 1);
        }
    }
    for (const std::uint32_t number : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
        ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, kKey, "chkPre", number), ERROR_SUCCESS);
        std::uint32_t back = 7;
        EXPECT_EQ(RegReadNumber(HKEY_CURRENT_USER, kKey, "chkPre", back), ERROR_SUCCESS);
        EXPECT_EQ(back, number);
    }
    // Replacing a value with one of another type is a plain replacement.
    ASSERT_EQ(RegWriteString(HKEY_CURRENT_USER, kKey, "CHKPRE", "now text"), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kKey, "chkpre", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "now text");
}

TEST_F(RegistryTest, RemovesValuesAndLeafKeys) {
    ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, kKey, "chkLocal", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegRemoveValue(HKEY_CURRENT_USER, kKey, "CHKLOCAL"), ERROR_SUCCESS);
    EXPECT_EQ(RegRemoveValue(HKEY_CURRENT_USER, kKey, "chkLocal"), ERROR_FILE_NOT_FOUND);
    std::uint32_t number = 0;
    EXPECT_EQ(RegReadNumber(HKEY_CURRENT_USER, kKey, "chkLocal", number), ERROR_FILE_NOT_FOUND);

    // A key with subkeys stays, as on Windows; its leaf goes, with its values.
    EXPECT_EQ(RegRemoveKey(HKEY_CURRENT_USER, g_strCompanyKey), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, kKey, KEY_READ), ERROR_SUCCESS);
    ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, kKey, "chkLocal", 1), ERROR_SUCCESS);
    EXPECT_EQ(RegRemoveKey(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, kKey, KEY_READ), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, g_strCompanyKey, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(RegRemoveKey(HKEY_CURRENT_USER, kKey), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegRemoveKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, ListsNamesInByteOrderOnceEach) {
    RegNameSet names{"kept"};
    EXPECT_EQ(RegListValueNames(HKEY_CURRENT_USER, kKey, names), ERROR_SUCCESS);
    EXPECT_EQ(names, RegNameSet{"kept"});

    for (const char* name : {"b", "a", "B", "\xE9", "Z"}) {
        ASSERT_EQ(RegWriteString(HKEY_CURRENT_USER, kKey, name, "x"), ERROR_SUCCESS);
    }
    ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, kKey, "n", 1), ERROR_SUCCESS);
    names.clear();
    EXPECT_EQ(RegListValueNames(HKEY_CURRENT_USER, kKey, names), ERROR_SUCCESS);
    // "B" names the value "b" already holds; 0xE9 sorts after every ASCII byte.
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()),
              (std::vector<std::string>{"Z", "a", "b", "n", "\xE9"}));
    names.clear();
    const RegType dword = REG_DWORD;
    EXPECT_EQ(RegListValueNames(HKEY_CURRENT_USER, kKey, names, &dword), ERROR_SUCCESS);
    EXPECT_EQ(names, RegNameSet{"n"});

    std::string name;
    RegType type = 0;
    std::uint32_t count = 0;
    while (RegEnumValueName(HKEY_CURRENT_USER, kKey, count, name, &type) == ERROR_SUCCESS) {
        ++count;
    }
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(RegEnumValueName(HKEY_CURRENT_USER, kKey, 99, name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumSubkeyName(HKEY_CURRENT_USER, kKey, 0, name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumSubkeyName(HKEY_CURRENT_USER, g_strCompanyKey, 0, name), ERROR_SUCCESS);
    EXPECT_EQ(name, "Varnolet");
}

TEST(EnsureSettingsKeys, CreatesBothKeysOnAFirstRun) {
    test::HiveTestHome home;
    EnsureSettingsKeys();
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, g_strCompanyKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    EXPECT_EQ(RegTestKey(HKEY_CURRENT_USER, g_strProductKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    const std::string text = test::ReadFile(home.Hive());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Orvanta\\Varnolet]\r\n"), std::string::npos);
    RegNameSet values;
    EXPECT_EQ(RegListValueNames(HKEY_CURRENT_USER, g_strProductKey, values), ERROR_SUCCESS);
    EXPECT_TRUE(values.empty());
}

} // namespace
} // namespace varnolet
