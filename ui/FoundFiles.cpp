#include "ui/FoundFiles.h"

#include <utility>

#include "discovery/PathUtils.h"

namespace varnolet {

FoundFileList& FoundFiles() {
    static FoundFileList found;
    return found;
}

void CollectFoundFile(const char* path, bool isRegularFile) {
    FoundFileList& found = FoundFiles();
    found.paths.emplace_back(path);
    found.isRegularFile.push_back(isRegularFile);
}

// The files are packed to the front in place, so the paths are never copied.
std::vector<std::string> TakeFoundRegularFiles() {
    FoundFileList found = std::exchange(FoundFiles(), {});
    std::size_t kept = 0;
    for (std::size_t hit = 0; hit < found.paths.size(); ++hit) {
        std::string& path = found.paths[hit];
        if (found.isRegularFile[hit] || PathIsRegularFile(path)) {
            if (hit != kept) {
                found.paths[kept] = std::move(path);
            }
            ++kept;
        }
    }
    found.paths.resize(kept);
    return std::move(found.paths);
}

} // namespace varnolet
