#pragma once

#include <cstddef>
#include <string_view>
#include <sys/types.h>

namespace varnolet::platform {

/// Owns one open file descriptor and closes it when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    int Release();
    /// Closes now; false when close reports an error (a late write failure on
    /// some file systems), which callers that wrote data must not ignore.
    bool Close();

private:
    int m_fd = -1;
};

/// open(2) retried on EINTR; the result owns the descriptor (closed when the open failed).
UniqueFd OpenFile(const char* path, int flags, mode_t mode = 0);

/// The file at `path` open for reading when it is a regular file (a link to
/// one included), closed otherwise. The test is made on the open descriptor,
/// so the file tested is the file read; a FIFO does not block the open.
UniqueFd OpenRegularFile(const char* path);

/// One read(2), retried on EINTR: bytes read, 0 at the end, -1 on error.
ssize_t ReadSome(int fd, char* buffer, std::size_t size);

/// Writes every byte, resuming after short writes and EINTR; false on any error.
bool WriteAll(int fd, std::string_view bytes);

} // namespace varnolet::platform
