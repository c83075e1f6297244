#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnolet {

/// Where a template receives the converted text: matched exactly, letter case included.
inline constexpr std::string_view kPlaceholder = "$Varnolet$";

/// The three option boxes as the sweep uses them.
struct SweepOptions {
    bool bSpaces = false;  ///< spaces become &nbsp;
    bool bNumeric = false; ///< numeric character references instead of names
    bool bPre = false;     ///< keep line ends and wrap the text in <pre>
};

struct SweepResult {
    int nFailures = 0; ///< rows that did not give a complete page
    int nSwept = 0;    ///< rows that did
};

/// The text cut at every occurrence of `placeholder`, searched left to right
/// without overlaps: one more piece than occurrences. An empty placeholder is
/// never found.
std::vector<std::string_view> SplitAtPlaceholders(std::string_view text,
                                                  std::string_view placeholder);

/// Replaces every occurrence of `placeholder` in `text` by `replacement`. The
/// search resumes after each insertion, so a placeholder inside the
/// replacement stays as it is. An empty placeholder changes nothing.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement);

/// True when the template field names a template: not empty, and not "-none"
/// in any letter case with or without blanks around it.
bool UsesTemplate(std::string_view templateText);

/// Makes the output field's text canonical (our separator, a trailing one)
/// and tells whether it names an existing folder. False for an empty text.
bool CheckOutputFolder(std::string& folder);

/// False when a template is asked for and the text, as typed, is not an
/// existing regular file.
bool CheckTemplate(const std::string& templateText);

/// Called before each row with its index; lets a caller follow the progress.
using SweepRowHook = std::function<void(std::size_t row)>;

/// Converts every row, first to last, into `folder` (canonical, see
/// CheckOutputFolder) and puts each result into the template when
/// UsesTemplate(templateText). Each output is named after its input's file
/// name with ".html" (template) or ".txt", the extension repeated while the
/// name is taken; any entry counts as taken (a folder, a dangling link), so a
/// page is never written onto or through something already there. A row fails
/// when its file is missing or not a regular file, its page cannot be created
/// or written whole (what was written is removed), or the template cannot be
/// read for it (the body is written alone); the sweep always goes on with the
/// next row.
SweepResult SweepFiles(const std::vector<std::string>& rows, const std::string& folder,
                       const std::string& templateText, const SweepOptions& options,
                       const SweepRowHook& beforeRow = {});

} // namespace varnolet
