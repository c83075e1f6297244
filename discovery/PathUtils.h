#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnolet {

/// The separator the program writes. Both '\\' and '/' are accepted when a
/// path is taken apart.
inline constexpr char kPathSeparator = '/';

std::string PathFileName(std::string_view path);
std::string PathFolder(std::string_view path);
std::string PathExtension(std::string_view path);
/// PathFileName and PathExtension as cuts of `path` itself, for callers that
/// keep the path and want no copy of the part.
std::string_view PathFileNameView(std::string_view path);
std::string_view PathExtensionView(std::string_view path);

/// Appends the separator unless the path already ends in one, turns the other
/// separator into ours, and tells whether the result exists.
bool PathNormalizeFolder(std::string& path);
bool PathFolderExists(std::string_view path);
bool PathIsRegularFile(const std::string& path);

/// The folder test the search engine applies to a directory entry's
/// attribute word: true for exactly 26 words.
bool IsFolderAttributes(std::uint32_t attr);

std::string GetWindowsFolder();
std::string GetSystemFolder();
std::string GetRootFolder();
std::string GetProgramFolder();

} // namespace varnolet
