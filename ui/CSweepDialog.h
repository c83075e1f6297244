#pragma once

#include <string>

#include <QDialog>
#include <QIcon>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QPushButton;
class QMenuBar;

namespace varnolet {

class FileListModel;
class FileListView;
struct ControlEntry;

/// The main window: the file list, the four fields with their histories, the
/// option boxes, the buttons, the menu and the accelerators.
class CSweepDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CSweepDialog(QWidget* parent = nullptr);
    ~CSweepDialog() override;

    FileListModel& Model() const { return *m_model; }

    /// Appends a row for `path` unless it is listed already; never touches the disk.
    bool AddListItem(const std::string& path);
    /// Adds `path` when it names an existing regular file; otherwise does nothing.
    void AddFile(const std::string& path);
    /// Searches `folder` (ending in the separator) under the current filters
    /// and Local sweep, and adds every hit.
    void AddFolderFiles(const std::string& folder);

    void OnAddFile();
    void OnAddFolder();
    void OnRemoveItem();
    void OnRemoveAll();
    void OnRdblclkList();
    void OnBrowseOutput();
    void OnBrowseTemplate();
    void OnKillfocusKeywords();
    void OnKillfocusExtensions();
    void OnSweep();
    void OnManual();
    void OnAbout();
    /// The OK and cancel paths; both save the settings before the window ends.
    void OnOK();
    void OnCancel();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    QWidget* CreateControl(const ControlEntry& entry, QWidget* client);
    void BindControls(QWidget* client);
    void SetButtonIcons();
    void CreateMenu();
    void CreateAccelerators();
    void ConnectCommands();
    void InitToolTips();
    void OnDropFiles(const std::string& name);
    bool LocalSweep() const;

    QIcon m_hIcon;
    FileListModel* m_model = nullptr;
    QMenuBar* m_menuBar = nullptr;
    FileListView* m_lstFiles = nullptr;
    QComboBox* m_cboOutput = nullptr;
    QComboBox* m_cboTemplate = nullptr;
    QComboBox* m_cboKeywords = nullptr;
    QComboBox* m_cboExtensions = nullptr;
    QCheckBox* m_chkSpaces = nullptr;
    QCheckBox* m_chkNumeric = nullptr;
    QCheckBox* m_chkPre = nullptr;
    QCheckBox* m_chkLocal = nullptr;
    QPushButton* m_btnBrowseOutput = nullptr;
    QPushButton* m_btnBrowseTemplate = nullptr;
    QPushButton* m_btnAddFile = nullptr;
    QPushButton* m_btnAddFolder = nullptr;
    QPushButton* m_btnRemoveItem = nullptr;
    QPushButton* m_btnRemoveAll = nullptr;
    QPushButton* m_btnSweep = nullptr;
    QPushButton* m_btnExit = nullptr;
    QPushButton* m_btnClearOutput = nullptr;
    QPushButton* m_btnClearTemplate = nullptr;
    QPushButton* m_btnClearKeywords = nullptr;
    QPushButton* m_btnClearExtensions = nullptr;
    bool m_bClosed = false;
};

} // namespace varnolet
