#include "convert/ScratchCopy.h"

#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/TempFileCleanup.h"

namespace varnolet {
namespace {

constexpr std::uint8_t kNameLength = 8;
constexpr std::uint8_t kExtensionLength = 3;

} // namespace

bool ScratchCopy::Fill(int sourceFd) {
    if (!m_file.fd.IsOpen()) {
        m_file = CreateTempFile(kNameLength, kExtensionLength);
        if (!m_file.fd.IsOpen()) {
            return false;
        }
    }
    const int fd = m_file.fd.Get();
    // The new bytes overwrite the zeros of the last turn; only the zeros
    // beyond them are cut off, never text.
    const bool copied = ::lseek(fd, 0, SEEK_SET) == 0 && CopyDescriptor(sourceFd, fd);
    const off_t size = copied ? ::lseek(fd, 0, SEEK_CUR) : -1;
    if (size < 0 || ::ftruncate(fd, size) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
        Wipe(); // part of the text may have arrived
        return false;
    }
    return true;
}

bool ScratchCopy::Wipe() {
    if (!m_file.fd.IsOpen() || ZeroOpenFile(m_file.fd.Get())) {
        return true;
    }
    Discard();
    return false;
}

bool ScratchCopy::Discard() {
    if (m_file.path.empty()) {
        return true;
    }
    // Wiped through the descriptor still open on it: the copy is ours and
    // writable, so reopening it by name would only cost a lookup.
    const bool zeroed = m_file.fd.IsOpen() && ZeroOpenFile(m_file.fd.Get());
    const bool closed = m_file.fd.Close();
    // From the removal on, the name may be anybody's: the signal handler must
    // not wipe it any more.
    platform::CleanupSignalBlock block;
    bool gone = zeroed && closed ? platform::RemoveFile(m_file.path) : WipeFile(m_file.path, 1);
    if (!gone) {
        gone = ::unlink(m_file.path.c_str()) == 0;
    }
    platform::UnregisterTempFile();
    m_file.path.clear();
    return gone;
}

} // namespace varnolet
