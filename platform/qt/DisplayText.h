#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace varnolet::platform {

/// Paths and texts are bytes; QString is only for showing them. These cross
/// the boundary the way file names are decoded and encoded on this system.
QString ToDisplay(std::string_view bytes);
std::string FromDisplay(const QString& text);

} // namespace varnolet::platform
