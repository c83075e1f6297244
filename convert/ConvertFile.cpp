#include "convert/ConvertFile.h"

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "convert/EncodeChar.h"
#include "convert/FileOperations.h"
#include "convert/TextStream.h"
#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"
#include "platform/TempFileCleanup.h"

namespace varnolet {
namespace {

constexpr std::uint8_t kTempNameLength = 8;
constexpr std::uint8_t kTempExtensionLength = 3;

// The private copy of the input: wiped and removed on every way out.
class TempCopy {
public:
    TempCopy() : m_file(CreateTempFile(kTempNameLength, kTempExtensionLength)) {}
    ~TempCopy() { Discard(); }
    TempCopy(const TempCopy&) = delete;
    TempCopy& operator=(const TempCopy&) = delete;

    bool IsOpen() const { return m_file.fd.IsOpen(); }
    int Fd() const { return m_file.fd.Get(); }

    /// True when no copy remains.
    bool Discard() {
        if (m_file.path.empty()) {
            return true;
        }
        // Wiped through the descriptor still open on it: the copy is ours and
        // writable, so reopening it by name would only cost a lookup.
        const bool zeroed = ZeroOpenFile(m_file.fd.Get());
        const bool closed = m_file.fd.Close();
        // From the removal on, the name may be anybody's: the signal handler
        // must not wipe it any more.
        platform::CleanupSignalBlock block;
        bool gone = zeroed && closed ? platform::RemoveFile(m_file.path) : WipeFile(m_file.path, 1);
        if (!gone) {
            gone = ::unlink(m_file.path.c_str()) == 0;
        }
        platform::UnregisterTempFile();
        m_file.path.clear();
        return gone;
    }

private:
    TempFile m_file;
};

// Copies an open input into the private copy and rewinds the copy. The input is
// checked on the open file: the path may have changed since anyone looked at it.
bool FillCopy(int sourceFd, int copyFd) {
    struct stat st {};
    if (::fstat(sourceFd, &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    return CopyDescriptor(sourceFd, copyFd) && ::lseek(copyFd, 0, SEEK_SET) == 0;
}

bool FillCopy(const std::string& input, int copyFd) {
    platform::UniqueFd source = platform::OpenFile(input.c_str(), O_RDONLY | O_NONBLOCK);
    return source.IsOpen() && FillCopy(source.Get(), copyFd);
}

// Text written before and after the escaped text, already in text mode.
struct Frame {
    std::string_view head;
    std::string_view tail;
    bool endLastLine = false; ///< a last line without a line end gets one
};

constexpr Frame kNoFrame{};
constexpr Frame kLinesFrame{"", "", true};
constexpr Frame kPreFrame{"<pre>\r\n", "</pre>", true};

bool WriteTail(TextWriter& out, const Frame& frame, bool wroteText, char lastByte) {
    if (frame.endLastLine && wroteText && lastByte != '\n' && !out.WriteRaw("\r\n")) {
        return false;
    }
    return out.WriteRaw(frame.tail);
}

// Reads the copy in text mode and writes it escaped inside its frame. The table
// already holds the text-mode line ends, so blocks go out unchanged.
bool Encode(int inFd, TextWriter& out, const ByteEncodings& codes, const Frame& frame) {
    if (!out.WriteRaw(frame.head)) {
        return false;
    }
    TextReader reader(inFd);
    std::unique_ptr<char[]> encoded;
    std::size_t capacity = 0;
    bool wroteText = false;
    char lastByte = '\0';
    std::string_view chunk;
    for (;;) {
        if (!reader.Next(chunk)) {
            return false;
        }
        if (chunk.empty()) {
            return WriteTail(out, frame, wroteText, lastByte);
        }
        if (capacity < chunk.size() * nMaxEncodedSize) {
            capacity = chunk.size() * nMaxEncodedSize;
            encoded = std::make_unique_for_overwrite<char[]>(capacity);
        }
        const std::size_t size = EncodeBlock(chunk, codes, encoded.get());
        if (size == 0) {
            continue;
        }
        if (!out.WriteRaw(std::string_view(encoded.get(), size))) {
            return false;
        }
        wroteText = true;
        lastByte = encoded[size - 1];
    }
}

bool Encode(int inFd, int outFd, const ByteEncodings& codes, const Frame& frame) {
    TextWriter out(outFd);
    const bool encoded = Encode(inFd, out, codes, frame);
    return out.Flush() && encoded;
}

// The page's pieces in text mode with the escaped text between each two; the
// copy is read again for every gap.
bool WritePage(int copyFd, int outFd, const ByteEncodings& codes, const PageLayout& layout) {
    const Frame& frame = layout.bPre ? kPreFrame : kLinesFrame;
    TextWriter out(outFd);
    for (std::size_t piece = 0; piece < layout.pieces.size(); ++piece) {
        if (!out.Write(layout.pieces[piece])) {
            return false;
        }
        if (piece + 1 == layout.pieces.size()) {
            break;
        }
        if (::lseek(copyFd, 0, SEEK_SET) != 0 || !Encode(copyFd, out, codes, frame)) {
            return false;
        }
    }
    return out.Flush();
}

bool ProbeAllows(const std::string& output, bool bOverwrite) {
    switch (ProbeOutputFile(output)) {
    case PROBE_EXISTS:
        return bOverwrite;
    case PROBE_CREATABLE:
        return true;
    case PROBE_NOT_CREATABLE:
        return false;
    }
    return false;
}

bool Convert(const std::string& strInput, const std::string& strOutput, const ByteEncodings& codes,
             bool bOverwrite, const Frame& frame) {
    if (!platform::IsRegularFile(strInput) || !ProbeAllows(strOutput, bOverwrite)) {
        return false;
    }
    TempCopy copy;
    if (!copy.IsOpen() || !FillCopy(strInput, copy.Fd())) {
        return false;
    }
    platform::UniqueFd output =
        platform::OpenFile(strOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!output.IsOpen()) {
        return false;
    }
    bool converted = Encode(copy.Fd(), output.Get(), codes, frame);
    converted = output.Close() && converted;
    return copy.Discard() && converted;
}

} // namespace

bool ConvertFile(std::string strInput, std::string strOutput, bool bSpaces, bool bBreaks,
                 bool bNumeric, bool bOverwrite) {
    return Convert(strInput, strOutput, TextModeEncodingsFor(bSpaces, bBreaks, bNumeric),
                   bOverwrite, kNoFrame);
}

bool ConvertIntoPage(int inputFd, int outputFd, bool bSpaces, bool bBreaks, bool bNumeric,
                     const PageLayout& layout) {
    TempCopy copy;
    if (!copy.IsOpen() || !FillCopy(inputFd, copy.Fd())) {
        return false;
    }
    const bool written =
        WritePage(copy.Fd(), outputFd, TextModeEncodingsFor(bSpaces, bBreaks, bNumeric), layout);
    return copy.Discard() && written;
}

bool ConvertFileToPre(const std::string& strInput, const std::string& strOutput, bool bOverwrite) {
    return Convert(strInput, strOutput, TextModeEncodingsFor(false, false, false), bOverwrite,
                   kPreFrame);
}

} // namespace varnolet
