#include "platform/qt/Shell.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "platform/FileSystem.h"

namespace varnolet::platform {
namespace {

ShellHook& Hook() {
    static ShellHook hook;
    return hook;
}

} // namespace

void SetShellHook(ShellHook hook) { Hook() = std::move(hook); }

bool ShellExecute(ShellVerb verb, const std::string& path) {
    if (Hook()) {
        return Hook()(verb, path);
    }
    if (verb == ShellVerb::Open && !PathExists(path)) {
        return false;
    }
    // Build the URL from the path's bytes so that names that are not valid
    // UTF-8 reach the file manager unchanged.
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    QUrl url = QUrl::fromLocalFile(QFile::decodeName(bytes));
    return QDesktopServices::openUrl(url);
}

} // namespace varnolet::platform
