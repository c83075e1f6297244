#include "ui/HelpCommands.h"

namespace varnolet {

// Placeholders until Help and About land.
void OpenManual(QWidget*) {}
void ShowAbout(QWidget*) {}

} // namespace varnolet
