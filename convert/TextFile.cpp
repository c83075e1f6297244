#include "convert/TextFile.h"

namespace varnolet {

// Placeholder until the text-mode streams land.
bool ReadTextLines(const std::string&, std::string&) { return false; }
bool WriteTextFile(const std::string&, std::string_view) { return false; }

} // namespace varnolet
