// Times a recursive folder search against find(1) on the same tree, in one run:
//   bench_walk [rounds]
// Builds 100,000 files in 5,000 folders under $TMPDIR, removes them afterwards,
// and prints the median time of each and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "discovery/CFileFinder.h"
#include "platform/FileSystem.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 50;
constexpr int kSubFolders = 99; // 50 + 50 * 99 = 5,000 folders
constexpr int kFilesPerFolder = 20;
constexpr const char* kStems[] = {"report", "notes", "letter", "draft", "summary"};
constexpr const char* kExtensions[] = {".txt", ".htm", ".doc", "", ".TXT"};

std::size_t g_hits = 0;

void CountHit(const char*) {
    ++g_hits;
}

void MakeFiles(const std::string& folder) {
    for (int file = 0; file < kFilesPerFolder; ++file) {
        const std::string path =
            folder + kStems[file % 5] + "-" + std::to_string(file) + kExtensions[(file / 5) % 5];
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            throw std::runtime_error("cannot create " + path);
        }
        ::close(fd);
    }
}

void MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) {
        throw std::runtime_error("cannot create " + path);
    }
    MakeFiles(path + "/");
}

void BuildTree(const std::string& root) {
    for (int top = 0; top < kTopFolders; ++top) {
        const std::string folder = root + "area" + std::to_string(top);
        MakeFolder(folder);
        for (int sub = 0; sub < kSubFolders; ++sub) {
            MakeFolder(folder + "/box" + std::to_string(sub));
        }
    }
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double TimeFinder(const std::string& root) {
    const auto start = Clock::now();
    g_hits = 0;
    varnolet::CFileFinder finder(CountHit, root.c_str(), "txt, htm", "report, notes, sum");
    finder.Search(varnolet::FM_FILES_RECURSIVE);
    return SecondsSince(start);
}

double TimeFind(const std::string& root) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::string folder = root;
    const char* argv[] = {"find", folder.c_str(), "-type", "f", "-name", "*.txt", nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
        throw std::runtime_error("cannot start find");
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double seconds = SecondsSince(start);
    posix_spawn_file_actions_destroy(&actions);
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Measure(const std::string& root, int rounds) {
    TimeFinder(root); // warm the caches for both
    TimeFind(root);
    std::vector<double> finder, find;
    for (int round = 0; round < rounds; ++round) {
        finder.push_back(TimeFinder(root));
        find.push_back(TimeFind(root));
    }
    const double a = Median(finder), b = Median(find);
    std::printf("tree: %d folders, %d files under %s\n", kTopFolders * (1 + kSubFolders),
                kTopFolders * (1 + kSubFolders) * kFilesPerFolder, root.c_str());
    std::printf("CFileFinder FM_FILES_RECURSIVE \"txt, htm\" / \"report, notes, sum\": "
                "%.1f ms median of %d (%zu hits)\n",
                a * 1e3, rounds, g_hits);
    std::printf("find DIR -type f -name '*.txt':                          %.1f ms median of %d\n",
                b * 1e3, rounds);
    std::printf("ratio finder / find: %.2f (target <= 1.30)\n", a / b);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    std::string root = varnolet::platform::GetTempFolderPath() + "bench_walk.XXXXXX";
    if (!::mkdtemp(root.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    root += "/";
    int rc = 0;
    try {
        BuildTree(root);
        Measure(root, rounds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_walk: %s\n", error.what());
        rc = 1;
    }
    ::nftw(root.c_str(), RemoveEntry, 64, FTW_DEPTH | FTW_PHYS);
    return rc;
}
