#include "discovery/FilterText.h"

#include <algorithm>
#include <vector>

#include "discovery/StringUtils.h"

namespace varnolet {
namespace {

constexpr std::string_view kNoExtensionToken = "-?";

/// Pieces between commas, trimmed, empty ones left out.
std::vector<std::string> SplitPieces(std::string_view text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            comma = text.size();
        }
        std::string piece = StrTrimmed(text.substr(start, comma - start));
        if (!piece.empty()) {
            pieces.push_back(std::move(piece));
        }
        start = comma + 1;
    }
    return pieces;
}

/// Sorted by byte value (std::string compares as unsigned bytes), repeats
/// removed, joined with ", ".
std::string JoinSortedUnique(std::vector<std::string> pieces) {
    std::sort(pieces.begin(), pieces.end());
    pieces.erase(std::unique(pieces.begin(), pieces.end()), pieces.end());
    std::string joined;
    for (const std::string& piece : pieces) {
        if (!joined.empty()) {
            joined += ", ";
        }
        joined += piece;
    }
    return joined;
}

} // namespace

std::string ReplaceChars(std::string_view text, char ch, std::string_view set) {
    std::string result(text);
    for (char& c : result) {
        if (set.find(c) != std::string_view::npos) {
            c = ch;
        }
    }
    return result;
}

std::string NormalizeKeywords(std::string_view text) {
    return JoinSortedUnique(SplitPieces(text));
}

std::string NormalizeExtensions(std::string_view text) {
    std::vector<std::string> kept;
    for (std::string& piece : SplitPieces(text)) {
        if (piece != kNoExtensionToken &&
            piece.find_first_of(szInvalidChars) != std::string::npos) {
            continue;
        }
        StrMakeLower(piece);
        kept.push_back(std::move(piece));
    }
    return JoinSortedUnique(std::move(kept));
}

} // namespace varnolet
