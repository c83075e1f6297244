#include "platform/qt/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace varnolet::platform {

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(QFontMetrics(font).averageCharWidth(), QFontMetrics(font).height()) {}

DialogUnits::DialogUnits(int averageCharWidth, int charHeight)
    : m_nCharWidth(averageCharWidth), m_nCharHeight(charHeight) {}

// Rounded to the nearest pixel, as the window system rounds its own conversion.
int DialogUnits::X(int units) const {
    return (units * m_nCharWidth + 2) / 4;
}

int DialogUnits::Y(int units) const {
    return (units * m_nCharHeight + 4) / 8;
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    // Both edges are converted, so neighbouring controls keep their gaps.
    const int left = X(x);
    const int top = Y(y);
    return {left, top, X(x + width) - left, Y(y + height) - top};
}

} // namespace varnolet::platform
