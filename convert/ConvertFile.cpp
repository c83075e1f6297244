#include "convert/ConvertFile.h"

namespace varnolet {

bool ConvertFile(std::string, std::string, bool, bool, bool, bool) { return false; }

} // namespace varnolet
