// The main window's commands: adding files and folders, drops, the list
// commands and the fields, driven through the real widgets.
#include "ui/CSweepDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/BeepRecorder.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/QtTestSupport.h"
#include "ui/ComboHistory.h"
#include "ui/FileListModel.h"

namespace varnolet {
namespace {

constexpr char kInvalidFilters[] = "The Keywords/Extensions fields contain invalid characters.";

std::string PercentEncoded(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '/' || c == '.' || c == '-' || c == '_') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

class DialogCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        m_dialog = std::make_unique<CSweepDialog>();
        m_dialog->show();
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        // A small tree: four files on top, one in a subfolder.
        for (const char* name : {"a.txt", "b.HTM", "c.doc", "noext", "sub/d.txt"}) {
            if (std::string(name) == "sub/d.txt") {
                ::mkdir((m_tree / "sub").c_str(), 0755);
            }
            test::WriteFile(m_tree / name, "text");
        }
    }

    template <class T = QWidget> T* Find(const char* name) const {
        T* widget = m_dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    /// The rows' paths relative to the tree, sorted (the search order is the
    /// file system's own).
    std::vector<std::string> RelativeRows() const {
        std::vector<std::string> rows;
        for (const std::string& path : m_dialog->Model().Paths()) {
            rows.push_back(path.rfind(m_tree.Path(), 0) == 0 ? path.substr(m_tree.Path().size())
                                                             : path);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    void Drop(const std::vector<std::string>& paths) {
        std::string list;
        for (const std::string& path : paths) {
            list += "file://" + PercentEncoded(path) + "\r\n";
        }
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(list));
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_dialog.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_dialog.get(), &drop);
    }

    void Type(const char* field, const std::string& text) {
        auto* combo = Find<QComboBox>(field);
        combo->setFocus(Qt::OtherFocusReason);
        combo->setEditText(QString::fromStdString(text));
    }

    QPoint RowCentre(int row) const {
        auto* list = Find<QTableView>("lstFiles");
        return list->visualRect(list->model()->index(row, 0)).center();
    }

    test::TempDir m_tree;
    test::MessageBoxAnswers m_boxes;
    test::FileDialogAnswers m_dialogs;
    test::ShellRecorder m_shell;
    test::BeepRecorder m_beeps;
    std::unique_ptr<CSweepDialog> m_dialog;
};

TEST_F(DialogCommandsTest, AddFileTakesOnlyExistingRegularFiles) {
    m_dialogs.Choose(m_tree / "a.txt");
    m_dialogs.Choose(m_tree / "missing.txt");
    m_dialogs.Choose(m_tree / "sub");
    m_dialogs.Choose(m_tree / "a.txt"); // already listed
    m_dialogs.Cancel();
    for (int i = 0; i < 5; ++i) {
        Find<QPushButton>("btnAddFile")->click();
    }
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"a.txt"}));
    EXPECT_TRUE(m_boxes.Shown().empty());
    EXPECT_TRUE(m_beeps.Beeps().empty());
    EXPECT_EQ(m_dialogs.Asked().size(), 5U);
}

TEST_F(DialogCommandsTest, AddFolderUsesFiltersAndLocalSweep) {
    struct FolderCase {
        const char* name;
        std::string extensions;
        std::string keywords;
        bool local;
        std::vector<std::string> rows;
    };
    const FolderCase cases[] = {
        {"no filter, whole tree", "", "", false, {"a.txt", "b.HTM", "c.doc", "noext", "sub/d.txt"}},
        {"local sweep leaves the subfolder out",
         "",
         "",
         true,
         {"a.txt", "b.HTM", "c.doc", "noext"}},
        {"two extensions in any letter case",
         "txt, htm",
         "",
         false,
         {"a.txt", "b.HTM", "sub/d.txt"}},
        {"files without an extension", "-?", "", false, {"noext"}},
        {"a keyword", "", "d", false, {"sub/d.txt"}},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialog->Model().RemoveAllRows();
        Find<QComboBox>("cboExtensions")->setEditText(QString::fromStdString(c.extensions));
        Find<QComboBox>("cboKeywords")->setEditText(QString::fromStdString(c.keywords));
        Find<QCheckBox>("chkLocal")->setChecked(c.local);
        m_dialogs.Choose(m_tree.Path().substr(0, m_tree.Path().size() - 1));
        Find<QPushButton>("btnAddFolder")->click();
        EXPECT_EQ(RelativeRows(), c.rows);
    }
    EXPECT_TRUE(m_boxes.Shown().empty());
    EXPECT_EQ(m_beeps.Beeps(),
              std::vector<platform::BeepType>(std::size(cases), platform::MB_ICONINFORMATION));
}

