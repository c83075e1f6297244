#include "ui/SettingsBinding.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/qt/DisplayText.h"
#include "settings/Registry.h"
#include "settings/SettingsKeys.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/QtTestSupport.h"

namespace varnolet {
namespace {

using Entries = std::vector<std::string>;

// The controls of one run of the window.
struct Window {
    QWidget owner;
    QComboBox output{&owner}, templ{&owner}, keywords{&owner}, extensions{&owner};
    QCheckBox spaces{&owner}, numeric{&owner}, pre{&owner}, local{&owner};

    Window() {
        for (QComboBox* combo : {&output, &templ, &keywords, &extensions}) {
            combo->setEditable(true);
        }
    }
    SettingsControls Controls() {
        return {&output, &templ, &keywords, &extensions, &spaces, &numeric, &pre, &local};
    }
};

Entries EntriesOf(const QComboBox& combo) {
    Entries entries;
    for (int i = 0; i < combo.count(); ++i) {
        entries.push_back(platform::FromDisplay(combo.itemText(i)));
    }
    return entries;
}

void Fill(QComboBox& combo, const Entries& entries) {
    for (const std::string& entry : entries) {
        combo.addItem(platform::ToDisplay(entry));
    }
}

class SettingsBindingTest : public ::testing::Test {
protected:
    SettingsBindingTest() { ::setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1); }

    QApplication& m_app = test::EnsureApplication();
    test::TempDir m_config; // a fresh hive for every test
};

TEST_F(SettingsBindingTest, FirstRunLeavesEverythingEmptyAndOff) {
    Window window;
    LoadSettings(window.Controls());
    for (QComboBox* combo : {&window.output, &window.templ, &window.keywords, &window.extensions}) {
        EXPECT_EQ(combo->count(), 0);
        EXPECT_EQ(combo->currentText(), "");
    }
    for (QCheckBox* box : {&window.spaces, &window.numeric, &window.pre, &window.local}) {
        EXPECT_FALSE(box->isChecked());
    }
}

TEST_F(SettingsBindingTest, RestartShowsHistoriesAndBoxesAsTheyWere) {
    const Entries outputs = {"/web/", "/home/ann/out/", "/caf\xc3\xa9/"};
    {
        Window first;
        Fill(first.output, outputs);
        Fill(first.templ, {"/t/page.html"});
        Fill(first.keywords, {"Alpha, beta", "gamma"});
        Fill(first.extensions, {"-?, .htm, txt"});
        first.output.setEditText("/typed/but/never/used/");
        first.spaces.setChecked(true);
        first.pre.setChecked(true);
        SaveSettings(first.Controls());
    }
    EXPECT_TRUE(test::Exists(m_config / "varnolet/user.reg"));

    Window second;
    LoadSettings(second.Controls());
    EXPECT_EQ(EntriesOf(second.output), outputs);
    EXPECT_EQ(second.output.currentText(), "/web/"); // the top entry is the field's text
    EXPECT_EQ(EntriesOf(second.templ), Entries{"/t/page.html"});
    EXPECT_EQ(EntriesOf(second.keywords), (Entries{"Alpha, beta", "gamma"}));
    EXPECT_EQ(EntriesOf(second.extensions), Entries{"-?, .htm, txt"});
    EXPECT_TRUE(second.spaces.isChecked());
    EXPECT_FALSE(second.numeric.isChecked());
    EXPECT_TRUE(second.pre.isChecked());
    EXPECT_FALSE(second.local.isChecked());
}

TEST_F(SettingsBindingTest, StoredValuesAreCleanedWhenLoaded) {
    ASSERT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, g_strProductKey), ERROR_SUCCESS);
    const auto put = [](const char* name, const char* text) {
        ASSERT_EQ(RegWriteString(HKEY_CURRENT_USER, g_strProductKey, name, text), ERROR_SUCCESS);
    };
    const auto putNumber = [](const char* name, std::uint32_t n) {
        ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, g_strProductKey, name, n), ERROR_SUCCESS);
    };
    put(g_szCboOutput, "C:\\Web|c:\\web|D:\\Out"); // case twins, no final "|"
    putNumber(g_szCboTemplate, 7);                 // not a string: missing
    put(g_szCboKeywords, "beta, Alpha,,alpha , beta|c:\\temp|");
    put(g_szCboExtensions, "TXT, .htm, -?, *.doc, txt|txt,.HTM,-?||-?x|");
    put(g_szChkSpaces, "1"); // not a number: missing
    putNumber(g_szChkNumeric, 1);
    putNumber(g_szChkPre, 0);
    putNumber(g_szChkLocal, 1);

    Window window;
    window.spaces.setChecked(false);
    LoadSettings(window.Controls());

    EXPECT_EQ(EntriesOf(window.output), (Entries{"C:\\Web", "D:\\Out"}));
    EXPECT_EQ(window.output.currentText(), "C:\\Web");
    EXPECT_EQ(window.templ.count(), 0);
    EXPECT_EQ(window.templ.currentText(), "");
    EXPECT_EQ(EntriesOf(window.keywords), (Entries{"Alpha, alpha, beta", "c  temp"}));
    EXPECT_EQ(EntriesOf(window.extensions), Entries{"-?, .htm, txt"});
    EXPECT_FALSE(window.spaces.isChecked());
    EXPECT_TRUE(window.numeric.isChecked());
    EXPECT_FALSE(window.pre.isChecked());
    EXPECT_TRUE(window.local.isChecked());
}

} // namespace
} // namespace varnolet
