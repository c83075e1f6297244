#include "ui/WindowMode.h"

namespace varnolet {

// The main window is not built yet: without an argument the program ends at once.
int RunWindowMode(int /*argc*/, char** /*argv*/) { return 0; }

} // namespace varnolet
