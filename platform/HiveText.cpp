#include "platform/HiveText.h"

#include "platform/HiveKey.h"
#include "platform/HexDigit.h"

#include <cstdint>
#include <vector>

namespace varnolet::platform {
namespace {

constexpr std::uint32_t kTypeString = 1;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeNumber = 4;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHexKeyPrefix = "hex:";
constexpr std::size_t kHexLineWidth = 77;
constexpr char kDigits[] = "0123456789abcdef";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

/// Walks the text line by line; a line is handed out without its LF and one CR before it.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& line) {
        if (m_pos >= m_text.size()) {
            return false;
        }
        const std::size_t end = m_text.find('\n', m_pos);
        m_terminated = end != std::string_view::npos;
        line = m_text.substr(m_pos, m_terminated ? end - m_pos : std::string_view::npos);
        m_pos = m_terminated ? end + 1 : m_text.size();
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }
    /// Whether the line last handed out ended with a line feed.
    bool Terminated() const { return m_terminated; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_terminated = true;
};

/// A cursor over one line, with the reader behind it for continued hex lists.
class Cursor {
public:
    Cursor(std::string_view line, LineReader& reader) : m_line(line), m_reader(reader) {}

    void SkipBlanks() {
        while (m_pos < m_line.size() && IsBlank(m_line[m_pos])) {
            ++m_pos;
        }
    }
    bool AtEnd() const { return m_pos >= m_line.size(); }
    char Peek() const { return m_line[m_pos]; }
    bool Take(char c) {
        if (AtEnd() || m_line[m_pos] != c) {
            return false;
        }
        ++m_pos;
        return true;
    }
    bool TakeWord(std::string_view word) {
        if (m_line.substr(m_pos, word.size()) != word) {
            return false;
        }
        m_pos += word.size();
        return true;
    }
    /// Only blanks are left on the line.
    bool RestBlank() {
        SkipBlanks();
        return AtEnd();
    }
    /// Moves to the next line, for a hex list continued with a backslash.
    bool Continue() {
        if (!m_reader.Terminated() || !m_reader.Next(m_line)) {
            return false;
        }
        m_pos = 0;
        SkipBlanks();
        return true;
    }

