#pragma once

#include <string>
#include <vector>

namespace varnolet {

/// The hits of the one folder search that runs at a time, in the order the
/// search engine reported them.
std::vector<std::string>& FoundFiles();

/// The search engine's handler: keeps a copy of each hit in FoundFiles.
void CollectFoundFile(const char* path);

} // namespace varnolet
