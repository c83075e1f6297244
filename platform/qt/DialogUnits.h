#pragma once

#include <QRect>

class QFont;

namespace varnolet::platform {

/// Converts a dialog template's units to pixels with the dialog font's own
/// metrics: a horizontal unit is a quarter of the average character width, a
/// vertical unit an eighth of the character height.
class DialogUnits final {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int averageCharWidth, int charHeight);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    int m_nCharWidth;
    int m_nCharHeight;
};

} // namespace varnolet::platform
