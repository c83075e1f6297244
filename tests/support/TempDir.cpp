#include "tests/support/TempDir.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <ftw.h>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace varnolet::test {
namespace {

int MakeWritable(const char* path, const struct stat* st, int type, struct FTW*) {
    if (type == FTW_D || type == FTW_DNR) {
        ::chmod(path, (st->st_mode & 07777) | S_IRWXU);
    }
    return 0;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
}

} // namespace

TempDir::TempDir() {
    std::string pattern = platform::GetTempFolderPath() + "test.XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern + "/";
}

TempDir::~TempDir() {
    ::nftw(m_path.c_str(), MakeWritable, 64, FTW_PHYS);
    ::nftw(m_path.c_str(), RemoveEntry, 64, FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::operator/(std::string_view name) const { return m_path + std::string(name); }

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool PermissionsEnforced() { return ::geteuid() != 0; }

} // namespace varnolet::test
