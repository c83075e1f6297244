#include "ui/FoundFiles.h"

namespace varnolet {

std::vector<std::string>& FoundFiles() {
    static std::vector<std::string> found;
    return found;
}

void CollectFoundFile(const char* path) {
    FoundFiles().emplace_back(path);
}

} // namespace varnolet
