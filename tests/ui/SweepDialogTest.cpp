// The main window as the user meets it: its controls, keys, focus and closing.
#include "ui/CSweepDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <sys/stat.h>

#include "tests/support/BeepRecorder.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/QtTestSupport.h"
#include "ui/ComboHistory.h"
#include "ui/FileListModel.h"

namespace varnolet {
namespace {

class SweepDialogTest : public ::testing::Test {
public:
    void SetUp() override {
        test::EnsureApplication();
        Open();
    }

    /// A new window with fresh recorders.
    void Open() {
        m_dialog.reset();
        m_boxes.emplace();
        m_dialogs.emplace();
        m_shell.emplace();
        m_dialog = std::make_unique<CSweepDialog>();
        m_dialog->show();
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    template <class T = QWidget> T* Find(const char* name) const {
        T* widget = m_dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    /// The named control that holds the focus (a combo box's line edit counts
    /// as its combo box).
    std::string FocusName() const {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            if (!w->objectName().isEmpty() &&
                w->objectName() != QLatin1String("qt_spinbox_lineedit")) {
                return w->objectName().toStdString();
            }
        }
        return {};
    }

    /// Puts the focus on a control and presses a key there.
    void PressIn(const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = Find(name);
        target->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    std::optional<test::MessageBoxAnswers> m_boxes;
    std::optional<test::FileDialogAnswers> m_dialogs;
    std::optional<test::ShellRecorder> m_shell;
    test::BeepRecorder m_beeps;
    std::unique_ptr<CSweepDialog> m_dialog;
};

TEST_F(SweepDialogTest, CaptionFontAndFixedSizeFromDialogUnits) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Varnolet v1.0.65"));
    EXPECT_EQ(QFontInfo(m_dialog->font()).family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(m_dialog->minimumSize(), m_dialog->maximumSize());
    EXPECT_FALSE(m_dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(m_dialog->windowIcon().isNull());

    const QFontMetrics metrics(m_dialog->font());
    const int menu = Find<QMenuBar>("menuBar")->height();
    EXPECT_EQ(m_dialog->width(), (399 * metrics.averageCharWidth() + 2) / 4);
    EXPECT_EQ(m_dialog->height() - menu, (309 * metrics.height() + 4) / 8);
    // The list: 8, 48, 339 x 202 units below the menu bar.
    const QRect list = Find("lstFiles")->geometry();
    EXPECT_EQ(list.x(), (8 * metrics.averageCharWidth() + 2) / 4);
    EXPECT_EQ(list.y(), (48 * metrics.height() + 4) / 8);
    EXPECT_EQ(list.right() + 1, (347 * metrics.averageCharWidth() + 2) / 4);
    EXPECT_EQ(list.bottom() + 1, (250 * metrics.height() + 4) / 8);
}

TEST_F(SweepDialogTest, CaptionsOfTheControls) {
    struct Caption {
        const char* name;
        const char* text;
    };
    const Caption buttons[] = {
        {"btnBrowseOutput", "&Browse (F5)"},
        {"btnBrowseTemplate", "B&rowse (F6)"},
        {"btnClearOutput", "X"},
        {"btnClearTemplate", "X"},
        {"btnClearKeywords", "X"},
        {"btnClearExtensions", "X"},
    };
    for (const Caption& c : buttons) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Find<QPushButton>(c.name)->text(), QString::fromLatin1(c.text));
    }
    const Caption boxes[] = {
        {"chkSpaces", "Preserve &Spaces (&&nbsp;)"},
        {"chkNumeric", "Use &Numeric Values (&&#?;)"},
        {"chkPre", "Preserve Layout with <&PRE>"},
        {"chkLocal", "&Local sweep. Sweep only the files found in the selected folder and "
                     "ignore all/any subfolders"},
    };
    for (const Caption& c : boxes) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Find<QCheckBox>(c.name)->text(), QString::fromLatin1(c.text));
    }
    const Caption labels[] = {{"lblOutput", "Output --->"},
                              {"lblTemplate", "Template ->"},
                              {"lblKeywords", "Keywords --->"},
                              {"lblExtensions", "Extensions ->"}};
    for (const Caption& c : labels) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Find<QLabel>(c.name)->text(), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(Find<QGroupBox>("grpSweepOptions")->title(), QStringLiteral("Sweep Options"));
    EXPECT_EQ(Find<QGroupBox>("grpFolderOptions")->title(), QStringLiteral("Folder Options"));
    for (const char* name :
         {"btnAddFile", "btnAddFolder", "btnRemoveItem", "btnRemoveAll", "btnSweep", "btnExit"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Find<QPushButton>(name)->icon().isNull());
        EXPECT_EQ(Find<QPushButton>(name)->iconSize(), QSize(32, 32));
    }
}

TEST_F(SweepDialogTest, MenuItems) {
    QStringList texts;
    for (QAction* menu : Find<QMenuBar>("menuBar")->actions()) {
        texts << menu->text();
        for (QAction* item : menu->menu()->actions()) {
            texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
    }
    EXPECT_EQ(texts, (QStringList{"&File", "E&xit\tCtrl+Q", "&Task", "&Sweep\tF8", "&Help",
                                  "&Manual\tF1", "-", "&About..."}));
}

TEST_F(SweepDialogTest, ListColumnsAndStyle) {
    auto* list = Find<QTableView>("lstFiles");
    const char* headers[] = {"Type", "ID <=> Name", "Full Path"};
    const int widths[] = {65, 135, 372};
    ASSERT_EQ(list->model()->columnCount(), 3);
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(list->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromLatin1(headers[column]));
        EXPECT_EQ(list->columnWidth(column), widths[column]);
    }
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_FALSE(list->horizontalHeader()->sectionsClickable());
}

TEST_F(SweepDialogTest, ToolTipsOnTheTwelveButtonsOnly) {
    struct Tip {
        const char* name;
        const char* tip;
    };
    const Tip tips[] = {
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
    for (const Tip& t : tips) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(Find(t.name)->toolTip(), QString::fromLatin1(t.tip));
    }
    for (const char* name : {"cboOutput", "cboTemplate", "cboKeywords", "cboExtensions",
                             "chkSpaces", "chkNumeric", "chkPre", "chkLocal", "lstFiles"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Find(name)->toolTip().isEmpty());
    }
}

TEST_F(SweepDialogTest, FirstFocusAndTabOrderFollowTheTemplate) {
    EXPECT_EQ(FocusName(), "cboOutput");
    const std::vector<std::string> expected = {
        "btnBrowseOutput",    "btnClearOutput", "cboTemplate",      "btnBrowseTemplate",
        "btnClearTemplate",   "chkSpaces",      "chkNumeric",       "chkPre",
        "lstFiles",           "cboKeywords",    "btnClearKeywords", "cboExtensions",
        "btnClearExtensions", "chkLocal",       "btnAddFile",       "btnAddFolder",
        "btnRemoveItem",      "btnRemoveAll",   "btnSweep",         "btnExit",
        "cboOutput"};
    std::vector<std::string> walked;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.push_back(FocusName());
    }
    EXPECT_EQ(walked, expected);
}

