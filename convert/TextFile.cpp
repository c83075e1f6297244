#include "convert/TextFile.h"

#include <fcntl.h>

#include "convert/TextStream.h"
#include "platform/FileDescriptor.h"

namespace varnolet {

bool ReadTextLines(const std::string& path, std::string& text) {
    text.clear();
    platform::UniqueFd fd = platform::OpenFile(path.c_str(), O_RDONLY);
    if (!fd.IsOpen()) {
        return false;
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

bool WriteTextFile(const std::string& path, std::string_view text) {
    platform::UniqueFd fd = platform::OpenFile(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!fd.IsOpen()) {
        return false;
    }
    TextWriter writer(fd.Get());
    const bool written = writer.Write(text) && writer.Flush();
    return fd.Close() && written;
}

} // namespace varnolet
