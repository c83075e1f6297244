// Times the sweep against plain tools, side by side in one run:
//   10,000 files of 4 KiB through a template, against bench/sweep_reference.py;
//   one 64 MiB file, against cp.
// usage: bench_sweep [FILE_COUNT]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "convert/Sweep.h"

namespace {

using Clock = std::chrono::steady_clock;

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

double TimeCommand(const std::string& command) {
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
    for (const char* sub : {"/in", "/out", "/ref", "/big", "/cp"}) {
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

    const double sweep = TimeSweep(rows, root + "/out/", templ, true);
    const double python = TimeCommand("python3 " VARNOLET_BENCH_DIR "/sweep_reference.py " + root +
                                      "/in " + root + "/ref " + templ);
    std::printf("%d files of 4 KiB: sweep %.3f s, python %.3f s, ratio %.2fx\n", count, sweep,
                python, sweep / python);

    const std::string big = root + "/big/big.txt";
    Write(big, MakeText(64u << 20));
    const double sweepBig = TimeSweep({big}, root + "/out/", "", false);
    const double cp = TimeCommand("cp " + big + " " + root + "/cp/big.txt");
    std::printf("one 64 MiB file: sweep %.3f s, cp %.3f s, ratio %.2fx\n", sweepBig, cp,
                sweepBig / cp);

    Run("rm -rf " + root);
    return 0;
}
