#include "ui/WindowMode.h"

#include <QApplication>

#include "ui/CSweepDialog.h"
#include "ui/SweepResources.h"

namespace varnolet {

int RunWindowMode(int argc, char** argv) {
    QApplication app(argc, argv);
    InitSweepResources();
    QApplication::setWindowIcon(QIcon(SweepIconPath(IconId::App)));
    CSweepDialog dialog;
    dialog.exec();
    // How the window ended makes no difference to the outcome.
    return 0;
}

} // namespace varnolet
