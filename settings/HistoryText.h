#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnolet {

/// The stored form of a drop-down list: every entry followed by "|", in list order.
std::string GetHistoryText(const std::vector<std::string>& entries);

/// Cuts a stored history into entries: every piece followed by "|" is an entry,
/// empty ones included; the piece after the last "|" only when it is not empty.
std::vector<std::string> SplitHistoryText(std::string_view text);

} // namespace varnolet
