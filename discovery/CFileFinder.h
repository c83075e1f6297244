#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnolet {

/// Called once per hit with its full path; the text is valid only during the call.
using FinderHandler = void (*)(const char* path);
/// As FinderHandler, and told whether the folder listing already knows the hit
/// is a regular file itself, not a link, so that a caller may spare its own
/// stat. False says nothing either way; a folder hit is always false.
using FinderHitHandler = void (*)(const char* path, bool isRegularFile);

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
    CFileFinder(FinderHitHandler handler, const char* szDirectory, const char* szPattern,
                const char* szQuery);
    virtual ~CFileFinder();

    CFileFinder(const CFileFinder&) = delete;
    CFileFinder& operator=(const CFileFinder&) = delete;

    /// Reports every hit to the handler, depth first in pre-order, before it
    /// returns; folders that cannot be listed are passed over.
    void Search(FinderMode mode);
    /// Replace one list; on a throw the finder keeps the list it had.
    void SetPattern(const char* szPattern);
    void SetQuery(const char* szQuery);

private:
    void Init(const char* szDirectory, const char* szPattern, const char* szQuery);
    void Report(const std::string& hit, bool isRegularFile) const;
    void SetDirectory(const char* szDirectory);
    static std::vector<std::string> ParseList(const char* text, bool isPattern);
    bool MatchesPattern(std::string_view name) const;
    bool MatchesQuery(std::string_view name) const;
    void SearchFolder(const std::string& folder);

    std::vector<std::string> m_vecPatterns;
    std::vector<std::string> m_vecQueries;
    std::string m_strDirectory;
    FinderMode m_nMode = FM_FILES_LOCAL;
    FinderHandler m_pfnHandler = nullptr; // one of these two is set
    FinderHitHandler m_pfnHitHandler = nullptr;
};

} // namespace varnolet
