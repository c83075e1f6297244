// The main window's commands: adding files and folders, the list commands,
// the fields, and the commands other parts of the program supply.
#include "ui/CSweepDialog.h"

#include <optional>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

#include "discovery/CFileFinder.h"
#include "discovery/FilterText.h"
#include "discovery/PathUtils.h"
#include "discovery/StringUtils.h"
#include "platform/MessageBeep.h"
#include "platform/qt/DisplayText.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/UriList.h"
#include "platform/qt/WaitCursor.h"
#include "ui/CFolderDialog.h"
#include "ui/ComboHistory.h"
#include "ui/FileListModel.h"
#include "ui/FileListView.h"
#include "ui/FoundFiles.h"
#include "ui/HelpCommands.h"
#include "ui/SweepCommand.h"

namespace varnolet {
namespace {

constexpr char kInvalidFilters[] = "The Keywords/Extensions fields contain invalid characters.";
constexpr char kRemoveAllQuestion[] = "Remove all items?";

/// The folder path as the commands pass it on: ending in the separator.
std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator) {
        folder += kPathSeparator;
    }
    return folder;
}

void ClearField(QComboBox* combo) {
    combo->clear();
    combo->clearEditText();
}

/// Asks the folder picker the way both folder commands do; empty on cancel.
std::optional<std::string> ChooseFolder(QWidget* owner) {
    CFolderDialog dialog(nullptr, nullptr, owner, BIF_RETURNONLYFSDIRS);
    if (dialog.DoModal() != CFolderDialog::IDOK) {
        return std::nullopt;
    }
    return WithTrailingSeparator(dialog.m_szFolderPath);
}

} // namespace

void CSweepDialog::ConnectCommands() {
    connect(m_btnAddFile, &QPushButton::clicked, this, &CSweepDialog::OnAddFile);
    connect(m_btnAddFolder, &QPushButton::clicked, this, &CSweepDialog::OnAddFolder);
    connect(m_btnRemoveItem, &QPushButton::clicked, this, &CSweepDialog::OnRemoveItem);
    connect(m_btnRemoveAll, &QPushButton::clicked, this, &CSweepDialog::OnRemoveAll);
    connect(m_btnSweep, &QPushButton::clicked, this, &CSweepDialog::OnSweep);
    connect(m_btnExit, &QPushButton::clicked, this, &CSweepDialog::OnCancel);
    connect(m_btnBrowseOutput, &QPushButton::clicked, this, &CSweepDialog::OnBrowseOutput);
    connect(m_btnBrowseTemplate, &QPushButton::clicked, this, &CSweepDialog::OnBrowseTemplate);
    connect(m_btnClearOutput, &QPushButton::clicked, this, [this] { ClearField(m_cboOutput); });
    connect(m_btnClearTemplate, &QPushButton::clicked, this, [this] { ClearField(m_cboTemplate); });
    connect(m_btnClearKeywords, &QPushButton::clicked, this, [this] { ClearField(m_cboKeywords); });
    connect(m_btnClearExtensions, &QPushButton::clicked, this,
            [this] { ClearField(m_cboExtensions); });
    connect(m_lstFiles, &FileListView::LeftDoubleClicked, this, &CSweepDialog::OnRemoveItem);
    connect(m_lstFiles, &FileListView::RightDoubleClicked, this, &CSweepDialog::OnRdblclkList);
    m_cboKeywords->installEventFilter(this);
    m_cboExtensions->installEventFilter(this);
}