// Each accelerator, pressed with the focus in each kind of control, must reach
// its command: combo boxes and line edits would otherwise take F4 and others.
TEST_F(SweepDialogTest, AcceleratorsWorkWhicheverControlHasTheFocus) {
    test::TempDir dir;
    test::WriteFile(dir / "one.txt", "x");
    struct Accelerator {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<void(SweepDialogTest&)> arrange;
        std::function<bool(SweepDialogTest&)> happened;
    };
    const std::string file = dir / "one.txt";
    const Accelerator accelerators[] = {
        {"F3 adds a file",
         Qt::Key_F3,
         {},
         [&](SweepDialogTest& t) { t.m_dialogs->Choose(file); },
         [](SweepDialogTest& t) { return t.m_dialog->Model().Count() == 1; }},
        {"F4 adds a folder",
         Qt::Key_F4,
         {},
         [&](SweepDialogTest& t) { t.m_dialogs->Choose(dir.Path()); },
         [](SweepDialogTest& t) { return t.m_dialog->Model().Count() == 1; }},
        {"F5 browses for the output",
         Qt::Key_F5,
         {},
         [&](SweepDialogTest& t) { t.m_dialogs->Choose(dir.Path() + "sub"); },
         [&](SweepDialogTest& t) {
             return ComboText(t.Find<QComboBox>("cboOutput")) == dir.Path() + "sub/";
         }},
        {"F6 browses for the template",
         Qt::Key_F6,
         {},
         [&](SweepDialogTest& t) { t.m_dialogs->Choose(file); },
         [&](SweepDialogTest& t) { return ComboText(t.Find<QComboBox>("cboTemplate")) == file; }},
        {"F11 removes the selected row",
         Qt::Key_F11,
         {},
         [&](SweepDialogTest& t) {
             t.m_dialog->AddListItem(file);
             t.Find<QTableView>("lstFiles")->selectRow(0);
         },
         [](SweepDialogTest& t) { return t.m_dialog->Model().Count() == 0; }},
        {"F12 asks to remove all",
         Qt::Key_F12,
         {},
         [](SweepDialogTest&) {},
         [](SweepDialogTest& t) {
             return t.m_boxes->Shown().size() == 1 &&
                    t.m_boxes->Shown()[0].text == "Remove all items?";
         }},
        {"F8 starts the sweep",
         Qt::Key_F8,
         {},
         [](SweepDialogTest&) {},
         [](SweepDialogTest& t) {
             return t.m_boxes->Shown().size() == 1 &&
                    t.m_boxes->Shown()[0].text.find("sweep") != std::string::npos;
         }},
        {"F1 opens the manual",
         Qt::Key_F1,
         {},
         [](SweepDialogTest&) {},
         [](SweepDialogTest& t) {
             return t.m_shell->Requests().size() == 1 &&
                    t.m_shell->Requests()[0].first == platform::ShellVerb::Open;
         }},
        {"Ctrl+Q exits", Qt::Key_Q, Qt::ControlModifier, [](SweepDialogTest&) {},
         [](SweepDialogTest& t) {
             return !t.m_dialog->isVisible() && t.m_dialog->result() == QDialog::Rejected;
         }},
    };
    ::mkdir((dir / "sub").c_str(), 0755);
    for (const char* focus : {"cboOutput", "cboKeywords", "lstFiles", "chkLocal", "btnAddFile"}) {
        for (const Accelerator& a : accelerators) {
            SCOPED_TRACE(std::string(a.name) + " with the focus in " + focus);
            Open();
            a.arrange(*this);
            PressIn(focus, a.key, a.modifiers);
            EXPECT_TRUE(a.happened(*this));
        }
    }
}

