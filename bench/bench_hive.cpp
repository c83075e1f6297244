// What one settings operation costs, and how much of a save is the two fsyncs that
// make it crash-safe: the same writes timed in a folder on the disk that holds
// $TMPDIR and in one on /dev/shm (tmpfs, where fsync does nothing).
//   scripts/dev bench hive [writes]
#include "settings/Registry.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <string>

namespace {

using namespace varnolet;
using Clock = std::chrono::steady_clock;

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return ::remove(path);
}

struct Timing {
    double writeMicros = 0;
    double readMicros = 0;
};

double MicrosPer(Clock::duration spent, int count) {
    return std::chrono::duration<double, std::micro>(spent).count() / count;
}

/// Times `count` number writes and reads with the hive in a fresh folder under base.
Timing Measure(const std::string& base, int count) {
    std::string folder = base + "/bench_hive.XXXXXX";
    if (!::mkdtemp(folder.data())) {
        std::fprintf(stderr, "cannot make a folder under %s\n", base.c_str());
        std::exit(1);
    }
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    RegCreateKeyPath(HKEY_CURRENT_USER, "Software\\Orvanta\\Varnolet");
    Timing timing;
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        RegWriteNumber(HKEY_CURRENT_USER, "Software\\Orvanta\\Varnolet", "chkPre", i);
    }
    timing.writeMicros = MicrosPer(Clock::now() - start, count);
    std::uint32_t number = 0;
    start = Clock::now();
    for (int i = 0; i < count; ++i) {
        RegReadNumber(HKEY_CURRENT_USER, "Software\\Orvanta\\Varnolet", "chkPre", number);
    }
    timing.readMicros = MicrosPer(Clock::now() - start, count);
    ::nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    return timing;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 500;
    const char* tmp = std::getenv("TMPDIR");
    const std::string disk = tmp && *tmp ? tmp : "/tmp";
    const Timing onDisk = Measure(disk, count);
    const Timing inMemory = Measure("/dev/shm", count);
    std::printf("%d writes and reads of one number\n", count);
    std::printf("  %-10s write %8.1f us   read %6.1f us\n", disk.c_str(), onDisk.writeMicros,
                onDisk.readMicros);
    std::printf("  %-10s write %8.1f us   read %6.1f us\n", "/dev/shm", inMemory.writeMicros,
                inMemory.readMicros);
    std::printf("  write on disk / write on tmpfs: %.1fx (fsync's share of a save: %.0f%%)\n",
                onDisk.writeMicros / inMemory.writeMicros,
                100.0 * (1.0 - inMemory.writeMicros / onDisk.writeMicros));
    std::printf("  write / read on disk: %.1fx\n", onDisk.writeMicros / onDisk.readMicros);
    return 0;
}
