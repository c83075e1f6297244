#include "ui/SweepResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace. The resources live in a
// static library, whose registration the linker would otherwise drop.
static void InitSweepIconResources() {
    Q_INIT_RESOURCE(sweep_icons);
}

namespace varnolet {

void InitSweepResources() {
    static const bool done = (InitSweepIconResources(), true);
    (void)done;
}

QString SweepIconPath(IconId id) {
    return QStringLiteral(":/varnolet/icons/icon%1.svg").arg(static_cast<int>(id));
}

} // namespace varnolet
