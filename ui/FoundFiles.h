#pragma once

#include <string>
#include <vector>

namespace varnolet {

/// The hits of the one folder search that runs at a time, in the order the
/// search engine reported them.
struct FoundFileList {
    std::vector<std::string> paths;
    /// One a path: the engine already knew the hit is a regular file, not a link.
    std::vector<bool> isRegularFile;
};
FoundFileList& FoundFiles();

/// The search engine's handler: keeps a copy of each hit in FoundFiles.
void CollectFoundFile(const char* path, bool isRegularFile);

/// Empties FoundFiles and returns the hits that are regular files, links to
/// one included, in their order. Only the hits the engine could not vouch for
/// cost a stat.
std::vector<std::string> TakeFoundRegularFiles();

} // namespace varnolet
