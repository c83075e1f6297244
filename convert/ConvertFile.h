#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnolet {

class ScratchCopy;

/// Converts one text file into HTML-escaped text at strOutput, through a
/// private temporary copy that is wiped afterwards. False when the conversion
/// could not begin or any read or write failed.
bool ConvertFile(std::string strInput, std::string strOutput, bool bSpaces, bool bBreaks,
                 bool bNumeric, bool bOverwrite);

/// Where a sweep's page puts the converted text: between each two of the
/// page's own pieces (LF line ends; one more piece than places), each time
/// ended by a line end and, with bPre, inside "<pre>\n" ... "</pre>". Without a
/// template the page is two empty pieces.
struct PageLayout {
    std::vector<std::string_view> pieces;
    bool bPre = false;
};

/// ConvertFile from an input open on a regular file (see OpenRegularFile)
/// straight into a page on an open output, in text mode: the same bytes as
/// converting into the output, reading it back in text mode, laying it into
/// the page and rewriting it, in one pass. The input is still read through the
/// private temporary copy, refilled for it and wiped afterwards; a run of
/// conversions passes the same one. False when any read or write fails.
bool ConvertIntoPage(ScratchCopy& copy, int inputFd, int outputFd, bool bSpaces, bool bBreaks,
                     bool bNumeric, const PageLayout& layout);

/// ConvertFile with all three flags false, writing the result inside one
/// "<pre>" element in the same pass: "<pre>", the escaped lines (the last one
/// given a line end), "</pre>", all line ends CR LF. The same bytes as wrapping
/// the converted file afterwards, without reading it back.
bool ConvertFileToPre(const std::string& strInput, const std::string& strOutput, bool bOverwrite);

} // namespace varnolet
