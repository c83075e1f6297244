#include "convert/ConvertFile.h"

#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "convert/EncodeChar.h"
#include "convert/FileOperations.h"
#include "convert/ScratchCopy.h"
#include "convert/TextStream.h"
#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"

namespace varnolet {
namespace {

// Checked again on the open file: the path may have changed since the probe.
bool FillCopy(const std::string& input, ScratchCopy& copy) {
    platform::UniqueFd source = platform::OpenRegularFile(input.c_str());
    return source.IsOpen() && copy.Fill(source.Get());
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
    ScratchCopy copy;
    if (!FillCopy(strInput, copy)) {
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

bool ConvertIntoPage(ScratchCopy& copy, int inputFd, int outputFd, bool bSpaces, bool bBreaks,
                     bool bNumeric, const PageLayout& layout) {
    if (!copy.Fill(inputFd)) {
        return false;
    }
    const bool written =
        WritePage(copy.Fd(), outputFd, TextModeEncodingsFor(bSpaces, bBreaks, bNumeric), layout);
    return copy.Wipe() && written;
}

bool ConvertFileToPre(const std::string& strInput, const std::string& strOutput, bool bOverwrite) {
    return Convert(strInput, strOutput, TextModeEncodingsFor(false, false, false), bOverwrite,
                   kPreFrame);
}

} // namespace varnolet
