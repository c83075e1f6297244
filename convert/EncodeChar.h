#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnolet {

/// The text that stands for one input byte in the HTML output. bSpaces renders
/// spaces through the table, bBreaks renders CR, FF and LF as "<br />\n",
/// bNumeric picks the numeric references. Pure.
std::string EncodeChar(unsigned char ch, bool bSpaces, bool bBreaks, bool bNumeric);

/// The longest text EncodeChar gives for one byte.
inline constexpr std::size_t nMaxEncodedSize = 8;

/// The encodings of all 256 bytes under one flag combination, each in a fixed
/// slot so that a block encodes without a branch or an allocation per byte.
struct ByteEncodings {
    std::array<std::array<char, nMaxEncodedSize>, 256> text{};
    std::array<std::uint8_t, 256> size{};

    std::string_view Of(unsigned char ch) const { return {text[ch].data(), size[ch]}; }
};

/// The table for a flag combination, derived once from EntityTable.
const ByteEncodings& EncodingsFor(bool bSpaces, bool bBreaks, bool bNumeric);

/// The same table as a text-mode stream writes it: every LF already CR LF, so
/// that a block goes to disk without a second pass over it.
const ByteEncodings& TextModeEncodingsFor(bool bSpaces, bool bBreaks, bool bNumeric);

/// Encodes every byte of `in` into `out`, which must hold
/// nMaxEncodedSize * in.size() bytes; returns the bytes written.
std::size_t EncodeBlock(std::string_view in, const ByteEncodings& codes, char* out);

} // namespace varnolet
