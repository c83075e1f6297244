#include "platform/qt/UriList.h"
#include "platform/HexDigit.h"

#include <QByteArray>
#include <QMimeData>

namespace varnolet::platform {
namespace {

constexpr std::string_view kUriListType = "text/uri-list";
constexpr std::string_view kFileScheme = "file://";

std::string PercentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        bytes += text[i];
    }
    return bytes;
}

/// The first line that is neither empty nor a comment, without its line end.
std::string_view FirstItem(std::string_view list) {
    while (!list.empty()) {
        std::size_t end = list.find('\n');
        std::string_view line = list.substr(0, end);
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.front() != '#') {
            return line;
        }
    }
    return {};
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> FirstLocalPathInUriList(std::string_view uriList) {
    std::string_view item = FirstItem(uriList);
    if (!StartsWithNoCase(item, kFileScheme)) {
        return std::nullopt;
    }
    item.remove_prefix(kFileScheme.size());
    // file:///path has an empty host; file://localhost/path names this machine.
    const std::size_t slash = item.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view host = item.substr(0, slash);
    if (!host.empty() && !(host.size() == 9 && StartsWithNoCase(host, "localhost"))) {
        return std::nullopt;
    }
    std::string path = PercentDecoded(item.substr(slash));
    // A decoded NUL would cut the path short at the first system call.
    if (path.empty() || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> FirstDroppedPath(const QMimeData& data) {
    const QString type =
        QString::fromLatin1(kUriListType.data(), static_cast<qsizetype>(kUriListType.size()));
    if (!data.hasFormat(type)) {
        return std::nullopt;
    }
    const QByteArray list = data.data(type);
    return FirstLocalPathInUriList(
        std::string_view(list.constData(), static_cast<std::size_t>(list.size())));
}

} // namespace varnolet::platform
