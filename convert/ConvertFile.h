#pragma once

#include <string>

namespace varnolet {

/// Converts one text file into HTML-escaped text at strOutput, through a
/// private temporary copy that is wiped afterwards. False when the conversion
/// could not begin or any read or write failed.
bool ConvertFile(std::string strInput, std::string strOutput, bool bSpaces, bool bBreaks,
                 bool bNumeric, bool bOverwrite);

/// ConvertFile with all three flags false, writing the result inside one
/// "<pre>" element in the same pass: "<pre>", the escaped lines (the last one
/// given a line end), "</pre>", all line ends CR LF. The same bytes as wrapping
/// the converted file afterwards, without reading it back.
bool ConvertFileToPre(const std::string& strInput, const std::string& strOutput, bool bOverwrite);

} // namespace varnolet
