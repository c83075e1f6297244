#include "ui/CSweepDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "platform/qt/DialogUnits.h"
#include "ui/FileListModel.h"
#include "ui/FileListView.h"
#include "ui/SettingsBinding.h"
#include "ui/SweepResources.h"
#include "ui/SweepTemplate.h"

namespace varnolet {
namespace {

constexpr char kCaption[] = "Varnolet v1.0.65";
constexpr QSize kIconSize(32, 32);

struct ButtonTip {
    const char* objectName;
    const char* tip;
};

constexpr ButtonTip kToolTips[] = {
    {"btnBrowseOutput", "Output Folder (F5)"},
    {"btnBrowseTemplate", "Template (F6)"},
    {"btnAddFile", "Add File (F3)"},
    {"btnAddFolder", "Add Folder (F4)"},
    {"btnRemoveItem", "Remove Item (F11)"},
    {"btnRemoveAll", "Remove All (F12)"},
    {"btnSweep", "Sweep (F8)"},
    {"btnExit", "Exit (Ctrl+Q or Escape)"},
    {"btnClearOutput", "Clear Output"},
    {"btnClearTemplate", "Clear Template"},
    {"btnClearKeywords", "Clear Keywords"},
    {"btnClearExtensions", "Clear Extensions"},
};

QFont DialogFont() {
    // fontconfig maps the name to Liberation Mono, which has the same metrics.
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QComboBox* MakeCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // The history changes only through its own commands: Enter must not add the
    // text, and no completion may rewrite what the user types.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(8);
    combo->setDuplicatesEnabled(true);
    return combo;
}

QPushButton* MakeButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setAutoDefault(true);
    return button;
}

QPushButton* MakeIconButton(QWidget* parent) {
    // The caption ("1" on Remove Item) stays hidden under the picture.
    auto* button = new QPushButton(parent);
    button->setIconSize(kIconSize);
    button->setAutoDefault(true);
    return button;
}

} // namespace

CSweepDialog::CSweepDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    InitSweepResources();
    m_hIcon = QIcon(SweepIconPath(IconId::App));
    setWindowTitle(QString::fromLatin1(kCaption));
    setFont(DialogFont());
    setAcceptDrops(true);
    m_model = new FileListModel(this);

    CreateMenu();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    for (const ControlEntry& entry : SweepTemplate()) {
        CreateControl(entry, client);
    }
    BindControls(client);

    const platform::DialogUnits units(font());
    const int top = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, units.X(kSweepDialogWidth), top);
    client->setGeometry(0, top, units.X(kSweepDialogWidth), units.Y(kSweepDialogHeight));
    setFixedSize(units.X(kSweepDialogWidth), top + units.Y(kSweepDialogHeight));
    OnInitDialog();
}

CSweepDialog::~CSweepDialog() = default;

