#include "discovery/CFileFinder.h"

#include <algorithm>
#include <stdexcept>

#include "discovery/PathUtils.h"
#include "discovery/StringUtils.h"
#include "platform/DirectoryListing.h"

namespace varnolet {
namespace {

constexpr const char* kInvalidHandler = "Invalid function pointer(handler).";
constexpr const char* kInvalidDirectory = "Invalid directory.";
constexpr const char* kInvalidPattern = "The szPattern parameter contains invalid characters.";
constexpr const char* kInvalidQuery = "The szQuery parameter contains invalid characters.";
constexpr std::string_view kNoExtension = "-?";

std::string_view TrimmedLeft(std::string_view text) {
    const std::size_t first = text.find_first_not_of(szWhitespace);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view TrimmedRight(std::string_view text) {
    const std::size_t last = text.find_last_not_of(szWhitespace);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

bool Contains(const std::vector<std::string>& list, std::string_view item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

bool IsFolderMode(FinderMode mode) {
    return mode == FM_FOLDERS_LOCAL || mode == FM_FOLDERS_RECURSIVE;
}

struct FolderEntry {
    std::size_t offset;
    std::size_t length;
    std::uint32_t attributes;
    bool isRegularFile;
};

// One folder's entries, read in a single pass and closed at once: the walk then
// holds one open folder at a time, so no depth runs out of file descriptors or
// of call stack, and the hits still come in the order the listing gave them.
struct FolderFrame {
    std::string path; // ends in the separator
    std::string names;
    std::vector<FolderEntry> entries;
    std::size_t next = 0;

    std::string_view Name(const FolderEntry& entry) const {
        return std::string_view(names).substr(entry.offset, entry.length);
    }
};

// Only the folder test reads the attribute word, and the read-only bit never
// changes its answer, so the walk spares the lstat that bit would cost.
FolderFrame ReadFolder(std::string path) {
    FolderFrame frame{std::move(path), {}, {}, 0};
    platform::DirectoryListing listing(frame.path, platform::AttributeDetail::WithoutReadOnly);
    platform::DirectoryEntry entry;
    while (listing.Next(entry)) {
        frame.entries.push_back(
            {frame.names.size(), entry.name.size(), entry.attributes, entry.isRegularFile});
        frame.names.append(entry.name);
    }
    return frame;
}

} // namespace

CFileFinder::CFileFinder(FinderHandler handler, const char* szDirectory, const char* szPattern,
                         const char* szQuery)
    : m_pfnHandler(handler) {
    Init(szDirectory, szPattern, szQuery);
}

CFileFinder::CFileFinder(FinderHitHandler handler, const char* szDirectory, const char* szPattern,
                         const char* szQuery)
    : m_pfnHitHandler(handler) {
    Init(szDirectory, szPattern, szQuery);
}

CFileFinder::~CFileFinder() = default;

void CFileFinder::Search(FinderMode mode) {
    m_nMode = mode;
    SearchFolder(m_strDirectory);
}

void CFileFinder::SetPattern(const char* szPattern) {
    m_vecPatterns = ParseList(szPattern, true);
}

void CFileFinder::SetQuery(const char* szQuery) {
    m_vecQueries = ParseList(szQuery, false);
}

// The handler is checked first: its fault is reported before any other.
void CFileFinder::Init(const char* szDirectory, const char* szPattern, const char* szQuery) {
    if (!m_pfnHandler && !m_pfnHitHandler) {
        throw std::invalid_argument(kInvalidHandler);
    }
    SetDirectory(szDirectory);
    m_vecPatterns = ParseList(szPattern, true);
    m_vecQueries = ParseList(szQuery, false);
}

void CFileFinder::Report(const std::string& hit, bool isRegularFile) const {
    if (m_pfnHitHandler) {
        m_pfnHitHandler(hit.c_str(), isRegularFile);
    } else {
        m_pfnHandler(hit.c_str());
    }
}

// A blank folder text is refused rather than read as the root: walking the
// whole file system by accident would hold the window for a long time.
void CFileFinder::SetDirectory(const char* szDirectory) {
    std::string directory = StrTrimmed(szDirectory ? szDirectory : "");
    if (directory.empty()) {
        throw std::invalid_argument(kInvalidDirectory);
    }
    const std::string keyword = StrLower(directory);
    if (keyword == "-win") {
        directory = GetWindowsFolder();
    } else if (keyword == "-sys") {
        directory = GetSystemFolder();
    } else if (keyword == "-root") {
        directory = GetRootFolder();
    }
    if (!PathNormalizeFolder(directory)) {
        throw std::invalid_argument(kInvalidDirectory);
    }
    m_strDirectory = std::move(directory);
}

std::vector<std::string> CFileFinder::ParseList(const char* text, bool isPattern) {
    std::vector<std::string> list;
    std::string whole = StrTrimmed(text ? text : "");
    StrMakeLower(whole);
    if (whole.empty() || whole == "-all") {
        return list;
    }
    if (whole.back() != ',') {
        whole += ',';
    }
    std::size_t start = 0;
    for (std::size_t comma = whole.find(','); comma != std::string::npos;
         start = comma + 1, comma = whole.find(',', start)) {
        const std::string item = StrTrimmed(std::string_view(whole).substr(start, comma - start));
        if (item.empty()) {
            continue;
        }
        const bool exempt = isPattern && item == kNoExtension;
        if (!exempt && item.find_first_of(szInvalidChars) != std::string::npos) {
            throw std::invalid_argument(isPattern ? kInvalidPattern : kInvalidQuery);
        }
        if (!Contains(list, item)) {
            list.push_back(item);
        }
    }
    return list;
}

// A real extension never matches the "-?" item, even one spelt "-?" itself:
// that item stands for names without an extension only.
bool CFileFinder::MatchesPattern(std::string_view name) const {
    if (m_vecPatterns.empty()) {
        return true;
    }
    std::string extension = PathExtension(name);
    if (extension.empty()) {
        return Contains(m_vecPatterns, kNoExtension);
    }
    StrMakeLower(extension);
    return extension != kNoExtension && Contains(m_vecPatterns, extension);
}

// A keyword and a name match when either holds the other. A file's extension
// and a leading dot are not part of the name compared.
bool CFileFinder::MatchesQuery(std::string_view name) const {
    if (m_vecQueries.empty()) {
        return true;
    }
    std::string_view text = TrimmedRight(TrimmedLeft(name));
    if (!IsFolderMode(m_nMode)) {
        const std::size_t dot = text.rfind('.');
        if (dot != std::string_view::npos && dot != 0) {
            text = TrimmedRight(text.substr(0, dot));
        }
    }
    if (!text.empty() && text.front() == '.') {
        text = TrimmedLeft(text.substr(1));
    }
    if (text.empty()) {
        return false;
    }
    const std::string lower = StrLower(text);
    return std::any_of(m_vecQueries.begin(), m_vecQueries.end(), [&](const std::string& item) {
        return item.size() <= lower.size() ? lower.find(item) != std::string::npos
                                           : item.find(lower) != std::string::npos;
    });
}

// Depth first in pre-order, on a stack of our own rather than the call stack.
void CFileFinder::SearchFolder(const std::string& folder) {
    if (m_nMode > FM_FOLDERS_RECURSIVE) {
        return;
    }
    const bool folderMode = IsFolderMode(m_nMode);
    const bool entersFolders = m_nMode == FM_FILES_RECURSIVE || m_nMode == FM_FOLDERS_RECURSIVE;
    std::vector<FolderFrame> stack;
    stack.push_back(ReadFolder(folder));
    std::string hit;
    while (!stack.empty()) {
        FolderFrame& frame = stack.back();
        if (frame.next == frame.entries.size()) {
            stack.pop_back();
            continue;
        }
        const FolderEntry& entry = frame.entries[frame.next++];
        const std::string_view name = frame.Name(entry);
        if (IsFolderAttributes(entry.attributes)) {
            if (IsDotEntry(name) || m_nMode == FM_FILES_LOCAL) {
                continue;
            }
            hit.assign(frame.path).append(name) += kPathSeparator;
            if (folderMode && MatchesQuery(name)) {
                Report(hit, false);
            }
            if (entersFolders) {
                stack.push_back(ReadFolder(hit)); // frame is not used past this point
            }
        } else if (!folderMode && MatchesPattern(name) && MatchesQuery(name)) {
            hit.assign(frame.path).append(name);
            Report(hit, entry.isRegularFile);
        }
    }
}

} // namespace varnolet
