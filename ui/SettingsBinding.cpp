#include "ui/SettingsBinding.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QComboBox>

#include "discovery/FilterText.h"
#include "discovery/StringUtils.h"
#include "platform/qt/DisplayText.h"
#include "settings/HistoryText.h"
#include "settings/Registry.h"
#include "settings/SettingsKeys.h"
#include "ui/ComboHistory.h"

namespace varnolet {
namespace {

using EntryCleanUp = std::function<std::string(const std::string&)>;

// A value of another type than expected is taken as missing: the reads would
// report success without delivering anything.
std::optional<std::string> ReadHistory(const char* name) {
    RegType type = REG_NONE;
    std::uint32_t size = 0;
    if (RegQueryValueInfo(HKEY_CURRENT_USER, g_strProductKey, name, type, size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::string text;
    if (RegReadString(HKEY_CURRENT_USER, g_strProductKey, name, text) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return text;
}

std::optional<std::uint32_t> ReadBoxState(const char* name) {
    RegType type = REG_NONE;
    std::uint32_t size = 0;
    if (RegQueryValueInfo(HKEY_CURRENT_USER, g_strProductKey, name, type, size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    if (RegReadNumber(HKEY_CURRENT_USER, g_strProductKey, name, number) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return number;
}

// Each stored entry enters like a value the user used: case-insensitive
// duplicates collapse into the first, and empty entries stay out as they do
// everywhere else in the histories.
void FillCleanedHistory(const std::string& text, QComboBox* combo, const EntryCleanUp& cleanUp) {
    if (!combo) {
        return;
    }
    for (const std::string& stored : SplitHistoryText(text)) {
        const std::string entry = cleanUp ? cleanUp(stored) : stored;
        AddComboHistory(combo, entry, combo->count());
    }
    if (combo->count() > 0) {
        combo->setCurrentIndex(0);
        combo->setEditText(combo->itemText(0));
    }
}

void FillHistory(const std::string& text, QComboBox* combo) {
    FillCleanedHistory(text, combo, {});
}

void FillKeywordsHistory(const std::string& text, QComboBox* combo) {
    FillCleanedHistory(text, combo, [](const std::string& entry) {
        return NormalizeKeywords(ReplaceChars(entry, ' ', szInvalidChars));
    });
}

void FillExtensionsHistory(const std::string& text, QComboBox* combo) {
    FillCleanedHistory(text, combo,
                       [](const std::string& entry) { return NormalizeExtensions(entry); });
}

void LoadHistory(const char* name, QComboBox* combo, void (*fill)(const std::string&, QComboBox*)) {
    if (const auto text = ReadHistory(name)) {
        fill(*text, combo);
    }
}

void LoadBox(const char* name, QAbstractButton* box) {
    if (const auto state = ReadBoxState(name); state && box) {
        box->setChecked(*state != 0);
    }
}

std::string HistoryTextOf(const QComboBox* combo) {
    std::vector<std::string> entries;
    if (combo) {
        for (int i = 0; i < combo->count(); ++i) {
            entries.push_back(platform::FromDisplay(combo->itemText(i)));
        }
    }
    return GetHistoryText(entries);
}

void SaveHistory(const char* name, const QComboBox* combo) {
    RegWriteString(HKEY_CURRENT_USER, g_strProductKey, name, HistoryTextOf(combo));
}

void SaveBox(const char* name, const QAbstractButton* box) {
    RegWriteNumber(HKEY_CURRENT_USER, g_strProductKey, name, box && box->isChecked() ? 1 : 0);
}

} // namespace

void LoadSettings(const SettingsControls& controls) {
    EnsureSettingsKeys();
    LoadHistory(g_szCboOutput, controls.cboOutput, FillHistory);
    LoadHistory(g_szCboTemplate, controls.cboTemplate, FillHistory);
    LoadHistory(g_szCboKeywords, controls.cboKeywords, FillKeywordsHistory);
    LoadHistory(g_szCboExtensions, controls.cboExtensions, FillExtensionsHistory);
    LoadBox(g_szChkSpaces, controls.chkSpaces);
    LoadBox(g_szChkNumeric, controls.chkNumeric);
    LoadBox(g_szChkPre, controls.chkPre);
    LoadBox(g_szChkLocal, controls.chkLocal);
}

void SaveSettings(const SettingsControls& controls) {
    // Every write is tried even when one fails: a lost value costs only itself.
    EnsureSettingsKeys();
    SaveHistory(g_szCboOutput, controls.cboOutput);
    SaveHistory(g_szCboTemplate, controls.cboTemplate);
    SaveHistory(g_szCboKeywords, controls.cboKeywords);
    SaveHistory(g_szCboExtensions, controls.cboExtensions);
    SaveBox(g_szChkSpaces, controls.chkSpaces);
    SaveBox(g_szChkNumeric, controls.chkNumeric);
    SaveBox(g_szChkPre, controls.chkPre);
    SaveBox(g_szChkLocal, controls.chkLocal);
}

} // namespace varnolet
