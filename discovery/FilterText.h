#pragma once

#include <string>
#include <string_view>

namespace varnolet {

/// A copy of `text` in which every byte that occurs in `set` becomes `ch`.
std::string ReplaceChars(std::string_view text, char ch, std::string_view set);

/// The keywords field's clean-up: comma-separated pieces, trimmed, empty ones
/// dropped, each distinct piece once (letter case counts), sorted by byte value,
/// joined with ", ".
std::string NormalizeKeywords(std::string_view text);

/// The extensions field's clean-up: as NormalizeKeywords, but pieces holding an
/// invalid character are dropped (except the no-extension token "-?") and the
/// kept ones are lower-cased before they are compared.
std::string NormalizeExtensions(std::string_view text);

} // namespace varnolet