QWidget* CSweepDialog::CreateControl(const ControlEntry& entry, QWidget* client) {
    QWidget* widget = nullptr;
    switch (entry.kind) {
    case ControlKind::GroupBox:
        widget = new QGroupBox(QString::fromUtf8(entry.caption), client);
        break;
    case ControlKind::Label: {
        auto* label = new QLabel(QString::fromUtf8(entry.caption), client);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    case ControlKind::ComboBox:
        widget = MakeCombo(client);
        break;
    case ControlKind::PushButton:
        widget = MakeButton(entry.caption, client);
        break;
    case ControlKind::IconButton:
        widget = MakeIconButton(client);
        break;
    case ControlKind::CheckBox:
        widget = new QCheckBox(QString::fromUtf8(entry.caption), client);
        break;
    case ControlKind::ListView:
        widget = new FileListView(client);
        break;
    }
    widget->setObjectName(QString::fromLatin1(entry.objectName));
    widget->setProperty("controlId", entry.id);
    const platform::DialogUnits units(font());
    widget->setGeometry(units.Rect(entry.x, entry.y, entry.width, entry.height));
    if (entry.kind == ControlKind::GroupBox) {
        // Frames sit beneath the controls they frame and never take a click.
        widget->lower();
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    return widget;
}

void CSweepDialog::BindControls(QWidget* client) {
    const auto combo = [client](const char* name) {
        return client->findChild<QComboBox*>(QString::fromLatin1(name));
    };
    const auto check = [client](const char* name) {
        return client->findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    const auto button = [client](const char* name) {
        return client->findChild<QPushButton*>(QString::fromLatin1(name));
    };
    m_lstFiles = client->findChild<FileListView*>(QStringLiteral("lstFiles"));
    m_cboOutput = combo("cboOutput");
    m_cboTemplate = combo("cboTemplate");
    m_cboKeywords = combo("cboKeywords");
    m_cboExtensions = combo("cboExtensions");
    m_chkSpaces = check("chkSpaces");
    m_chkNumeric = check("chkNumeric");
    m_chkPre = check("chkPre");
    m_chkLocal = check("chkLocal");
    m_btnBrowseOutput = button("btnBrowseOutput");
    m_btnBrowseTemplate = button("btnBrowseTemplate");
    m_btnAddFile = button("btnAddFile");
    m_btnAddFolder = button("btnAddFolder");
    m_btnRemoveItem = button("btnRemoveItem");
    m_btnRemoveAll = button("btnRemoveAll");
    m_btnSweep = button("btnSweep");
    m_btnExit = button("btnExit");
    m_btnClearOutput = button("btnClearOutput");
    m_btnClearTemplate = button("btnClearTemplate");
    m_btnClearKeywords = button("btnClearKeywords");
    m_btnClearExtensions = button("btnClearExtensions");
}

void CSweepDialog::OnInitDialog() {
    setWindowIcon(m_hIcon);
    SetButtonIcons();
    m_lstFiles->SetListModel(m_model);
    LoadSettings({m_cboOutput, m_cboTemplate, m_cboKeywords, m_cboExtensions, m_chkSpaces,
                  m_chkNumeric, m_chkPre, m_chkLocal});
    InitToolTips();
    ConnectCommands();
    CreateAccelerators();
}

void CSweepDialog::SetButtonIcons() {
    m_btnAddFile->setIcon(QIcon(SweepIconPath(IconId::AddFile)));
    m_btnAddFolder->setIcon(QIcon(SweepIconPath(IconId::AddFolder)));
    m_btnRemoveItem->setIcon(QIcon(SweepIconPath(IconId::RemoveItem)));
    m_btnRemoveAll->setIcon(QIcon(SweepIconPath(IconId::RemoveAll)));
    m_btnSweep->setIcon(QIcon(SweepIconPath(IconId::Sweep)));
    m_btnExit->setIcon(QIcon(SweepIconPath(IconId::Exit)));
}

void CSweepDialog::CreateMenu() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_menuBar->setNativeMenuBar(false);
    // The menu keeps the desktop's font; the dialog font is for the controls.
    m_menuBar->setFont(QApplication::font("QMenuBar"));
    // The text after the tab shows the key; the keys themselves are the
    // window's accelerators, so the actions carry no shortcut of their own.
    QMenu* file = m_menuBar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit\tCtrl+Q"), this, &CSweepDialog::OnCancel)
        ->setObjectName(QStringLiteral("actExit"));
    QMenu* task = m_menuBar->addMenu(QStringLiteral("&Task"));
    task->addAction(QStringLiteral("&Sweep\tF8"), this, &CSweepDialog::OnSweep)
        ->setObjectName(QStringLiteral("actSweep"));
    QMenu* help = m_menuBar->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Manual\tF1"), this, &CSweepDialog::OnManual)
        ->setObjectName(QStringLiteral("actManual"));
    help->addSeparator();
    help->addAction(QStringLiteral("&About..."), this, &CSweepDialog::OnAbout)
        ->setObjectName(QStringLiteral("actAbout"));
}

void CSweepDialog::CreateAccelerators() {
    struct Accelerator {
        QKeyCombination key;
        void (CSweepDialog::*handler)();
    };
    const Accelerator accelerators[] = {
        {Qt::CTRL | Qt::Key_Q, &CSweepDialog::OnCancel},
        {QKeyCombination(Qt::Key_F8), &CSweepDialog::OnSweep},
        {QKeyCombination(Qt::Key_F1), &CSweepDialog::OnManual},
        {QKeyCombination(Qt::Key_F5), &CSweepDialog::OnBrowseOutput},
        {QKeyCombination(Qt::Key_F6), &CSweepDialog::OnBrowseTemplate},
        {QKeyCombination(Qt::Key_F3), &CSweepDialog::OnAddFile},
        {QKeyCombination(Qt::Key_F4), &CSweepDialog::OnAddFolder},
        {QKeyCombination(Qt::Key_F11), &CSweepDialog::OnRemoveItem},
        {QKeyCombination(Qt::Key_F12), &CSweepDialog::OnRemoveAll},
    };
    for (const Accelerator& accelerator : accelerators) {
        // Window context: the key works whichever control has the focus, and
        // wins over a combo box's own use of F4.
        auto* shortcut = new QShortcut(QKeySequence(accelerator.key), this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, accelerator.handler);
    }
}

void CSweepDialog::InitToolTips() {
    for (const ButtonTip& entry : kToolTips) {
        if (auto* button = findChild<QPushButton*>(QString::fromLatin1(entry.objectName))) {
            button->setToolTip(QString::fromLatin1(entry.tip));
        }
    }
}

void CSweepDialog::OnOK() {
    accept();
}

void CSweepDialog::OnCancel() {
    reject();
}

void CSweepDialog::done(int result) {
    // Every way of closing (Enter, Escape, the close box, Exit) ends here, so the
    // settings are saved exactly once per closing.
    if (!m_bClosed) {
        m_bClosed = true;
        SaveSettings({m_cboOutput, m_cboTemplate, m_cboKeywords, m_cboExtensions, m_chkSpaces,
                      m_chkNumeric, m_chkPre, m_chkLocal});
    }
    QDialog::done(result);
}

void CSweepDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        // A push button with the focus takes Enter itself; anywhere else it is OK.
        OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSweepDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        m_bClosed = false;
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - frameGeometry().center() + pos());
        }
        m_cboOutput->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace varnolet
