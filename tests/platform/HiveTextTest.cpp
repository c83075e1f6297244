#include "platform/HiveKey.h"
#include "platform/HiveText.h"

#include <gtest/gtest.h>

namespace varnolet::platform {
namespace {

std::string AllBytesFrom(int first) {
    std::string bytes;
    for (int b = first; b <= 255; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

HiveKey& Key(HiveKey& root, std::string_view path) {
    std::vector<std::string_view> names;
    EXPECT_TRUE(SplitKeyPath(path, names));
    HiveKey* key = &root;
    for (std::string_view name : names) {
        bool created = false;
        key = &key->MakeSubkey(name, created);
    }
    return *key;
}

HiveKey Reparsed(const HiveKey& root) {
    HiveKey back;
    EXPECT_TRUE(ParseHive(FormatHive(root), back)) << FormatHive(root);
    return back;
}

TEST(HiveText, WritesTheReadableFormsARegFileUses) {
    HiveKey root;
    HiveKey& product = Key(root, "Software\\Orvanta\\Varnolet");
    product.SetValue("cboOutput", {1, std::string("C:\\Web|say \"hi\"|\0", 17)});
    product.SetValue("chkSpaces", {4, std::string("\x01\0\0\0", 4)});
    product.SetValue("", {1, std::string("default\0", 8)});
    product.SetValue("raw", {3, "\x01\xFF"});
    product.SetValue("cut", {1, "no null"});
    EXPECT_EQ(FormatHive(root), "Windows Registry Editor Version 5.00\r\n"
                                "\r\n[HKEY_CURRENT_USER\\Software]\r\n"
                                "\r\n[HKEY_CURRENT_USER\\Software\\Orvanta]\r\n"
                                "\r\n[HKEY_CURRENT_USER\\Software\\Orvanta\\Varnolet]\r\n"
                                "@=\"default\"\r\n"
                                "\"cboOutput\"=\"C:\\\\Web|say \\\"hi\\\"|\"\r\n"
                                "\"chkSpaces\"=dword:00000001\r\n"
                                "\"cut\"=hex(1):6e,6f,20,6e,75,6c,6c\r\n"
                                "\"raw\"=hex:01,ff\r\n");
}

TEST(HiveText, ReadsAHandWrittenFile) {
    const std::string text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
                             "; settings\n"
                             "[hkey_current_user\\Software\\Orvanta\\Varnolet]\n"
                             "  \"cboTemplate\" = \"C:\\Web\\t.html|\"\n"
                             "\"chkPre\"=dword:0000000A\n"
                             "\"list\"=hex(7):61,00,\\\n"
                             "    00,00\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\orvanta\\varnolet]\n"
                             "\"chkPre\"=dword:ffffffff";
    HiveKey root;
    ASSERT_TRUE(ParseHive(text, root));
    const HiveKey& key = Key(root, "software\\orvanta\\varnolet");
    // An unknown escape keeps its backslash, so a path typed by hand survives.
    EXPECT_EQ(*key.FindValue("CBOTEMPLATE"), (HiveValue{1, std::string("C:\\Web\\t.html|\0", 15)}));
    EXPECT_EQ(*key.FindValue("chkPre"), (HiveValue{4, "\xFF\xFF\xFF\xFF"}));
    EXPECT_EQ(*key.FindValue("list"), (HiveValue{7, std::string("a\0\0\0", 4)}));
    EXPECT_EQ(root.Subkeys().begin()->second.name, "Software");
}

TEST(HiveText, EveryValueRoundTripsExactly) {
    HiveKey root;
    HiveKey& key = Key(root, AllBytesFrom(1).erase('\\' - 1, 1));
    const std::string allData = AllBytesFrom(0);
    const HiveValue values[] = {
        {1, allData},
        {1, allData + '\0'},
        {1, std::string(1, '\0')},
        {1, ""},
        {2, std::string("%HOME%\0", 7)},
        {4, std::string(4, '\0')},
        {4, "\xFF\xFF\xFF\xFF"},
        {4, "\x01\x02"},
        {3, ""},
        {0x12345678, "\r\n"},
        {0xFFFFFFFF, allData},
        {1, std::string(1 << 20, 'x') + '\0'},
        {1, std::string(1 << 20, '\n')},
        {1, "\\\"" + std::string(1, '\0')},
    };
    std::string names = AllBytesFrom(1);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        // Names cover every byte 1..255, the empty name and a lone "@".
        const std::string name = i == 0   ? names
                                 : i == 1 ? ""
                                 : i == 2 ? "@"
                                          : "v" + std::to_string(i);
        key.SetValue(name, values[i]);
    }
    Key(root, "empty\\leaf");
    Key(root, "a\r\nb\\]c[\\ d ");
    root.SetValue("at the root", {1, std::string("r\0", 2)});
    const HiveKey back = Reparsed(root);
    EXPECT_TRUE(back == root);
    EXPECT_EQ(FormatHive(back), FormatHive(root));
}

TEST(HiveText, LongHexValuesWrapLikeRegedit) {
    HiveKey root;
    Key(root, "k").SetValue("b", {3, std::string(100, '\x7F')});
    const std::string text = FormatHive(root);
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         start = end + 2, end = text.find("\r\n", start)) {
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }
    EXPECT_NE(text.find(",\\\r\n  7f,"), std::string::npos);
}

TEST(HiveText, EmptyTextIsAnEmptyHive) {
    HiveKey root;
    EXPECT_TRUE(ParseHive("", root));
    EXPECT_TRUE(root == HiveKey());
    EXPECT_TRUE(ParseHive("Windows Registry Editor Version 5.00\r\n", root));
    EXPECT_TRUE(root == HiveKey());
}

TEST(HiveText, RefusesWhatIsNotACompleteHive) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n";
    const std::string key = "[HKEY_CURRENT_USER\\k]\r\n";
    const std::string deep = [] {
        std::string path = "[HKEY_CURRENT_USER";
        for (std::size_t i = 0; i <= kMaxKeyDepth; ++i) {
            path += "\\k";
        }
        return path + "]\r\n";
    }();
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"wrong header", "REGEDIT4\r\n" + key},
        {"header cut off", "Windows Registry Ed"},
        {"binary file", std::string("\x7F"
                                    "ELF\x02\x01\x01\0\0\0",
                                    10)},
        {"null byte in a value", header + key + std::string("\"a\"=\"b\0\"\r\n", 10)},
        {"value before any key", header + "\"a\"=\"b\"\r\n"},
        {"other root", header + "[HKEY_LOCAL_MACHINE\\k]\r\n"},
        {"key header cut off", header + "[HKEY_CURRENT_USER\\So"},
        {"empty key name", header + "[HKEY_CURRENT_USER\\a\\\\b]\r\n"},
        {"too deep", header + deep},
        {"string cut off", header + key + "\"a\"=\"some te"},
        {"string ends on an escaped quote", header + key + "\"a\"=\"x\\\"\r\n"},
        {"name cut off", header + key + "\"na"},
        {"no data", header + key + "\"a\"=\r\n"},
        {"dword cut off", header + key + "\"a\"=dword:0000"},
        {"dword too long", header + key + "\"a\"=dword:000000001\r\n"},
        {"hex cut between bytes", header + key + "\"a\"=hex:01,02"},
        {"hex cut after a comma", header + key + "\"a\"=hex:01,02,"},
        {"hex cut after its type", header + key + "\"a\"=hex(1):"},
        {"hex cut in a byte", header + key + "\"a\"=hex:01,0\r\n"},
        {"hex continued past the end", header + key + "\"a\"=hex:01,\\\r\n"},
        {"hex continued into nothing", header + key + "\"a\"=hex:01,\\"},
        {"junk after a string", header + key + "\"a\"=\"b\" c\r\n"},
        {"unknown data form", header + key + "\"a\"=qword:00\r\n"},
        {"deletion form", header + key + "\"a\"=-\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HiveKey root;
        EXPECT_FALSE(ParseHive(c.text, root));
    }
}

TEST(HiveKey, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
    HiveKey root;
    bool created = false;
    root.MakeSubkey("Software", created);
    EXPECT_TRUE(created);
    root.MakeSubkey("SOFTWARE", created);
    EXPECT_FALSE(created);
    root.SetValue("Name", {1, "a"});
    root.SetValue("NAME", {1, "b"});
    ASSERT_EQ(root.Values().size(), 1u);
    EXPECT_EQ(root.Values().begin()->second.name, "Name");
    EXPECT_EQ(root.FindValue("name")->data, "b");
    // Only ASCII letters fold: bytes above 0x7F are compared as they are.
    root.SetValue("\xC9", {1, "c"});
    EXPECT_EQ(root.FindValue("\xE9"), nullptr);
}

TEST(SplitKeyPath, CutsAtBackslashes) {
    std::vector<std::string_view> names;
    EXPECT_TRUE(SplitKeyPath("", names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(SplitKeyPath("Software\\Orvanta", names));
    EXPECT_EQ(names, (std::vector<std::string_view>{"Software", "Orvanta"}));
    for (std::string_view bad : {"\\a", "a\\", "a\\\\b", "\\"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(SplitKeyPath(bad, names));
    }
}

} // namespace
} // namespace varnolet::platform
