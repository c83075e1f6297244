#include "discovery/StringUtils.h"

namespace varnolet {

void StrMakeLower(std::string& text) {
    for (char& ch : text) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
}

std::string StrLower(std::string_view text) {
    std::string lowered(text);
    StrMakeLower(lowered);
    return lowered;
}

void StrTrimLeft(std::string& text) {
    const auto first = text.find_first_not_of(szWhitespace);
    text.erase(0, first == std::string::npos ? text.size() : first);
}

void StrTrimRight(std::string& text) {
    const auto last = text.find_last_not_of(szWhitespace);
    text.erase(last == std::string::npos ? 0 : last + 1);
}

void StrTrim(std::string& text) {
    StrTrimRight(text);
    StrTrimLeft(text);
}

std::string StrTrimmed(std::string_view text) {
    return std::string(StrTrimmedView(text));
}

std::string_view StrTrimmedView(std::string_view text) {
    const std::size_t first = text.find_first_not_of(szWhitespace);
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    return text.substr(first, text.find_last_not_of(szWhitespace) - first + 1);
}

} // namespace varnolet
