#pragma once

#include <functional>
#include <string>

class QWidget;

namespace varnolet::platform {

enum class FileDialogKind { OpenFile, PickFolder };

/// What a file or folder dialog gave back: accepted with a path (bytes as the
/// file system holds them; empty when the choice has no file-system path), or not.
struct DialogAnswer {
    bool bAccepted = false;
    std::string path;
};

/// The file-open dialog: one existing file, one filter showing every file.
DialogAnswer ShowOpenFileDialog(QWidget* owner);

/// The folder chooser: file-system folders only, starting at `initialPath`
/// when it is not empty.
DialogAnswer ShowFolderDialog(QWidget* owner, const std::string& title,
                              const std::string& initialPath);

/// Test seam: while installed, no dialog is shown; the hook answers instead.
using FileDialogHook = std::function<DialogAnswer(FileDialogKind)>;
void SetFileDialogHook(FileDialogHook hook);

} // namespace varnolet::platform
