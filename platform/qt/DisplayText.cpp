#include "platform/qt/DisplayText.h"

#include <QByteArray>
#include <QFile>

namespace varnolet::platform {

QString ToDisplay(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string FromDisplay(const QString& text) {
    const QByteArray bytes = QFile::encodeName(text);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace varnolet::platform
