#include "settings/SettingsKeys.h"

#include "settings/Registry.h"

namespace varnolet {

void EnsureSettingsKeys() {
    // A store that cannot be created leaves the program running with empty fields.
    RegCreateKeyPath(HKEY_CURRENT_USER, g_strCompanyKey, KEY_ALL_ACCESS);
    RegCreateKeyPath(HKEY_CURRENT_USER, g_strProductKey, KEY_ALL_ACCESS);
}

} // namespace varnolet
