// Replays fuzz inputs (files, or folders of files) through the fuzz entry point, so
// every build checks the corpus and each input that ever crashed the parser.
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::string> InputsAt(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {};
    }
    if (!S_ISDIR(st.st_mode)) {
        return {path};
    }
    std::vector<std::string> files;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') {
                files.push_back(path + "/" + entry->d_name);
            }
        }
        ::closedir(dir);
    }
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::string> files = InputsAt(argv[i]);
        if (files.empty()) {
            std::fprintf(stderr, "no inputs at %s\n", argv[i]);
            return 1;
        }
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return 0;
}
