#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varnolet::platform {

struct FileStatus {
    bool bRegular = false;
    std::uint64_t nSize = 0;
    bool bOwnerWritable = false;
};

/// The file-status query; follows symbolic links. Empty when the path cannot be queried.
std::optional<FileStatus> StatPath(const std::string& path);

/// True when the path is a regular file (after following links).
bool IsRegularFile(const std::string& path);

/// The existence test: true when anything is at the path, with no permission test.
bool PathExists(const std::string& path);

/// Lifts "read-only" from a regular file by giving its owner write permission.
bool ClearReadOnly(const std::string& path);

/// Deletes a file; true when it is gone.
bool RemoveFile(const std::string& path);

/// $TMPDIR when it names a folder, else /tmp; always ends with '/'.
std::string GetTempFolderPath();

} // namespace varnolet::platform
