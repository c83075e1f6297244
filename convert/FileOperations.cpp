#include "convert/FileOperations.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "discovery/StringUtils.h"
#include "platform/FileSystem.h"
#include "platform/TempFileCleanup.h"

namespace varnolet {
namespace {

constexpr std::uint8_t kDefaultNameLength = 8;
constexpr std::uint8_t kDefaultExtensionLength = 3;
// Far more than chance collisions need; only a folder filled on purpose runs out.
constexpr int kMaxTempAttempts = 10000;
constexpr std::size_t kBlockSize = 1 << 20;

bool g_seeded = false;

void AppendLetters(std::string& name, std::uint8_t count) {
    for (std::uint8_t i = 0; i < count; ++i) {
        if (!g_seeded) {
            std::srand(static_cast<unsigned>(std::time(nullptr)));
            g_seeded = true;
        }
        name += static_cast<char>('a' + std::rand() % 26);
    }
}

bool IsRegular(const std::string& path) {
    return platform::IsRegularFile(path);
}

bool WriteZeros(int fd, std::uint64_t size) {
    static const std::string zeros(kBlockSize, '\0');
    while (size > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, zeros.size()));
        if (!platform::WriteAll(fd, std::string_view(zeros.data(), chunk))) {
            return false;
        }
        size -= chunk;
    }
    return true;
}

} // namespace

std::string RandomName(std::uint8_t nName, std::uint8_t nExtension) {
    std::string name;
    AppendLetters(name, nName ? nName : kDefaultNameLength);
    name += '.';
    AppendLetters(name, nExtension ? nExtension : kDefaultExtensionLength);
    return name;
}

void SeedRandomNames(unsigned seed) {
    std::srand(seed);
    g_seeded = true;
}

std::string GetTempFolder() {
    return platform::GetTempFolderPath();
}

TempFile CreateTempFile(std::uint8_t nName, std::uint8_t nExtension) {
    const std::string folder = GetTempFolder();
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        // No test beforehand: the exclusive creation is the test, and any
        // entry at the name (a file, a link, a folder) sends us to the next.
        TempFile temp{folder + RandomName(nName, nExtension), {}};
        // Held back so that a signal never sees the file without knowing it.
        platform::CleanupSignalBlock block;
        temp.fd = platform::OpenFile(temp.path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW,
                                     S_IRUSR | S_IWUSR);
        if (temp.fd.IsOpen()) {
            platform::RegisterTempFile(temp.path);
            return temp;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

std::string MakeTempFilePath(std::uint8_t nName, std::uint8_t nExtension) {
    TempFile temp = CreateTempFile(nName, nExtension);
    platform::UnregisterTempFile();
    return temp.path;
}

bool CopyDescriptor(int source, int destination) {
    // The kernel copies without bringing the bytes into this process; where it
    // cannot (an old kernel, a special file system) the copy falls back to blocks.
    // Files that claim to be empty (those of /proc) may still hold bytes, which
    // only reading finds.
    struct stat st {};
    const bool kernelCopy = ::fstat(source, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
    while (kernelCopy) {
        const ssize_t copied =
            ::copy_file_range(source, nullptr, destination, nullptr, kBlockSize * 16, 0);
        if (copied == 0) {
            return true;
        }
        if (copied < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
                break;
            }
            return false;
        }
    }
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    for (;;) {
        const ssize_t got = platform::ReadSome(source, buffer.get(), kBlockSize);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!platform::WriteAll(destination,
                                std::string_view(buffer.get(), static_cast<std::size_t>(got)))) {
            return false;
        }
    }
}

bool CopyFileContents(const std::string& strSource, const std::string& strDestination,
                      bool bOverwrite) {
    if (!IsRegular(strSource)) {
        return false;
    }
    if (StrLower(StrTrimmed(strDestination)) == StrLower(StrTrimmed(strSource))) {
        return true;
    }
    if (IsRegular(strDestination) && !bOverwrite) {
        return false;
    }
    platform::UniqueFd source = platform::OpenFile(strSource.c_str(), O_RDONLY | O_NONBLOCK);
    if (!source.IsOpen()) {
        return false;
    }
    platform::UniqueFd destination =
        platform::OpenFile(strDestination.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!destination.IsOpen()) {
        return false;
    }
    const bool copied = CopyDescriptor(source.Get(), destination.Get());
    return destination.Close() && copied;
}

bool ZeroOpenFile(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
        return false;
    }
    return WriteZeros(fd, static_cast<std::uint64_t>(st.st_size));
}

bool WipeFile(const std::string& path, std::uint16_t nPasses) {
    const auto status = platform::StatPath(path);
    if (!status || !status->bRegular) {
        return true;
    }
    if (!status->bOwnerWritable) {
        platform::ClearReadOnly(path);
    }
    if (nPasses != 0 && status && status->nSize > 0) {
        for (std::uint16_t pass = 0; pass < nPasses; ++pass) {
            // Overwritten in place: truncating first would free the old blocks
            // with the text still in them.
            platform::UniqueFd fd = platform::OpenFile(path.c_str(), O_WRONLY | O_NOFOLLOW);
            if (!fd.IsOpen() || !WriteZeros(fd.Get(), status->nSize) || !fd.Close()) {
                break;
            }
        }
    }
    return platform::RemoveFile(path);
}

ProbeResult ProbeOutputFile(const std::string& path) {
    if (IsRegular(path)) {
        return PROBE_EXISTS;
    }
    if (platform::PathExists(path)) {
        // Something that is not a regular file (a device, a pipe): writable or
        // not, but never removed. Non-blocking, so a pipe without reader fails.
        platform::UniqueFd fd = platform::OpenFile(path.c_str(), O_WRONLY | O_NONBLOCK);
        return fd.IsOpen() ? PROBE_CREATABLE : PROBE_NOT_CREATABLE;
    }
    // Exclusive, so that the file removed afterwards is surely the one made here.
    platform::UniqueFd fd = platform::OpenFile(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (!fd.IsOpen()) {
        return PROBE_NOT_CREATABLE;
    }
    fd.Close();
    // Empty and made exclusively here: there is nothing to wipe, only to remove.
    platform::RemoveFile(path);
    return PROBE_CREATABLE;
}

} // namespace varnolet
