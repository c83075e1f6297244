#pragma once

#include <string>
#include <string_view>

namespace varnolet {

/// The characters every trimming in the program removes: space, tab, CR, FF, LF.
/// Vertical tab is deliberately not among them.
inline constexpr std::string_view szWhitespace = " \t\r\f\n";

/// Characters that may not occur in an extension or keyword item.
inline constexpr std::string_view szInvalidChars = "\\/:*?\"<>|\t\r\f\n";

/// Turns A to Z into a to z; every other byte, 0x80 to 0xFF included, stays.
void StrMakeLower(std::string& text);
std::string StrLower(std::string_view text);

void StrTrimLeft(std::string& text);
void StrTrimRight(std::string& text);
void StrTrim(std::string& text);
std::string StrTrimmed(std::string_view text);
/// StrTrimmed as a cut of `text` itself; when nothing is left, the empty cut
/// at its end.
std::string_view StrTrimmedView(std::string_view text);

} // namespace varnolet
