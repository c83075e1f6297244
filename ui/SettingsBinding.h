#pragma once

class QAbstractButton;
class QComboBox;

namespace varnolet {

/// The main window's controls whose state lasts from one run to the next.
struct SettingsControls {
    QComboBox* cboOutput = nullptr;
    QComboBox* cboTemplate = nullptr;
    QComboBox* cboKeywords = nullptr;
    QComboBox* cboExtensions = nullptr;
    QAbstractButton* chkSpaces = nullptr;
    QAbstractButton* chkNumeric = nullptr;
    QAbstractButton* chkPre = nullptr;
    QAbstractButton* chkLocal = nullptr;
};

/// Fills the four histories and the four boxes from the user's settings.
void LoadSettings(const SettingsControls& controls);
/// Writes them back; never fails visibly.
void SaveSettings(const SettingsControls& controls);

} // namespace varnolet
