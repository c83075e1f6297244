#include "platform/HiveStore.h"

#include "platform/HiveKey.h"
#include "platform/HiveText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace varnolet::platform {
namespace {

constexpr char kFolderName[] = "varnolet";
constexpr char kHiveName[] = "user.reg";
constexpr char kLockSuffix[] = ".lock";
constexpr char kTempSuffix[] = ".tmp";
constexpr char kBadSuffix[] = ".bad-";
constexpr int kMaxBadNames = 1000;

std::function<int(HiveSaveStep)>& SaveHook() {
    static std::function<int(HiveSaveStep)> hook;
    return hook;
}

int RunHook(HiveSaveStep step) {
    return SaveHook() ? SaveHook()(step) : 0;
}

/// Owns a file descriptor.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    /// Closes now; false when close reported an error (a lost write, on some systems).
    bool Close() {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir) {
        return found->pw_dir;
    }
    return {};
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

/// Creates every missing folder on the path with owner-only permissions.
int MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string prefix = folder.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return errno;
        }
    }
    return 0;
}

/// The whole file; ENOENT when it is not there.
int ReadWholeFile(const std::string& path, std::string& bytes) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        return errno;
    }
    if (!S_ISREG(st.st_mode)) {
        return EISDIR;
    }
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errno;
        }
        if (got == 0) {
            return 0;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

int WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return errno;
        }
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

int SyncFolder(const std::string& folder) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid()) {
        return errno;
    }
    return ::fsync(fd.Get()) == 0 ? 0 : errno;
}

int LockExclusive(int fd) {
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

std::string BadName(const std::string& hive, int attempt) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    std::string name = hive + kBadSuffix + stamp;
    if (attempt > 0) {
        name += '-' + std::to_string(attempt + 1);
    }
    return name;
}

/// Moves the hive to a name no other file has, never replacing anything.
int MoveAside(const std::string& hive) {
    for (int attempt = 0; attempt < kMaxBadNames; ++attempt) {
        const std::string bad = BadName(hive, attempt);
        if (::renameat2(AT_FDCWD, hive.c_str(), AT_FDCWD, bad.c_str(), RENAME_NOREPLACE) == 0) {
            return SyncFolder(FolderOf(hive));
        }
        if (errno == EINVAL) {
            // A file system without RENAME_NOREPLACE: a hard link is just as safe.
            if (::link(hive.c_str(), bad.c_str()) == 0) {
                return ::unlink(hive.c_str()) == 0 ? SyncFolder(FolderOf(hive)) : errno;
            }
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

int WriteTemp(const std::string& temp, const std::string& text) {
    UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.Valid()) {
        return errno;
    }
    if (const int error = WriteAll(fd.Get(), text)) {
        return error;
    }
    if (const int error = RunHook(HiveSaveStep::TempWritten)) {
        return error;
    }
    if (::fsync(fd.Get()) != 0) {
        return errno;
    }
    if (const int error = RunHook(HiveSaveStep::TempSynced)) {
        return error;
    }
    return fd.Close() ? 0 : errno;
}

// The file a save replaces: the hive itself, or the file its symbolic link
// leads to, so that a hive kept elsewhere (a dotfiles folder) stays linked.
std::string SaveTarget(const std::string& hive) {
    struct stat st {};
    if (::lstat(hive.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return hive;
    }
    char* resolved = ::realpath(hive.c_str(), nullptr);
    if (!resolved) {
        return hive; // a dangling link: replaced by a fresh hive
    }
    std::string target(resolved);
    std::free(resolved);
    return target;
}

int SaveHive(const std::string& path, const HiveKey& root) {
    const std::string hive = SaveTarget(path);
    const std::string temp = hive + kTempSuffix;
    int error = WriteTemp(temp, FormatHive(root));
    if (error == 0 && ::rename(temp.c_str(), hive.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    if (const int hooked = RunHook(HiveSaveStep::Renamed)) {
        return hooked;
    }
    return SyncFolder(FolderOf(hive));
}

/// Reads the hive under the lock; an unparsable one is moved aside and reads as empty.
int LoadForEdit(const std::string& hive, HiveKey& root) {
    std::string bytes;
    const int error = ReadWholeFile(hive, bytes);
    if (error == ENOENT) {
        return 0;
    }
    if (error != 0) {
        return error;
    }
    if (ParseHive(bytes, root)) {
        return 0;
    }
    root = HiveKey();
    return MoveAside(hive);
}

} // namespace

std::string GetHivePath() {
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/') {
        base = config;
    } else {
        const std::string home = HomeFolder();
        if (home.empty()) {
            return {};
        }
        base = home + "/.config";
    }
    if (base.back() != '/') {
        base += '/';
    }
    return base + kFolderName + '/' + kHiveName;
}

HiveStatus StatusFromErrno(int error) {
    switch (error) {
    case 0:
        return kHiveSuccess;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kHiveAccessDenied;
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        return kHivePathNotFound;
    case ENOMEM:
        return 8; // ERROR_NOT_ENOUGH_MEMORY
    case ENOLCK:
        return 33; // ERROR_LOCK_VIOLATION
    case ENOSPC:
    case EDQUOT:
        return 112; // ERROR_DISK_FULL
    case ENAMETOOLONG:
        return 206; // ERROR_FILENAME_EXCED_RANGE
    case EEXIST:
        return 183; // ERROR_ALREADY_EXISTS
    case EIO:
        return 1117; // ERROR_IO_DEVICE
    default:
        return 31; // ERROR_GEN_FAILURE
    }
}

HiveStatus ReadHive(HiveKey& root) {
    const std::string hive = GetHivePath();
    if (hive.empty()) {
        return kHivePathNotFound;
    }
    std::string bytes;
    const int error = ReadWholeFile(hive, bytes);
    if (error == ENOENT || error == ENOTDIR) {
        return kHiveSuccess;
    }
    if (error != 0) {
        return StatusFromErrno(error);
    }
    if (!ParseHive(bytes, root)) {
        root = HiveKey();
    }
    return kHiveSuccess;
}

HiveStatus EditHive(const HiveEditor& editor) {
    const std::string hive = GetHivePath();
    if (hive.empty()) {
        return kHivePathNotFound;
    }
    if (const int error = MakeFolders(FolderOf(hive))) {
        return StatusFromErrno(error);
    }
    const std::string lockPath = hive + kLockSuffix;
    UniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock.Valid()) {
        return StatusFromErrno(errno);
    }
    if (const int error = LockExclusive(lock.Get())) {
        return StatusFromErrno(error);
    }
    // Whoever wrote a temporary file we find now died before renaming it.
    ::unlink((SaveTarget(hive) + kTempSuffix).c_str());
    HiveKey root;
    if (const int error = LoadForEdit(hive, root)) {
        return StatusFromErrno(error);
    }
    bool changed = false;
    const HiveStatus status = editor(root, changed);
    if (!changed) {
        return status;
    }
    if (const int error = SaveHive(hive, root)) {
        return StatusFromErrno(error);
    }
    return status;
}

void SetHiveSaveHook(std::function<int(HiveSaveStep)> hook) {
    SaveHook() = std::move(hook);
}

} // namespace varnolet::platform
