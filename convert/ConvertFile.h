#pragma once

#include <string>

namespace varnolet {

/// Converts one text file into HTML-escaped text at strOutput, through a
/// private temporary copy that is wiped afterwards. False when the conversion
/// could not begin or any read or write failed.
bool ConvertFile(std::string strInput, std::string strOutput, bool bSpaces, bool bBreaks,
                 bool bNumeric, bool bOverwrite);

} // namespace varnolet
