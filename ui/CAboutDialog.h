#pragma once

#include <QDialog>

class QLabel;

namespace varnolet {

/// The About box: the program's picture above a separator and an OK button.
/// Enter and Escape close it as the button does.
class CAboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    /// The picture as drawn into the box, 300 x 250 pixels.
    static QPixmap Picture();

private:
    void OnInitDialog();
};

} // namespace varnolet