    bool ReadQuoted(std::string& out, bool isName);
    bool ReadHexBytes(std::string& out, bool mayContinue);
    bool ReadHexNumber(std::size_t minDigits, std::size_t maxDigits, std::uint32_t& number);

private:
    std::string_view m_line;
    LineReader& m_reader;
    std::size_t m_pos = 0;
};

bool Cursor::ReadQuoted(std::string& out, bool isName) {
    if (!Take('"')) {
        return false;
    }
    while (!AtEnd()) {
        const char c = m_line[m_pos++];
        if (c == '"') {
            return true;
        }
        if (c != '\\' || AtEnd()) {
            out += c;
            continue;
        }
        const char next = m_line[m_pos++];
        if (next == '\\' || next == '"') {
            out += next;
        } else if (isName && next == 'r') {
            out += '\r';
        } else if (isName && next == 'n') {
            out += '\n';
        } else {
            // A hand-typed "C:\Web" keeps its backslash.
            out += c;
            out += next;
        }
    }
    return false;
}

bool Cursor::ReadHexNumber(std::size_t minDigits, std::size_t maxDigits, std::uint32_t& number) {
    std::size_t count = 0;
    number = 0;
    while (!AtEnd() && HexDigit(Peek()) >= 0 && count < maxDigits) {
        number = number << 4 | static_cast<std::uint32_t>(HexDigit(m_line[m_pos++]));
        ++count;
    }
    return count >= minDigits && (AtEnd() || HexDigit(Peek()) < 0);
}

/// Comma-separated two-digit bytes; with mayContinue a backslash at the end of the
/// line carries the list on to the next one, as regedit wraps long values.
bool Cursor::ReadHexBytes(std::string& out, bool mayContinue) {
    SkipBlanks();
    if (AtEnd()) {
        return true;
    }
    while (true) {
        if (mayContinue && Take('\\')) {
            if (!RestBlank() || !Continue()) {
                return false;
            }
        }
        std::uint32_t byte = 0;
        if (!ReadHexNumber(2, 2, byte)) {
            return false;
        }
        out += static_cast<char>(byte);
        SkipBlanks();
        if (AtEnd()) {
            return true;
        }
        if (!Take(',')) {
            return false;
        }
        SkipBlanks();
    }
}

bool ParseKeyHeader(std::string_view line, LineReader& reader, HiveKey& root, HiveKey*& current) {
    while (!line.empty() && IsBlank(line.back())) {
        line.remove_suffix(1);
    }
    if (line.size() < 2 || line.back() != ']') {
        return false;
    }
    std::string_view content = line.substr(1, line.size() - 2);
    std::string decoded;
    if (content.substr(0, kHexKeyPrefix.size()) == kHexKeyPrefix) {
        Cursor cursor(content.substr(kHexKeyPrefix.size()), reader);
        if (!cursor.ReadHexBytes(decoded, false)) {
            return false;
        }
        content = decoded;
    }
    if (!EqualsFolded(content.substr(0, kHiveRootName.size()), kHiveRootName)) {
        return false;
    }
    content.remove_prefix(kHiveRootName.size());
    std::vector<std::string_view> names;
    if (!content.empty() && (content.front() != '\\' || content.size() == 1 ||
                             !SplitKeyPath(content.substr(1), names))) {
        return false;
    }
    current = &root;
    for (std::string_view name : names) {
        bool created = false;
        current = &current->MakeSubkey(name, created);
    }
    return true;
}

bool ParseValueData(Cursor& cursor, HiveValue& value, bool& hexForm) {
    hexForm = false;
    if (!cursor.AtEnd() && cursor.Peek() == '"') {
        value.nType = kTypeString;
        if (!cursor.ReadQuoted(value.data, false)) {
            return false;
        }
        value.data += '\0';
        return cursor.RestBlank();
    }
    if (cursor.TakeWord("dword:")) {
        std::uint32_t number = 0;
        if (!cursor.ReadHexNumber(8, 8, number)) {
            return false;
        }
        value.nType = kTypeNumber;
        for (int i = 0; i < 4; ++i) {
            value.data += static_cast<char>(number >> (8 * i) & 0xFF);
        }
        return cursor.RestBlank();
    }
    if (cursor.TakeWord("hex:")) {
        value.nType = kTypeBinary;
    } else if (cursor.TakeWord("hex(")) {
        if (!cursor.ReadHexNumber(1, 8, value.nType) || !cursor.TakeWord("):")) {
            return false;
        }
    } else {
        return false;
    }
    hexForm = true;
    return cursor.ReadHexBytes(value.data, true);
}

bool ParseValueLine(std::string_view line, LineReader& reader, HiveKey& key) {
    Cursor cursor(line, reader);
    std::string name;
    if (!cursor.Take('@') && !cursor.ReadQuoted(name, true)) {
        return false;
    }
    cursor.SkipBlanks();
    if (!cursor.Take('=')) {
        return false;
    }
    cursor.SkipBlanks();
    HiveValue value;
    bool hexForm = false;
    if (!ParseValueData(cursor, value, hexForm)) {
        return false;
    }
    // A hex list cut off between two bytes would still read as a list: only the
    // missing line end gives the cut away.
    if (hexForm && !reader.Terminated()) {
        return false;
    }
    key.SetValue(name, std::move(value));
    return true;
}

void AppendHexByte(std::string& out, unsigned char byte) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

void AppendQuoted(std::string& out, std::string_view text, bool isName) {
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (isName && c == '\r') {
            out += "\\r";
        } else if (isName && c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    out += '"';
}

bool FitsQuotedForm(const HiveValue& value) {
    if (value.nType != kTypeString || value.data.empty() || value.data.back() != '\0') {
        return false;
    }
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        const auto byte = static_cast<unsigned char>(value.data[i]);
        if (byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

void AppendHexData(std::string& out, const HiveValue& value, std::size_t lineStart) {
    if (value.nType == kTypeBinary) {
        out += "hex:";
    } else {
        out += "hex(";
        std::string digits;
        for (std::uint32_t n = value.nType; digits.empty() || n != 0; n >>= 4) {
            digits.insert(digits.begin(), kDigits[n & 0x0F]);
        }
        out += digits + "):";
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        if (i > 0 && out.size() - lineStart + 3 > kHexLineWidth) {
            out += "\\\r\n  ";
            lineStart = out.size() - 2;
        }
        AppendHexByte(out, static_cast<unsigned char>(value.data[i]));
        if (i + 1 < value.data.size()) {
            out += ',';
        }
    }
}

void AppendValue(std::string& out, const std::string& name, const HiveValue& value) {
    const std::size_t lineStart = out.size();
    if (name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, name, true);
    }
    out += '=';
    if (FitsQuotedForm(value)) {
        AppendQuoted(out, std::string_view(value.data).substr(0, value.data.size() - 1), false);
    } else if (value.nType == kTypeNumber && value.data.size() == 4) {
        out += "dword:";
        for (int i = 3; i >= 0; --i) {
            AppendHexByte(out, static_cast<unsigned char>(value.data[i]));
        }
    } else {
        AppendHexData(out, value, lineStart);
    }
    out += "\r\n";
}

void AppendKeyHeader(std::string& out, const std::string& path) {
    out += "\r\n[";
    if (path.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
        out += path;
    } else {
        // Line ends cannot stand in a bracketed name; the hex form carries any byte.
        out += kHexKeyPrefix;
        for (std::size_t i = 0; i < path.size(); ++i) {
            AppendHexByte(out, static_cast<unsigned char>(path[i]));
            if (i + 1 < path.size()) {
                out += ',';
            }
        }
    }
    out += "]\r\n";
}

void AppendKey(std::string& out, const std::string& path, const HiveKey& key, bool isRoot) {
    if (!isRoot || !key.Values().empty()) {
        AppendKeyHeader(out, path);
        for (const auto& [folded, named] : key.Values()) {
            AppendValue(out, named.name, named.value);
        }
    }
    for (const auto& [folded, sub] : key.Subkeys()) {
        AppendKey(out, path + '\\' + sub.name, *sub.key, false);
    }
}

} // namespace

bool ParseHive(std::string_view text, HiveKey& root) {
    if (text.empty()) {
        return true;
    }
    if (text.find('\0') != std::string_view::npos) {
        return false;
    }
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    LineReader reader(text);
    std::string_view line;
    if (!reader.Next(line) || line != kHiveHeader) {
        return false;
    }
    HiveKey* current = nullptr;
    while (reader.Next(line)) {
        std::size_t start = 0;
        while (start < line.size() && IsBlank(line[start])) {
            ++start;
        }
        line.remove_prefix(start);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        const bool ok = line.front() == '['
                            ? ParseKeyHeader(line, reader, root, current)
                            : current != nullptr && ParseValueLine(line, reader, *current);
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::string FormatHive(const HiveKey& root) {
    std::string out(kHiveHeader);
    out += "\r\n";
    AppendKey(out, std::string(kHiveRootName), root, true);
    return out;
}

} // namespace varnolet::platform
