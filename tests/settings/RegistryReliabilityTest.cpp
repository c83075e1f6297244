#include "settings/Registry.h"

#include "tests/platform/HiveTestHome.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnolet {
namespace {

constexpr std::string_view kKey = "Software\\Orvanta\\Varnolet";
constexpr int kKills = 200;
constexpr int kWritesEach = 1000;

/// Owns both ends of a pipe.
class Pipe {
public:
    Pipe() { EXPECT_EQ(::pipe(m_fds), 0); }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int Read() const { return m_fds[0]; }
    int Write() const { return m_fds[1]; }
    void CloseRead() { Close(m_fds[0]); }
    void CloseWrite() { Close(m_fds[1]); }

private:
    static void Close(int& fd) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
    int m_fds[2] = {-1, -1};
};

/// Writes counter values from `first` on, reporting each finished write on the pipe.
[[noreturn]] void WriteCounterForever(long first, int reportFd) {
    for (long n = first;; ++n) {
        if (RegWriteString(HKEY_CURRENT_USER, kKey, "counter", std::to_string(n)) !=
            ERROR_SUCCESS) {
            ::_exit(1);
        }
        if (::write(reportFd, &n, sizeof n) != sizeof n) {
            ::_exit(1);
        }
    }
}

/// The last value the child reported as written, or `none`.
long LastReported(int readFd, long none) {
    long last = none;
    long n = 0;
    while (::read(readFd, &n, sizeof n) == sizeof n) {
        last = n;
    }
    return last;
}

std::string ReadText(std::string_view name) {
    std::string text = "(missing)";
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kKey, name, text), ERROR_SUCCESS) << name;
    return text;
}

bool LockIsFree(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC);
    const bool free = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return free;
}

/// Microseconds one counter write takes here, so the kills can land inside writes.
long MeasureWriteMicros() {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) {
        RegWriteString(HKEY_CURRENT_USER, kKey, "counter", "0");
    }
    const auto spent = std::chrono::steady_clock::now() - start;
    return std::max<long>(
        50, static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(spent).count() /
                              5));
}

TEST(RegistryReliability, SurvivesSigkillAtRandomMomentsOfAWriterLoop) {
    test::HiveTestHome home;
    ASSERT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    // A large neighbour makes each save long enough to be hit in the middle.
    const std::string big(256 * 1024, 'b');
    ASSERT_EQ(RegWriteString(HKEY_CURRENT_USER, kKey, "big", big), ERROR_SUCCESS);
    ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, kKey, "chkPre", 0xFFFFFFFF), ERROR_SUCCESS);
    const long writeMicros = MeasureWriteMicros();
    ASSERT_EQ(RegWriteString(HKEY_CURRENT_USER, kKey, "counter", "0"), ERROR_SUCCESS);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, 2 * writeMicros);
    long stored = 0;
    int caughtMidWrite = 0;
    int caughtInSave = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", kill " + std::to_string(kill));
        Pipe pipe;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            pipe.CloseRead();
            WriteCounterForever(stored + 1, pipe.Write());
        }
        pipe.CloseWrite();
        // Let the writer get into its loop, then strike at a random moment of it.
        long first = 0;
        ASSERT_EQ(::read(pipe.Read(), &first, sizeof first), static_cast<ssize_t>(sizeof first));
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own";

        const long reported = LastReported(pipe.Read(), first);
        const long now = std::stol(ReadText("counter"));
        // The write in flight either happened whole or not at all.
        ASSERT_TRUE(now == reported || now == reported + 1) << now << " after " << reported;
        caughtMidWrite += now == reported + 1;
        stored = now;
        ASSERT_EQ(ReadText("big"), big);
        std::uint32_t number = 0;
        ASSERT_EQ(RegReadNumber(HKEY_CURRENT_USER, kKey, "chkPre", number), ERROR_SUCCESS);
        ASSERT_EQ(number, 0xFFFFFFFFu);
        ASSERT_TRUE(LockIsFree(home.Hive() + ".lock"));
        caughtInSave += test::Exists(home.Hive() + ".tmp");
        ASSERT_EQ(RegWriteNumber(HKEY_CURRENT_USER, kKey, "kills", kill), ERROR_SUCCESS);
        ASSERT_EQ(test::ListFolder(home.Folder()),
                  (std::vector<std::string>{"user.reg", "user.reg.lock"}));
    }
    std::printf("%d kills (seed %u), %ld writes in all; %d kills left a temporary file, %d came "
                "after a write landed but before it was reported; one write took about %ld us\n",
                kKills, seed, stored, caughtInSave, caughtMidWrite, writeMicros);
}

/// Writes `count` values named prefix0, prefix1, ... and checks each reads back at once.
[[noreturn]] void WriteNamedValues(char prefix, int count) {
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i);
        std::string back;
        if (RegWriteString(HKEY_CURRENT_USER, kKey, name, std::to_string(i)) != ERROR_SUCCESS ||
            RegReadString(HKEY_CURRENT_USER, kKey, name, back) != ERROR_SUCCESS ||
            back != std::to_string(i)) {
            ::_exit(1);
        }
    }
    ::_exit(0);
}

TEST(RegistryReliability, TwoWritersAtOnceLoseNothing) {
    test::HiveTestHome home;
    ASSERT_EQ(RegCreateKeyPath(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    pid_t children[2] = {};
    const char prefixes[2] = {'a', 'b'};
    for (int i = 0; i < 2; ++i) {
        children[i] = ::fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            WriteNamedValues(prefixes[i], kWritesEach);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    RegNameSet names;
    ASSERT_EQ(RegListValueNames(HKEY_CURRENT_USER, kKey, names), ERROR_SUCCESS);
    EXPECT_EQ(names.size(), 2u * kWritesEach);
    for (const char prefix : prefixes) {
        for (int i = 0; i < kWritesEach; ++i) {
            const std::string name = prefix + std::to_string(i);
            ASSERT_EQ(ReadText(name), std::to_string(i)) << name;
        }
    }
}

} // namespace
} // namespace varnolet
