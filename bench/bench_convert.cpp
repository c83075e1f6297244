// Times the command-line conversion of a 64 MiB Latin-1 text against cp and
// against recode latin1..html, side by side in one run, and prints the ratios.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr std::size_t kSize = 64u << 20;
constexpr int kRounds = 3;

std::string MakeText() {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> percent(0, 999);
    const char reserved[] = "<>&\"";
    std::string text;
    text.reserve(kSize + 2);
    while (text.size() < kSize) {
        const int p = percent(random);
        if (p < 60) {
            text += reserved[random() % 4];
        } else if (p < 100) {
            text += static_cast<char>(0xA1 + random() % 95);
        } else if (p < 115) {
            text += "\r\n";
        } else {
            text += static_cast<char>('a' + random() % 26);
        }
    }
    return text;
}

// Best of a few rounds, in seconds.
double Time(const std::string& command) {
    double best = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
            return -1;
        }
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_convert.XXXXXX";
    if (!::mkdtemp(folder.data())) {
        return 1;
    }
    const std::string in = folder + "/in.txt";
    const std::string text = MakeText();
    if (FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    const double mib = static_cast<double>(text.size()) / (1 << 20);
    const double varnolet = Time(std::string("'") + VARNOLET_BINARY + "' '" + in + "'");
    const double cp = Time("cp '" + in + "' '" + folder + "/copy'");
    const double recode = Time("recode latin1..html < '" + in + "' > '" + folder + "/recoded'");
    std::system(("rm -rf '" + folder + "'").c_str());
    if (varnolet <= 0 || cp <= 0 || recode <= 0) {
        return 1;
    }
    std::printf("input %.0f MiB, best of %d rounds\n", mib, kRounds);
    std::printf("varnolet FILE   %7.3f s  %7.1f MiB/s\n", varnolet, mib / varnolet);
    std::printf("cp              %7.3f s  %7.1f MiB/s\n", cp, mib / cp);
    std::printf("recode          %7.3f s  %7.1f MiB/s\n", recode, mib / recode);
    std::printf("throughput varnolet / recode: %.2fx (target 8x)\n", recode / varnolet);
    std::printf("throughput varnolet / cp:     %.3fx\n", cp / varnolet);
    return 0;
}
