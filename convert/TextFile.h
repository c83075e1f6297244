#pragma once

#include <string>
#include <string_view>

namespace varnolet {

/// Reads a file in text mode (each CR LF becomes LF) line by line: every line,
/// a last one without a line end included, is followed by one LF in `text`.
/// False when the file cannot be opened or read.
bool ReadTextLines(const std::string& path, std::string& text);

/// Writes `text` in text mode (each LF becomes CR LF) to an open file at its
/// current offset. False when any write fails.
bool WriteText(int fd, std::string_view text);

} // namespace varnolet
