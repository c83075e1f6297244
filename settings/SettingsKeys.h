#pragma once

#include <string>

namespace varnolet {

inline const std::string g_strCompanyKey = "Software\\Orvanta";
inline const std::string g_strProductKey = "Software\\Orvanta\\Varnolet";

// Value names under HKEY_CURRENT_USER\g_strProductKey: the control names without m_.
inline constexpr char g_szCboOutput[] = "cboOutput";
inline constexpr char g_szCboTemplate[] = "cboTemplate";
inline constexpr char g_szCboKeywords[] = "cboKeywords";
inline constexpr char g_szCboExtensions[] = "cboExtensions";
inline constexpr char g_szChkSpaces[] = "chkSpaces";
inline constexpr char g_szChkNumeric[] = "chkNumeric";
inline constexpr char g_szChkPre[] = "chkPre";
inline constexpr char g_szChkLocal[] = "chkLocal";

/// Creates the company and product keys in the current user's hive, ignoring every
/// status. The machine-wide keys are left out: that hive has no counterpart here.
void EnsureSettingsKeys();

} // namespace varnolet
