#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnolet {

/// Called once per hit with its full path; the text is valid only during the call.
using FinderHandler = void (*)(const char* path);

enum FinderMode : std::uint32_t {
    FM_FILES_LOCAL = 0,
    FM_FILES_RECURSIVE = 1,
    FM_FOLDERS_LOCAL = 2,
    FM_FOLDERS_RECURSIVE = 3,
};

/// Walks a folder (optionally its whole tree) and reports the files, or the
/// folders, whose names fit an extension list and a keyword list. Bad input is
/// refused at construction with std::invalid_argument; a search never fails.
class CFileFinder {
public:
    CFileFinder(FinderHandler handler, const char* szDirectory, const char* szPattern,
                const char* szQuery);
    virtual ~CFileFinder();

    CFileFinder(const CFileFinder&) = delete;
    CFileFinder& operator=(const CFileFinder&) = delete;

    void Search(FinderMode mode);
    void SetPattern(const char* szPattern);
    void SetQuery(const char* szQuery);

private:
    std::vector<std::string> m_vecPatterns;
    std::vector<std::string> m_vecQueries;
    std::string m_strDirectory;
    FinderMode m_nMode = FM_FILES_LOCAL;
    FinderHandler m_pfnHandler = nullptr;
};

} // namespace varnolet
