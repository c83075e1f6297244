#include "ui/ComboHistory.h"

#include "discovery/StringUtils.h"
#include "platform/qt/DisplayText.h"

#include <QComboBox>
#include <QLineEdit>

namespace varnolet {

std::string ComboText(const QComboBox* combo) { return platform::FromDisplay(combo->currentText()); }

int FindComboEntry(const QComboBox* combo, const std::string& text) {
    const std::string wanted = StrLower(text);
    for (int i = 0; i < combo->count(); ++i) {
        if (StrLower(platform::FromDisplay(combo->itemText(i))) == wanted) {
            return i;
        }
    }
    return -1;
}

void AddComboHistory(QComboBox* combo, const std::string& text, int position) {
    // A blank row in a drop-down list is noise: an empty text never enters a history.
    if (text.empty()) {
        return;
    }
    if (const int found = FindComboEntry(combo, text); found >= 0) {
        combo->setCurrentIndex(found);
        combo->setEditText(combo->itemText(found));
        return;
    }
    if (position < 0 || position > combo->count()) {
        position = combo->count();
    }
    combo->insertItem(position, platform::ToDisplay(text));
    combo->setCurrentIndex(position);
    combo->setEditText(combo->itemText(position));
}

void AddFieldToHistory(QComboBox* combo, int position) {
    AddComboHistory(combo, ComboText(combo), position);
}

} // namespace varnolet
