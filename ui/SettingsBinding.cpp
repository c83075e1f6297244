#include "ui/SettingsBinding.h"

namespace varnolet {

// Placeholder until the settings store is connected.
void LoadSettings(const SettingsControls&) {}
void SaveSettings(const SettingsControls&) {}

} // namespace varnolet
