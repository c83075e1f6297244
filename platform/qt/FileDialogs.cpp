#include "platform/qt/FileDialogs.h"

#include <QFileDialog>

#include "platform/qt/DisplayText.h"

namespace varnolet::platform {
namespace {

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

DialogAnswer RunDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return {true, chosen.isEmpty() ? std::string() : FromDisplay(chosen.first())};
}

} // namespace

void SetFileDialogHook(FileDialogHook hook) {
    Hook() = std::move(hook);
}

DialogAnswer ShowOpenFileDialog(QWidget* owner) {
    if (Hook()) {
        return Hook()(FileDialogKind::OpenFile);
    }
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // "*.*" would hide every name without a dot here.
    dialog.setNameFilter(QStringLiteral("All Files (*)"));
    return RunDialog(dialog);
}

DialogAnswer ShowFolderDialog(QWidget* owner, const std::string& title,
                              const std::string& initialPath) {
    if (Hook()) {
        return Hook()(FileDialogKind::PickFolder);
    }
    QFileDialog dialog(owner, ToDisplay(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!initialPath.empty()) {
        dialog.setDirectory(ToDisplay(initialPath));
    }
    return RunDialog(dialog);
}

} // namespace varnolet::platform
