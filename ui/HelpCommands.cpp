#include "ui/HelpCommands.h"

#include <string>

#include "discovery/PathUtils.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "ui/CAboutDialog.h"

namespace varnolet {
namespace {

constexpr char kManualName[] = "Manual.html";

} // namespace

void OpenManual(QWidget* owner) {
    std::string manual = GetProgramFolder();
    manual += kPathSeparator;
    manual += kManualName;
    // The viewer runs on its own; only a refused request is worth a word.
    if (!platform::ShellExecute(platform::ShellVerb::Open, manual)) {
        platform::MessageBox(owner, "No help is available!", "Help Is Not Installed",
                             platform::MessageKind::Error);
    }
}

void ShowAbout(QWidget* owner) {
    // Parented only so that the box is centred over the window it came from;
    // it is modal for the whole program either way.
    CAboutDialog about(owner);
    about.exec();
}

} // namespace varnolet
