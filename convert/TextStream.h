#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace varnolet {

/// Reads a descriptor in text mode, a large block at a time: each CR LF becomes
/// LF; a CR not followed by LF stays, also when the pair is split between blocks.
class TextReader {
public:
    explicit TextReader(int fd);

    /// The next translated block in `chunk`, empty at the end of the file.
    /// False on a read error.
    bool Next(std::string_view& chunk);

private:
    int m_fd;
    std::size_t m_blockSize;
    std::unique_ptr<char[]> m_buffer;
    bool m_pendingCr = false;
    bool m_atEnd = false;
};

/// Writes a descriptor in text mode, each LF as CR LF, through a large buffer.
/// An error sticks: every later call answers false.
class TextWriter {
public:
    explicit TextWriter(int fd);

    bool Write(std::string_view text);
    /// Bytes already in text mode, written as they are.
    bool WriteRaw(std::string_view bytes);
    bool Flush();

private:
    int m_fd;
    std::string m_buffer;
    bool m_failed = false;
};

} // namespace varnolet