// Every hit still meets the regular-file rule, whether the listing vouched for
// it or it had to be tested: a link counts by what it leads to.
TEST_F(DialogCommandsTest, AddFolderTakesRegularFilesAndLinksToThemOnly) {
    const std::string kinds = m_tree / "kinds";
    ASSERT_EQ(::mkdir(kinds.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((kinds + "/sub").c_str(), 0755), 0);
    test::WriteFile(kinds + "/plain.txt", "x");
    test::WriteFile(kinds + "/sub/inner.txt", "x");
    ASSERT_EQ(::symlink("plain.txt", (kinds + "/to-file").c_str()), 0);
    ASSERT_EQ(::symlink("sub", (kinds + "/to-folder").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (kinds + "/dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((kinds + "/pipe").c_str(), 0644), 0);
    m_dialogs.Choose(kinds);
    Find<QPushButton>("btnAddFolder")->click();
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"kinds/plain.txt", "kinds/sub/inner.txt",
                                                        "kinds/to-file"}));
}

TEST_F(DialogCommandsTest, SuccessfulFolderAddEntersTheFiltersIntoTheirHistories) {
    Type("cboExtensions", "txt");
    Type("cboKeywords", "a");
    m_dialogs.Choose(m_tree.Path());
    Find<QPushButton>("btnAddFolder")->click();
    EXPECT_EQ(Find<QComboBox>("cboKeywords")->itemText(0), QStringLiteral("a"));
    EXPECT_EQ(Find<QComboBox>("cboExtensions")->itemText(0), QStringLiteral("txt"));
    // The same folder again adds nothing more and only beeps.
    m_dialogs.Choose(m_tree.Path());
    Find<QPushButton>("btnAddFolder")->click();
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(m_beeps.Beeps().size(), 2U);
    EXPECT_EQ(Find<QComboBox>("cboKeywords")->count(), 1);
}

TEST_F(DialogCommandsTest, CancelledFolderPickerDoesNothing) {
    m_dialogs.Cancel();
    Find<QPushButton>("btnAddFolder")->click();
    EXPECT_EQ(m_dialog->Model().Count(), 0);
    EXPECT_TRUE(m_beeps.Beeps().empty());
    EXPECT_TRUE(m_boxes.Shown().empty());
}

TEST_F(DialogCommandsTest, FailedSearchWarnsAddsNothingAndKeepsHistories) {
    struct Failure {
        const char* name;
        std::string keywords;
        std::string extensions;
        std::string dropped;
    };
    const Failure failures[] = {
        {"asterisk in keywords, focus still there", "*", "", m_tree / "sub"},
        {"bad extension token", "", "*.txt", m_tree / "sub"},
        {"a folder that is not there", "", "", m_tree / "vanished"},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.name);
        test::MessageBoxAnswers boxes;
        test::BeepRecorder beeps;
        // Set without visiting the field, so its own clean-up has not run.
        Find<QComboBox>("cboExtensions")->setEditText(QString::fromStdString(f.extensions));
        Type("cboKeywords", f.keywords); // the focus stays in the keywords field
        Drop({f.dropped});
        ASSERT_EQ(boxes.Shown().size(), 1U);
        EXPECT_EQ(boxes.Shown()[0].text, kInvalidFilters);
        EXPECT_EQ(boxes.Shown()[0].caption, "Warning");
        EXPECT_EQ(boxes.Shown()[0].kind, platform::MessageKind::Warning);
        EXPECT_EQ(beeps.Beeps(), std::vector<platform::BeepType>{platform::MB_ICONINFORMATION});
        EXPECT_EQ(m_dialog->Model().Count(), 0);
        EXPECT_EQ(Find<QComboBox>("cboKeywords")->count(), 0);
        EXPECT_EQ(Find<QComboBox>("cboExtensions")->count(), 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(DialogCommandsTest, DropUsesOnlyTheFirstItem) {
    Drop({m_tree / "c.doc", m_tree / "a.txt", m_tree / "sub"});
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"c.doc"}));
    EXPECT_TRUE(m_beeps.Beeps().empty()); // a file is added quietly

    m_dialog->Model().RemoveAllRows();
    Find<QCheckBox>("chkLocal")->setChecked(true);
    Drop({m_tree.Path(), m_tree / "a.txt"});
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"a.txt", "b.HTM", "c.doc", "noext"}));
    EXPECT_EQ(m_beeps.Beeps().size(), 1U);
}

TEST_F(DialogCommandsTest, NamesThatAreNotTextReachTheListByteForByte) {
    const std::string latin1 = m_tree / "caf\xe9.txt";
    const std::string newline = m_tree / "two\nlines.txt";
    test::WriteFile(latin1, "x");
    test::WriteFile(newline, "x");
    Drop({latin1});
    Drop({newline});
    EXPECT_EQ(m_dialog->Model().Paths(), (std::vector<std::string>{latin1, newline}));
}

TEST_F(DialogCommandsTest, RemoveItemByKeyAndDoubleClick) {
    for (const char* name : {"a.txt", "b.HTM", "c.doc"}) {
        m_dialog->AddListItem(m_tree / name);
    }
    auto* list = Find<QTableView>("lstFiles");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F11); // nothing selected: nothing happens
    EXPECT_EQ(m_dialog->Model().Count(), 3);

    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(1));
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"a.txt", "c.doc"}));
    EXPECT_TRUE(list->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(m_boxes.Shown().empty());

    list->selectRow(0);
    QTest::keyClick(list, Qt::Key_F11);
    EXPECT_EQ(RelativeRows(), (std::vector<std::string>{"c.doc"}));
}

