#include "ui/SweepCommand.h"

#include <optional>

#include <QAbstractButton>
#include <QComboBox>

#include "convert/Sweep.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/WaitCursor.h"
#include "ui/ComboHistory.h"

namespace varnolet {
namespace {

using platform::MessageKind;

constexpr char kQuestion[] = "Are you sure you want to sweep the files presented in the list?";
constexpr char kInvalidOutput[] = "Invalid output!";
constexpr char kInvalidTemplate[] = "Invalid template!";
constexpr char kSomeFailed[] = "Job done, some files could not be swept.";
constexpr char kAllSwept[] = "Job done, all files were swept successfully.";

bool Checked(const QAbstractButton* box) {
    return box && box->isChecked();
}

SweepOptions ReadOptions(const SweepControls& controls) {
    SweepOptions options;
    options.bSpaces = Checked(controls.chkSpaces);
    options.bNumeric = Checked(controls.chkNumeric);
    options.bPre = Checked(controls.chkPre);
    return options;
}

void Warn(const SweepControls& controls, const char* text) {
    platform::MessageBox(controls.owner, text, "Warning", MessageKind::Warning);
}

} // namespace

void OnSweepCommand(const SweepControls& controls, const std::vector<std::string>& rows) {
    if (platform::MessageBox(controls.owner, kQuestion, "Question", MessageKind::Question) !=
        platform::IDYES) {
        return;
    }
    if (rows.empty()) {
        return;
    }
    std::optional<platform::WaitCursor> wait(std::in_place);

    std::string folder = ComboText(controls.cboOutput);
    if (!CheckOutputFolder(folder)) {
        wait.reset();
        Warn(controls, kInvalidOutput);
        return;
    }
    AddFieldToHistory(controls.cboOutput, 0);

    const std::string templateText = ComboText(controls.cboTemplate);
    if (!CheckTemplate(templateText)) {
        wait.reset();
        Warn(controls, kInvalidTemplate);
        return;
    }
    AddFieldToHistory(controls.cboTemplate, 0);

    const SweepResult result = SweepFiles(rows, folder, templateText, ReadOptions(controls));
    wait.reset();
    if (result.nFailures != 0) {
        Warn(controls, kSomeFailed);
    } else {
        platform::MessageBox(controls.owner, kAllSwept, "Information", MessageKind::Information);
    }
}

} // namespace varnolet
