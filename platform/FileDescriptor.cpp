#include "platform/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnolet::platform {

UniqueFd::~UniqueFd() {
    Close();
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = other.Release();
    }
    return *this;
}

int UniqueFd::Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool UniqueFd::Close() {
    if (m_fd < 0) {
        return true;
    }
    // close is never retried on Linux: the descriptor is gone even after EINTR.
    const int rc = ::close(Release());
    return rc == 0 || errno == EINTR;
}

UniqueFd OpenFile(const char* path, int flags, mode_t mode) {
    int fd = -1;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

UniqueFd OpenRegularFile(const char* path) {
    UniqueFd fd = OpenFile(path, O_RDONLY | O_NONBLOCK);
    struct stat st {};
    if (fd.IsOpen() && (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))) {
        fd.Close();
    }
    return fd;
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    ssize_t got = -1;
    do {
        got = ::read(fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (put == 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

} // namespace varnolet::platform
