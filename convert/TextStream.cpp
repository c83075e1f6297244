#include "convert/TextStream.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

#include "platform/FileDescriptor.h"

namespace varnolet {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kSmallestBlock = 4096;

// Most files are small: a buffer the size of the file (up to a block) spares
// the allocation and page faults of a whole block per stream.
std::size_t BlockSizeFor(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return kBlockSize;
    }
    const auto wanted = static_cast<std::size_t>(st.st_size) + 1;
    return std::clamp(wanted, kSmallestBlock, kBlockSize);
}

// Drops the CR of every CR LF pair within [begin, end), compacting in place.
// Returns the new end.
char* SqueezeCrLf(char* begin, char* end) {
    char* out = begin;
    char* in = begin;
    while (in < end) {
        char* cr = static_cast<char*>(std::memchr(in, '\r', static_cast<std::size_t>(end - in)));
        char* stop = cr ? cr : end;
        if (out != in) {
            std::memmove(out, in, static_cast<std::size_t>(stop - in));
        }
        out += stop - in;
        if (!cr) {
            break;
        }
        if (cr + 1 < end && cr[1] == '\n') {
            in = cr + 1; // the LF is copied with the next run
        } else {
            *out++ = '\r';
            in = cr + 1;
        }
    }
    return out;
}

} // namespace

TextReader::TextReader(int fd)
    : m_fd(fd), m_blockSize(BlockSizeFor(fd)),
      m_buffer(std::make_unique_for_overwrite<char[]>(m_blockSize + 1)) {}

bool TextReader::Next(std::string_view& chunk) {
    chunk = {};
    while (!m_atEnd) {
        // Slot 0 carries a CR held back from the previous block.
        char* data = m_buffer.get();
        const ssize_t got = platform::ReadSome(m_fd, data + 1, m_blockSize);
        if (got < 0) {
            return false;
        }
        char* begin = data + 1;
        char* end = begin + got;
        if (got == 0) {
            m_atEnd = true;
        }
        if (m_pendingCr) {
            *--begin = '\r';
            m_pendingCr = false;
        }
        if (!m_atEnd && end > begin && end[-1] == '\r') {
            m_pendingCr = true;
            --end;
        }
        end = SqueezeCrLf(begin, end);
        if (end > begin) {
            chunk = std::string_view(begin, static_cast<std::size_t>(end - begin));
            return true;
        }
    }
    return true;
}

TextWriter::TextWriter(int fd) : m_fd(fd) {}

bool TextWriter::Write(std::string_view text) {
    while (!text.empty() && !m_failed) {
        const auto lf = text.find('\n');
        const auto run = text.substr(0, lf);
        if (!WriteRaw(run)) {
            break;
        }
        if (lf == std::string_view::npos) {
            break;
        }
        WriteRaw("\r\n");
        text.remove_prefix(lf + 1);
    }
    return !m_failed;
}

bool TextWriter::WriteRaw(std::string_view bytes) {
    if (m_buffer.size() + bytes.size() > kBlockSize && !Flush()) {
        return false;
    }
    if (bytes.size() >= kBlockSize) {
        m_failed = !platform::WriteAll(m_fd, bytes);
    } else {
        m_buffer.append(bytes);
    }
    return !m_failed;
}

bool TextWriter::Flush() {
    if (!m_failed && !m_buffer.empty()) {
        m_failed = !platform::WriteAll(m_fd, m_buffer);
    }
    m_buffer.clear();
    return !m_failed;
}

} // namespace varnolet
