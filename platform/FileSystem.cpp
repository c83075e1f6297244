#include "platform/FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace varnolet::platform {

std::optional<FileStatus> StatPath(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FileStatus{S_ISREG(st.st_mode), static_cast<std::uint64_t>(st.st_size),
                      (st.st_mode & S_IWUSR) != 0};
}

bool IsRegularFile(const std::string& path) {
    const auto status = StatPath(path);
    return status && status->bRegular;
}

bool PathExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

bool ClearReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    if (st.st_mode & S_IWUSR) {
        return true;
    }
    return ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool RemoveFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

std::string GetTempFolderPath() {
    std::string folder = "/tmp/";
    if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir && *tmpdir) {
        struct stat st {};
        if (::stat(tmpdir, &st) == 0 && S_ISDIR(st.st_mode)) {
            folder = tmpdir;
            if (folder.back() != '/') {
                folder += '/';
            }
        }
    }
    return folder;
}

} // namespace varnolet::platform
