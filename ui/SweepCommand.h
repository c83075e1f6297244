#pragma once

#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace varnolet {

/// The controls the Sweep command reads.
struct SweepControls {
    QWidget* owner = nullptr;
    QComboBox* cboOutput = nullptr;
    QComboBox* cboTemplate = nullptr;
    QAbstractButton* chkSpaces = nullptr;
    QAbstractButton* chkNumeric = nullptr;
    QAbstractButton* chkPre = nullptr;
};

/// The Sweep command: asks, checks the output folder and the template, enters
/// both into their histories, converts every row and tells the outcome.
/// `rows` are the list's Full Path texts, first to last.
void OnSweepCommand(const SweepControls& controls, const std::vector<std::string>& rows);

} // namespace varnolet