TEST_F(SweepDialogTest, EnterAndEscapeReachOkAndCancel) {
    PressIn("cboOutput", Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);

    Open();
    PressIn("chkPre", Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
}

TEST_F(SweepDialogTest, EnterOnAPushButtonPressesIt) {
    auto* output = Find<QComboBox>("cboOutput");
    output->setEditText(QStringLiteral("/somewhere/"));
    PressIn("btnClearOutput", Qt::Key_Return);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(output->currentText().isEmpty());
}

// Every way of closing saves the histories and boxes: a new window shows them.
TEST_F(SweepDialogTest, EveryWayOfClosingKeepsTheSettings) {
    struct Closing {
        const char* name;
        std::function<void(SweepDialogTest&)> close;
    };
    const Closing closings[] = {
        {"Escape", [](SweepDialogTest& t) { t.PressIn("cboOutput", Qt::Key_Escape); }},
        {"Enter", [](SweepDialogTest& t) { t.PressIn("cboOutput", Qt::Key_Enter); }},
        {"Ctrl+Q",
         [](SweepDialogTest& t) { t.PressIn("lstFiles", Qt::Key_Q, Qt::ControlModifier); }},
        {"Exit button", [](SweepDialogTest& t) { t.Find<QPushButton>("btnExit")->click(); }},
        {"close box", [](SweepDialogTest& t) { t.m_dialog->close(); }},
    };
    int round = 0;
    for (const Closing& c : closings) {
        SCOPED_TRACE(c.name);
        const std::string entry = "/out/" + std::to_string(round) + "/";
        const bool ticked = round % 2 == 0;
        ++round;
        AddComboHistory(Find<QComboBox>("cboOutput"), entry, 0);
        Find<QCheckBox>("chkNumeric")->setChecked(ticked);
        c.close(*this);
        ASSERT_FALSE(m_dialog->isVisible());
        Open();
        auto* output = Find<QComboBox>("cboOutput");
        ASSERT_GT(output->count(), 0);
        EXPECT_EQ(output->itemText(0).toStdString(), entry);
        EXPECT_EQ(Find<QCheckBox>("chkNumeric")->isChecked(), ticked);
    }
}

} // namespace
} // namespace varnolet