TEST_F(DialogCommandsTest, RemoveAllAsksEvenWhenEmpty) {
    Find<QPushButton>("btnRemoveAll")->click();
    ASSERT_EQ(m_boxes.Shown().size(), 1U);
    EXPECT_EQ(m_boxes.Shown()[0].text, "Remove all items?");
    EXPECT_EQ(m_boxes.Shown()[0].caption, "Question");
    EXPECT_EQ(m_boxes.Shown()[0].kind, platform::MessageKind::Question);

    m_dialog->AddListItem(m_tree / "a.txt");
    m_dialog->AddListItem(m_tree / "b.HTM");
    m_boxes.Queue(platform::IDNO);
    Find<QPushButton>("btnRemoveAll")->click();
    EXPECT_EQ(m_dialog->Model().Count(), 2);
    m_boxes.Queue(platform::IDYES);
    Find<QPushButton>("btnRemoveAll")->click();
    EXPECT_EQ(m_dialog->Model().Count(), 0);
}

TEST_F(DialogCommandsTest, RightDoubleClickExploresTheRowsFolder) {
    m_dialog->AddListItem(m_tree / "a.txt");
    m_dialog->AddListItem(m_tree / "sub/d.txt");
    auto* list = Find<QTableView>("lstFiles");
    QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, RowCentre(1));
    ASSERT_EQ(m_shell.Requests().size(), 1U);
    EXPECT_EQ(m_shell.Requests()[0].first, platform::ShellVerb::Explore);
    EXPECT_EQ(m_shell.Requests()[0].second, m_tree / "sub/");
    EXPECT_EQ(m_dialog->Model().Count(), 2); // nothing removed

    test::WriteFile(m_tree / "sub/d.txt", "");
    ::remove((m_tree / "sub/d.txt").c_str());
    ::rmdir((m_tree / "sub").c_str());
    QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, RowCentre(1));
    EXPECT_EQ(m_shell.Requests().size(), 1U); // the folder is gone: no request
}

TEST_F(DialogCommandsTest, LeavingTheFilterFieldsCleansThemUp) {
    Type("cboKeywords", "beta, Alpha,,alpha , beta");
    Find("cboOutput")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Find<QComboBox>("cboKeywords")->currentText(), QStringLiteral("Alpha, alpha, beta"));

    Type("cboExtensions", "TXT, .htm, -?, *.doc, txt");
    Find("cboOutput")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Find<QComboBox>("cboExtensions")->currentText(), QStringLiteral("-?, .htm, txt"));

    // 10,000 characters in a field are cleaned up like any other text.
    Type("cboKeywords", std::string(10000, 'k') + ":" + std::string(10, 'x'));
    Find("cboOutput")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Find<QComboBox>("cboKeywords")->currentText().size(), 10011);
}

TEST_F(DialogCommandsTest, ClearButtonsEmptyHistoryAndText) {
    const char* pairs[][2] = {{"cboOutput", "btnClearOutput"},
                              {"cboTemplate", "btnClearTemplate"},
                              {"cboKeywords", "btnClearKeywords"},
                              {"cboExtensions", "btnClearExtensions"}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[0]);
        auto* combo = Find<QComboBox>(pair[0]);
        AddComboHistory(combo, "one", 0);
        AddComboHistory(combo, "two", 0);
        combo->setEditText(QStringLiteral("typed"));
        Find<QPushButton>(pair[1])->click();
        EXPECT_EQ(combo->count(), 0);
        EXPECT_TRUE(combo->currentText().isEmpty());
        EXPECT_TRUE(m_boxes.Shown().empty());
    }
}

TEST_F(DialogCommandsTest, BrowseFillsTheTextButNotTheHistory) {
    m_dialogs.Choose(m_tree / "sub");
    m_dialogs.Choose("/");
    m_dialogs.Cancel();
    auto* output = Find<QComboBox>("cboOutput");
    Find<QPushButton>("btnBrowseOutput")->click();
    EXPECT_EQ(output->currentText().toStdString(), m_tree / "sub/");
    Find<QPushButton>("btnBrowseOutput")->click();
    EXPECT_EQ(output->currentText(), QStringLiteral("/"));
    Find<QPushButton>("btnBrowseOutput")->click(); // cancelled: unchanged
    EXPECT_EQ(output->currentText(), QStringLiteral("/"));
    EXPECT_EQ(output->count(), 0);

    m_dialogs.Choose(m_tree / "a.txt");
    Find<QPushButton>("btnBrowseTemplate")->click();
    EXPECT_EQ(Find<QComboBox>("cboTemplate")->currentText().toStdString(), m_tree / "a.txt");
    EXPECT_EQ(Find<QComboBox>("cboTemplate")->count(), 0);
}

} // namespace
} // namespace varnolet
