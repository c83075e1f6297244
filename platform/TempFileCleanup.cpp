#include "platform/TempFileCleanup.h"

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnolet::platform {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handler may use only what was stored before: a fixed buffer and a flag.
char g_path[PATH_MAX];
volatile sig_atomic_t g_registered = 0;
const char g_zeros[1 << 16] = {};

sigset_t CleanupSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kSignals) {
        sigaddset(&set, sig);
    }
    return set;
}

// Only async-signal-safe calls: open, fstat, write, close, unlink, signal, raise.
void WipeRegisteredFile() {
    const int fd = ::open(g_path, O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            off_t left = st.st_size;
            while (left > 0) {
                const auto chunk = static_cast<size_t>(std::min<off_t>(left, sizeof g_zeros));
                const ssize_t put = ::write(fd, g_zeros, chunk);
                if (put <= 0) {
                    break;
                }
                left -= put;
            }
        }
        ::close(fd);
    }
    ::unlink(g_path);
}

extern "C" void OnCleanupSignal(int sig) {
    if (g_registered) {
        WipeRegisteredFile();
        g_registered = 0;
    }
    // Die of the same signal, so that the parent sees what happened.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

} // namespace

void InstallTempFileCleanup() {
    struct sigaction action {};
    action.sa_handler = OnCleanupSignal;
    action.sa_mask = CleanupSignals();
    for (int sig : kSignals) {
        struct sigaction old {};
        // A signal ignored by whoever started us (nohup) stays ignored.
        if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(sig, &action, nullptr);
    }
}

CleanupSignalBlock::CleanupSignalBlock() {
    const sigset_t set = CleanupSignals();
    ::pthread_sigmask(SIG_BLOCK, &set, &m_saved);
}

CleanupSignalBlock::~CleanupSignalBlock() {
    ::pthread_sigmask(SIG_SETMASK, &m_saved, nullptr);
}

bool RegisterTempFile(const std::string& path) {
    if (path.size() >= sizeof g_path) {
        return false;
    }
    std::memcpy(g_path, path.c_str(), path.size() + 1);
    g_registered = 1;
    return true;
}

void UnregisterTempFile() {
    g_registered = 0;
}

} // namespace varnolet::platform
