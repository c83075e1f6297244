#include "platform/qt/WaitCursor.h"

#include <QApplication>

namespace varnolet::platform {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

} // namespace varnolet::platform
