#pragma once

#include <dirent.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace varnolet::platform {

// The attribute bits a listing gives each entry, valued as the search engine's
// folder test expects them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeFolder = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

/// How much of the attribute word a listing works out. The read-only bit costs
/// one lstat per entry; a caller that only tells folders from files can spare it.
enum class AttributeDetail {
    Complete,
    WithoutReadOnly,
};

struct DirectoryEntry {
    /// The bare name, byte for byte; valid until the next call of Next.
    std::string_view name;
    std::uint32_t attributes = 0;
    /// True when the listing already knows the entry is a regular file in its
    /// own right, not a link: a stat of it would say "regular file" too. False
    /// says nothing either way (a link, an unknown type, anything else).
    bool isRegularFile = false;
};

/// One pass over a folder's entries in the order the system gives them, "." and
/// ".." included when the system lists them. Each entry gets an attribute word:
/// folder 0x10 for a directory, archive 0x20 for anything else, hidden 0x02 for a
/// name that begins with ".", read-only 0x01 when the owner cannot write, and the
/// reparse bit 0x400 on a symbolic link (with 0x10 when it leads to a folder and
/// 0x20 otherwise), so that a linked folder is never taken for a plain folder.
/// The entry's type comes from readdir; lstat is called only when the system
/// does not say or the read-only bit is wanted.
class DirectoryListing {
public:
    explicit DirectoryListing(const std::string& folder,
                              AttributeDetail detail = AttributeDetail::Complete);
    ~DirectoryListing();
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;

    /// False when the folder could not be opened; such a listing has no entries.
    bool IsOpen() const { return m_dir != nullptr; }

    /// Fills the next entry; false at the end of the listing or on an error,
    /// which also ends it.
    bool Next(DirectoryEntry& entry);

private:
    DIR* m_dir = nullptr;
    AttributeDetail m_detail;
};

} // namespace varnolet::platform
