#include "discovery/PathUtils.h"

#include <algorithm>
#include <array>

#include "discovery/StringUtils.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"

namespace varnolet {
namespace {

constexpr std::string_view kSeparators = "\\/";

// Folder bit with any mix of read-only (0x01), hidden (0x02), system (0x04),
// archive (0x20) and normal (0x80), less the mixes the walk has always refused.
// Any other bit, such as the reparse bit of a link, makes the entry a file.
constexpr std::array<std::uint32_t, 26> kFolderWords = {
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, // folder
    0x30, 0x31, 0x32, 0x33, 0x34, 0x36, 0x37,       // folder, archive
    0x90, 0x91, 0x92, 0x93, 0x94, 0x96, 0x97,       // folder, normal
    0xB0, 0xB1, 0xB3, 0xB7,                         // folder, archive, normal
};

bool IsSeparator(char c) {
    return kSeparators.find(c) != std::string_view::npos;
}

} // namespace

std::string PathFileName(std::string_view path) {
    return std::string(PathFileNameView(path));
}

std::string_view PathFileNameView(std::string_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    return StrTrimmedView(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string PathFolder(std::string_view path) {
    const std::size_t last = path.find_last_of(kSeparators);
    return last == std::string_view::npos ? std::string() : StrTrimmed(path.substr(0, last + 1));
}

std::string PathExtension(std::string_view path) {
    return std::string(PathExtensionView(path));
}

std::string_view PathExtensionView(std::string_view path) {
    const std::string_view name = PathFileNameView(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name.substr(name.size())
                                         : StrTrimmedView(name.substr(dot + 1));
}

bool PathNormalizeFolder(std::string& path) {
    if (path.empty() || !IsSeparator(path.back())) {
        path += kPathSeparator;
    }
    std::replace(path.begin(), path.end(), '\\', kPathSeparator);
    return platform::PathExists(path);
}

bool PathFolderExists(std::string_view path) {
    std::string copy(path);
    return PathNormalizeFolder(copy);
}

bool PathIsRegularFile(const std::string& path) {
    return platform::IsRegularFile(path);
}

bool IsFolderAttributes(std::uint32_t attr) {
    return std::find(kFolderWords.begin(), kFolderWords.end(), attr) != kFolderWords.end();
}

std::string GetWindowsFolder() {
    return "/etc/";
}

std::string GetSystemFolder() {
    return "/usr/lib/";
}

// Linux has one tree, so the root that holds the configuration folder is "/".
std::string GetRootFolder() {
    return "/";
}

// The real path of the executable does not depend on how the program was
// started; the first argument is the fallback when /proc cannot tell. A real
// path only ever separates with '/': a backslash in it belongs to a name.
std::string GetProgramFolder() {
    std::string path = platform::RunningExecutablePath();
    std::size_t last = path.rfind('/');
    if (path.empty()) {
        path = platform::ProgramArgumentZero();
        last = path.find_last_of(kSeparators);
    }
    if (last != std::string::npos) {
        path.resize(last);
    }
    return path;
}

} // namespace varnolet
