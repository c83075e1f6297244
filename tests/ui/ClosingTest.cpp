#include "ui/CSweepDialog.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/qt/MessageBox.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/QtTestSupport.h"

namespace varnolet {
namespace {

using Entries = std::vector<QString>;

Entries EntriesOf(const QComboBox* combo) {
    Entries entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries.push_back(combo->itemText(i));
    }
    return entries;
}

template <typename T> T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void SetUpFields(CSweepDialog& dialog) {
    auto* output = Child<QComboBox>(dialog, "cboOutput");
    output->addItem("/web/");
    output->addItem("/out/");
    output->setCurrentIndex(0);
    Child<QComboBox>(dialog, "cboTemplate")->addItem("/t/page.html");
    Child<QComboBox>(dialog, "cboKeywords")->addItem("alpha, beta");
    Child<QComboBox>(dialog, "cboExtensions")->addItem("txt");
    Child<QCheckBox>(dialog, "chkSpaces")->setChecked(true);
    Child<QCheckBox>(dialog, "chkLocal")->setChecked(true);
}

void ExpectFieldsRestored(CSweepDialog& dialog) {
    EXPECT_EQ(EntriesOf(Child<QComboBox>(dialog, "cboOutput")), (Entries{"/web/", "/out/"}));
    EXPECT_EQ(Child<QComboBox>(dialog, "cboOutput")->currentText(), "/web/");
    EXPECT_EQ(EntriesOf(Child<QComboBox>(dialog, "cboTemplate")), Entries{"/t/page.html"});
    EXPECT_EQ(EntriesOf(Child<QComboBox>(dialog, "cboKeywords")), Entries{"alpha, beta"});
    EXPECT_EQ(EntriesOf(Child<QComboBox>(dialog, "cboExtensions")), Entries{"txt"});
    EXPECT_TRUE(Child<QCheckBox>(dialog, "chkSpaces")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "chkNumeric")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "chkPre")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "chkLocal")->isChecked());
}

using CloseWay = void (*)(CSweepDialog&);

const struct {
    const char* name;
    CloseWay close;
} kWays[] = {
    {"File > Exit", [](CSweepDialog& d) { Child<QAction>(d, "actExit")->trigger(); }},
    {"Ctrl+Q", [](CSweepDialog& d) { QTest::keyClick(&d, Qt::Key_Q, Qt::ControlModifier); }},
    {"Escape", [](CSweepDialog& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); }},
    {"Enter in a field",
     [](CSweepDialog& d) {
         QTest::keyClick(Child<QComboBox>(d, "cboOutput")->lineEdit(), Qt::Key_Return);
     }},
    {"close box", [](CSweepDialog& d) { d.close(); }},
    {"Exit button",
     [](CSweepDialog& d) { QTest::mouseClick(Child<QPushButton>(d, "btnExit"), Qt::LeftButton); }},
};

TEST(ClosingTest, EveryWayOfClosingSavesAndARestartShowsTheSame) {
    test::EnsureApplication();
    platform::SetMessageBoxHook([](const platform::ShownMessage& m) {
        ADD_FAILURE() << "unexpected message: " << m.text;
        return platform::IDNO;
    });
    for (const auto& way : kWays) {
        SCOPED_TRACE(way.name);
        test::TempDir config; // a fresh hive for each way
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        {
            CSweepDialog first;
            first.show();
            first.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&first));
            SetUpFields(first);
            way.close(first);
            EXPECT_FALSE(first.isVisible());
        }
        CSweepDialog second;
        ExpectFieldsRestored(second);
    }
    platform::SetMessageBoxHook({});
}

} // namespace
} // namespace varnolet
