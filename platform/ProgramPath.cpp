#include "platform/ProgramPath.h"

#include <climits>
#include <unistd.h>

namespace varnolet::platform {
namespace {

std::string& ArgumentZero() {
    static std::string argumentZero;
    return argumentZero;
}

} // namespace

void RecordProgramArguments(int argc, char** argv) {
    ArgumentZero() = argc > 0 && argv[0] ? argv[0] : "";
}

std::string ProgramArgumentZero() { return ArgumentZero(); }

std::string RunningExecutablePath() {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

} // namespace varnolet::platform
