#include "platform/qt/DisplayText.h"

#include <cstdint>

namespace varnolet::platform {
namespace {

// A byte that is not part of valid UTF-8 is shown as the lone low surrogate
// U+DC80..U+DCFF carrying it, and turned back into that byte: any file name
// survives the trip through a text field, and valid UTF-8 shows as itself.
constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;
constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at`, 0 when there is none
// (overlong forms, encoded surrogates and values past U+10FFFF included).
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(bytes[at + i]))) {
            return 0;
        }
    }
    return length;
}

char32_t DecodeSequence(std::string_view bytes, std::size_t at, std::size_t length) {
    constexpr unsigned char kLeadMasks[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(bytes[at]) & kLeadMasks[length];
    for (std::size_t i = 1; i < length; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
    }
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

QString ToDisplay(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            text += QChar(byte);
            ++at;
        } else if (const std::size_t length = SequenceLength(bytes, at)) {
            const char32_t code = DecodeSequence(bytes, at, length);
            text += QString::fromUcs4(&code, 1);
            at += length;
        } else {
            text += QChar(static_cast<char16_t>(kEscapeBase + byte));
            ++at;
        }
    }
    return text;
}

std::string FromDisplay(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at].unicode();
        if (QChar::isHighSurrogate(unit) && at + 1 < text.size() &&
            QChar::isLowSurrogate(text[at + 1].unicode())) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(unit, text[at + 1].unicode()));
            ++at;
        } else if (unit >= kFirstEscape && unit <= kLastEscape) {
            bytes += static_cast<char>(unit - kEscapeBase);
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(bytes, kReplacement); // typed, never made by ToDisplay
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

} // namespace varnolet::platform
