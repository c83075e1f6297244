#include "convert/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "convert/TextStream.h"
#include "platform/FileDescriptor.h"

namespace varnolet {
namespace {

// Room for a final line end and a short wrapper added in place by the caller.
constexpr std::size_t kSlack = 64;

} // namespace

bool ReadTextLines(const std::string& path, std::string& text) {
    text.clear();
    platform::UniqueFd fd = platform::OpenFile(path.c_str(), O_RDONLY);
    if (!fd.IsOpen()) {
        return false;
    }
    // Sized once: growing a large text step by step costs more than reading it.
    struct stat st {};
    if (::fstat(fd.Get(), &st) == 0 && st.st_size > 0) {
        text.reserve(static_cast<std::size_t>(st.st_size) + kSlack);
    }
    TextReader reader(fd.Get());
    std::string_view chunk;
    do {
        if (!reader.Next(chunk)) {
            return false;
        }
        text.append(chunk);
    } while (!chunk.empty());
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    return fd.Close();
}

bool WriteText(int fd, std::string_view text) {
    TextWriter writer(fd);
    return writer.Write(text) && writer.Flush();
}

} // namespace varnolet