bool CSweepDialog::eventFilter(QObject* watched, QEvent* event) {
    // Opening the field's own drop-down list is not leaving the field.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_cboKeywords) {
            OnKillfocusKeywords();
        } else if (watched == m_cboExtensions) {
            OnKillfocusExtensions();
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool CSweepDialog::LocalSweep() const {
    return m_chkLocal->isChecked();
}

bool CSweepDialog::AddListItem(const std::string& path) {
    return m_model->AddListItem(path);
}

void CSweepDialog::AddFile(const std::string& path) {
    if (!PathIsRegularFile(path)) {
        return;
    }
    const platform::WaitCursor wait;
    AddListItem(path);
}

void CSweepDialog::AddFolderFiles(const std::string& folder) {
    std::optional<platform::WaitCursor> wait(std::in_place);
    const std::string keywords = ComboText(m_cboKeywords);
    const std::string extensions = ComboText(m_cboExtensions);
    const FinderMode mode = LocalSweep() ? FM_FILES_LOCAL : FM_FILES_RECURSIVE;
    FoundFiles() = {};
    try {
        CFileFinder finder(CollectFoundFile, folder.c_str(), extensions.c_str(), keywords.c_str());
        finder.Search(mode);
    } catch (...) {
        // One message stands for every failure of the search, whatever its cause.
        FoundFiles() = {};
        wait.reset();
        platform::MessageBox(this, kInvalidFilters, "Warning", platform::MessageKind::Warning);
        return;
    }
    // One insertion for the whole folder keeps a large add linear. What the
    // listing already knows to be a regular file needs no stat; links and
    // entries of unknown kind still get the real test.
    m_model->AddListItems(TakeFoundRegularFiles());
    AddFieldToHistory(m_cboKeywords, 0);
    AddFieldToHistory(m_cboExtensions, 0);
}

void CSweepDialog::OnAddFile() {
    const platform::DialogAnswer answer = platform::ShowOpenFileDialog(this);
    if (answer.bAccepted && !answer.path.empty()) {
        AddFile(answer.path);
    }
}

void CSweepDialog::OnAddFolder() {
    const std::optional<std::string> folder = ChooseFolder(this);
    if (!folder) {
        return;
    }
    AddFolderFiles(*folder);
    platform::MessageBeep(platform::MB_ICONINFORMATION);
}

void CSweepDialog::OnDropFiles(const std::string& name) {
    if (PathIsRegularFile(name)) {
        AddFile(name);
        return;
    }
    AddFolderFiles(WithTrailingSeparator(name));
    platform::MessageBeep(platform::MB_ICONINFORMATION);
}

void CSweepDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(QStringLiteral("text/uri-list"))) {
        event->acceptProposedAction();
    }
}

void CSweepDialog::dropEvent(QDropEvent* event) {
    const std::optional<std::string> name = platform::FirstDroppedPath(*event->mimeData());
    if (!name) {
        return;
    }
    event->acceptProposedAction();
    OnDropFiles(*name);
}

void CSweepDialog::OnRemoveItem() {
    const int row = m_lstFiles->SelectedRow();
    if (m_model->Count() == 0 || row < 0) {
        return;
    }
    m_model->RemoveListRow(row);
    m_lstFiles->clearSelection();
}

void CSweepDialog::OnRemoveAll() {
    if (platform::MessageBox(this, kRemoveAllQuestion, "Question",
                             platform::MessageKind::Question) == platform::IDYES) {
        m_model->RemoveAllRows();
    }
}

void CSweepDialog::OnRdblclkList() {
    const int row = m_lstFiles->SelectedRow();
    if (m_model->Count() == 0 || row < 0) {
        return;
    }
    const std::string folder = PathFolder(m_model->Path(row));
    if (PathFolderExists(folder)) {
        platform::ShellExecute(platform::ShellVerb::Explore, folder);
    }
}

void CSweepDialog::OnBrowseOutput() {
    if (const std::optional<std::string> folder = ChooseFolder(this)) {
        m_cboOutput->setEditText(platform::ToDisplay(*folder));
    }
}

void CSweepDialog::OnBrowseTemplate() {
    const platform::DialogAnswer answer = platform::ShowOpenFileDialog(this);
    if (answer.bAccepted && !answer.path.empty()) {
        m_cboTemplate->setEditText(platform::ToDisplay(answer.path));
    }
}

void CSweepDialog::OnKillfocusKeywords() {
    const std::string cleaned =
        NormalizeKeywords(ReplaceChars(ComboText(m_cboKeywords), ' ', szInvalidChars));
    m_cboKeywords->setEditText(platform::ToDisplay(cleaned));
}

void CSweepDialog::OnKillfocusExtensions() {
    m_cboExtensions->setEditText(
        platform::ToDisplay(NormalizeExtensions(ComboText(m_cboExtensions))));
}

void CSweepDialog::OnSweep() {
    // The sweep works on a copy: the boxes it shows run an event loop, and the
    // list must not change under it.
    const std::vector<std::string> rows = m_model->Paths();
    OnSweepCommand({this, m_cboOutput, m_cboTemplate, m_chkSpaces, m_chkNumeric, m_chkPre}, rows);
}

void CSweepDialog::OnManual() {
    OpenManual(this);
}

void CSweepDialog::OnAbout() {
    ShowAbout(this);
}

} // namespace varnolet
