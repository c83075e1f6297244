#include "platform/DirectoryListing.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace varnolet::platform {
namespace {

std::uint32_t KindFromMode(mode_t mode) {
    if (S_ISLNK(mode)) {
        return kAttributeReparsePoint;
    }
    return S_ISDIR(mode) ? kAttributeFolder : kAttributeArchive;
}

std::uint32_t KindFromType(unsigned char type) {
    if (type == DT_LNK) {
        return kAttributeReparsePoint;
    }
    return type == DT_DIR ? kAttributeFolder : kAttributeArchive;
}

// A link is marked as a folder or a file after the object it leads to; a
// dangling link is a file.
std::uint32_t LinkTargetKind(int folderFd, const char* name) {
    struct stat st {};
    if (::fstatat(folderFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
        return kAttributeFolder;
    }
    return kAttributeArchive;
}

void Describe(int folderFd, const dirent& raw, AttributeDetail detail, DirectoryEntry& entry) {
    const bool needStat =
        raw.d_type == DT_UNKNOWN || (detail == AttributeDetail::Complete && raw.d_type != DT_LNK);
    std::uint32_t attributes = KindFromType(raw.d_type);
    entry.isRegularFile = raw.d_type == DT_REG;
    if (needStat) {
        struct stat st {};
        if (::fstatat(folderFd, raw.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            attributes = KindFromMode(st.st_mode);
            entry.isRegularFile = S_ISREG(st.st_mode);
            if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
                attributes |= kAttributeReadOnly;
            }
        }
        // An entry that vanished since readdir keeps what readdir told; an
        // unknown type then counts as a file, which is never entered.
    }
    if (attributes == kAttributeReparsePoint) {
        attributes |= LinkTargetKind(folderFd, raw.d_name);
    }
    if (raw.d_name[0] == '.') {
        attributes |= kAttributeHidden;
    }
    entry.attributes = attributes;
}

} // namespace

DirectoryListing::DirectoryListing(const std::string& folder, AttributeDetail detail)
    : m_dir(::opendir(folder.c_str())), m_detail(detail) {}

DirectoryListing::~DirectoryListing() {
    if (m_dir) {
        ::closedir(m_dir);
    }
}

bool DirectoryListing::Next(DirectoryEntry& entry) {
    if (!m_dir) {
        return false;
    }
    const dirent* raw = ::readdir(m_dir);
    if (!raw) {
        return false;
    }
    entry.name = raw->d_name;
    Describe(::dirfd(m_dir), *raw, m_detail, entry);
    return true;
}

} // namespace varnolet::platform
