// Times the sweep against plain tools, side by side in one run:
//   10,000 files of 4 KiB through a template, against bench/sweep_reference.py;
//   one 64 MiB file, against cp.
// The two sides take turns for a few rounds, each round into fresh folders, and
// the best time of each side is compared, beside the middle of the rounds'
// own ratios: the machine is shared and noisy. Nothing is deleted before the
// end: on a file system without a journal, ext4 passes over recently freed
// inodes when it makes a file, so a deletion would slow whichever side runs
// next.
// usage: bench_sweep [FILE_COUNT]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "convert/Sweep.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string MakeText(std::size_t bytes) {
    const std::string line = "Fish & chips <cost> \"4.50\" at Joe's, caf\xe9 open 9-5.\n";
    std::string text;
    while (text.size() < bytes) {
        text += line;
    }
    text.resize(bytes);
    return text;
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

int Run(const std::string& command) {
    return std::system(command.c_str());
}

// What the previous side left dirty goes to disk first, so that neither side
// pays for the other's writeback.
void Settle() {
    ::sync();
}

double TimeCommand(const std::string& command) {
    Settle();
    const auto start = Clock::now();
    if (Run(command) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return Seconds(start);
}

double TimeSweep(const std::vector<std::string>& rows, const std::string& out,
                 const std::string& templ, bool pre) {
    varnolet::SweepOptions options;
    options.bPre = pre;
    Settle();
    const auto start = Clock::now();
    const auto result = varnolet::SweepFiles(rows, out, templ, options);
    const double seconds = Seconds(start);
    if (result.nFailures != 0) {
        std::fprintf(stderr, "%d rows failed\n", result.nFailures);
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const char* tmp = std::getenv("TMPDIR");
    std::string root = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_sweep.XXXXXX";
    if (!::mkdtemp(root.data())) {
        return 1;
    }
    for (const char* sub : {"/in", "/big"}) {
        ::mkdir((root + sub).c_str(), 0755);
    }
    const std::string templ = root + "/page.html";
    Write(templ, "<html>\r\n<body>\r\n$Varnolet$\r\n</body>\r\n</html>\r\n");
    const std::string small = MakeText(4096);
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back(root + "/in/file" + std::to_string(i) + ".txt");
        Write(rows.back(), small);
    }

    double sweep = 1e9;
    double python = 1e9;
    double sweepBig = 1e9;
    std::vector<double> ratios;
    double cp = 1e9;
    const std::string big = root + "/big/big.txt";
    Write(big, MakeText(64u << 20));
    for (int round = 0; round < kRounds; ++round) {
        const std::string out = root + "/out" + std::to_string(round);
        for (const char* sub : {"/sweep", "/ref", "/big", "/cp"}) {
            ::mkdir(out.c_str(), 0755);
            ::mkdir((out + sub).c_str(), 0755);
        }
        const double sweepRound = TimeSweep(rows, out + "/sweep/", templ, true);
        const double pythonRound =
            TimeCommand("python3 " VARNOLET_BENCH_DIR "/sweep_reference.py " + root + "/in " + out +
                        "/ref " + templ);
        sweep = std::min(sweep, sweepRound);
        python = std::min(python, pythonRound);
        ratios.push_back(sweepRound / pythonRound);
        sweepBig = std::min(sweepBig, TimeSweep({big}, out + "/big/", "", false));
        cp = std::min(cp, TimeCommand("cp " + big + " " + out + "/cp/big.txt"));
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("%d files of 4 KiB, best of %d: sweep %.3f s, python %.3f s, ratio %.2fx, "
                "median of the rounds' ratios %.2fx (target <= 1.0x)\n",
                count, kRounds, sweep, python, sweep / python, ratios[ratios.size() / 2]);
    std::printf("one 64 MiB file, best of %d: sweep %.3f s, cp %.3f s, ratio %.2fx\n", kRounds,
                sweepBig, cp, sweepBig / cp);

    Run("rm -rf " + root);
    return 0;
}
