#pragma once

#include <string>
#include <string_view>

namespace varnolet::platform {

class HiveKey;

/// The first line of every hive file.
inline constexpr std::string_view kHiveHeader = "Windows Registry Editor Version 5.00";
/// The root every key of the per-user hive hangs from, as the file names it.
inline constexpr std::string_view kHiveRootName = "HKEY_CURRENT_USER";

/// Reads a hive file's text into `root` (which should be empty). The empty text is
/// an empty hive. False for anything that is not a complete hive: a wrong header, a
/// line that is cut off or malformed, a null byte, keys deeper than kMaxKeyDepth.
bool ParseHive(std::string_view text, HiveKey& root);

/// The hive as a .reg text with CR LF line ends. Strings that the quoted form can
/// carry are written as "text", four-byte REG_DWORD values as dword:, everything
/// else as hex(N): of its exact bytes, so ParseHive gives back the same tree.
std::string FormatHive(const HiveKey& root);

} // namespace varnolet::platform
