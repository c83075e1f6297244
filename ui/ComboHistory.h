#pragma once

#include <string>

class QComboBox;

namespace varnolet {

/// Enters `text` into the combo box's history at `position`, or, when an entry
/// equal to it ignoring the case of A to Z is there, selects that entry in place.
/// An empty text is left out.
void AddComboHistory(QComboBox* combo, const std::string& text, int position);

/// AddComboHistory with the combo box's own edit text.
void AddFieldToHistory(QComboBox* combo, int position);

/// The combo box's edit text as bytes.
std::string ComboText(const QComboBox* combo);

/// Index of the entry equal to `text` ignoring the case of A to Z, or -1.
int FindComboEntry(const QComboBox* combo, const std::string& text);

} // namespace varnolet
