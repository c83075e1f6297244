#include "ui/SweepCommand.h"

namespace varnolet {

// Placeholder until the sweep lands.
void OnSweepCommand(const SweepControls&, const std::vector<std::string>&) {}

} // namespace varnolet
