#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace varnolet::platform {

/// Paths and texts are bytes; QString is only for showing them. Valid UTF-8
/// shows as itself; every other byte shows as a stand-in character that
/// FromDisplay turns back into it, so FromDisplay(ToDisplay(b)) == b for any
/// bytes b, and a file name that is not UTF-8 survives a text field.
QString ToDisplay(std::string_view bytes);
std::string FromDisplay(const QString& text);

} // namespace varnolet::platform
