#include "ui/CAboutDialog.h"

#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>

#include "platform/qt/DialogUnits.h"

// The picture lives in a static library, whose resource initialiser nothing
// would otherwise pull into the program.
static void InitAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace varnolet {
namespace {

constexpr int kPictureWidth = 300;
constexpr int kPictureHeight = 250;

// The box's template, in dialog units.
constexpr int kBoxWidth = 173;
constexpr int kBoxHeight = 167;
struct UnitRect {
    int x, y, width, height;
};
constexpr UnitRect kPictureRect{1, 1, 171, 144};
constexpr UnitRect kSeparatorRect{1, 147, 171, 1};
// The button sits centred in the strip below the separator.
constexpr UnitRect kOkRect{61, 151, 50, 14};

QRect ToPixels(const platform::DialogUnits& units, const UnitRect& r) {
    return units.Rect(r.x, r.y, r.width, r.height);
}

} // namespace

QPixmap CAboutDialog::Picture() {
    InitAboutResources();
    // Rendered into an opaque image: the picture is a plain 24-bit one.
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/about/about.svg"));
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, kPictureWidth, kPictureHeight));
    painter.end();
    return QPixmap::fromImage(image);
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    OnInitDialog();
}

void CAboutDialog::OnInitDialog() {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Varnolet"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Courier New"), 8);
    setFont(font);
    const platform::DialogUnits units(font);
    setFixedSize(units.X(kBoxWidth), units.Y(kBoxHeight));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("aboutPicture"));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(Picture());
    picture->setGeometry(ToPixels(units, kPictureRect));

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("aboutSeparator"));
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(ToPixels(units, kSeparatorRect));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setGeometry(ToPixels(units, kOkRect));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace varnolet
