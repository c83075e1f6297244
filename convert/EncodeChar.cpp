#include "convert/EncodeChar.h"

#include <cstring>
#include <string>

#include "convert/EntityTable.h"

namespace varnolet {
namespace {

constexpr unsigned kSpace = 0x20;
constexpr unsigned kCr = 0x0D;
constexpr unsigned kFf = 0x0C;
constexpr unsigned kLf = 0x0A;

void SetSlot(ByteEncodings& codes, unsigned ch, std::string_view text) {
    std::memcpy(codes.text[ch].data(), text.data(), text.size());
    codes.size[ch] = static_cast<std::uint8_t>(text.size());
}

// The rules in order: a plain space, a plain line end, the table, the byte itself.
ByteEncodings Derive(bool bSpaces, bool bBreaks, bool bNumeric) {
    ByteEncodings codes;
    for (unsigned ch = 0; ch < 256; ++ch) {
        const char self = static_cast<char>(ch);
        SetSlot(codes, ch, std::string_view(&self, 1));
    }
    for (std::size_t row = nEntityCount; row-- > 0;) {
        const EntityEntry& entry = EntityTable[row];
        SetSlot(codes, static_cast<std::uint8_t>(entry.nCode),
                bNumeric ? entry.szNumeric : entry.szNamed);
    }
    if (!bSpaces) {
        SetSlot(codes, kSpace, " ");
    }
    if (!bBreaks) {
        for (unsigned ch : {kCr, kFf, kLf}) {
            SetSlot(codes, ch, "\n");
        }
    }
    return codes;
}

ByteEncodings InTextMode(const ByteEncodings& codes) {
    ByteEncodings written;
    for (unsigned ch = 0; ch < 256; ++ch) {
        std::string text;
        for (const char c : codes.Of(static_cast<unsigned char>(ch))) {
            text += c == '\n' ? "\r\n" : std::string(1, c);
        }
        SetSlot(written, ch, text);
    }
    return written;
}

struct AllEncodings {
    std::array<ByteEncodings, 8> byFlags;
    std::array<ByteEncodings, 8> textMode;
    AllEncodings() {
        for (unsigned flags = 0; flags < 8; ++flags) {
            byFlags[flags] = Derive(flags & 1, flags & 2, flags & 4);
            textMode[flags] = InTextMode(byFlags[flags]);
        }
    }
};

const AllEncodings& All() {
    static const AllEncodings all;
    return all;
}

unsigned FlagIndex(bool bSpaces, bool bBreaks, bool bNumeric) {
    return (bSpaces ? 1 : 0) | (bBreaks ? 2 : 0) | (bNumeric ? 4 : 0);
}

} // namespace

const ByteEncodings& EncodingsFor(bool bSpaces, bool bBreaks, bool bNumeric) {
    return All().byFlags[FlagIndex(bSpaces, bBreaks, bNumeric)];
}

const ByteEncodings& TextModeEncodingsFor(bool bSpaces, bool bBreaks, bool bNumeric) {
    return All().textMode[FlagIndex(bSpaces, bBreaks, bNumeric)];
}

std::string EncodeChar(unsigned char ch, bool bSpaces, bool bBreaks, bool bNumeric) {
    return std::string(EncodingsFor(bSpaces, bBreaks, bNumeric).Of(ch));
}

std::size_t EncodeBlock(std::string_view in, const ByteEncodings& codes, char* out) {
    char* start = out;
    for (const char c : in) {
        const auto ch = static_cast<unsigned char>(c);
        // Every slot is copied whole; only its own length counts.
        std::memcpy(out, codes.text[ch].data(), nMaxEncodedSize);
        out += codes.size[ch];
    }
    return static_cast<std::size_t>(out - start);
}

} // namespace varnolet
