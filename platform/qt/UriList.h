#pragma once

#include <optional>
#include <string>
#include <string_view>

class QMimeData;

namespace varnolet::platform {

/// The local path of the first item of a text/uri-list text, decoded byte for
/// byte (so names that are not valid UTF-8 survive); empty when the first item
/// is not a local file URL.
std::optional<std::string> FirstLocalPathInUriList(std::string_view uriList);

/// The same for a drop's data; empty when it carries no text/uri-list.
std::optional<std::string> FirstDroppedPath(const QMimeData& data);

} // namespace varnolet::platform
