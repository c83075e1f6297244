#include "settings/HistoryText.h"

namespace varnolet {

std::string GetHistoryText(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        text += entry;
        text += '|';
    }
    return text;
}

std::vector<std::string> SplitHistoryText(std::string_view text) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t bar = text.find('|'); bar != std::string_view::npos;
         bar = text.find('|', start)) {
        entries.emplace_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    if (start < text.size()) {
        entries.emplace_back(text.substr(start));
    }
    return entries;
}

} // namespace varnolet
