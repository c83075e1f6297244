#include "ui/HelpCommands.h"

#include <string>
#include <vector>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "discovery/PathUtils.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "ui/CAboutDialog.h"
#include "tests/support/qt/QtTestSupport.h"

namespace varnolet {
namespace {

using platform::MessageKind;

class HelpCommandsTest : public ::testing::Test {
protected:
    HelpCommandsTest() {
        platform::SetMessageBoxHook([this](const platform::ShownMessage& m) {
            m_shown.push_back(m);
            return platform::IDOK;
        });
    }
    ~HelpCommandsTest() override {
        platform::SetMessageBoxHook({});
        platform::SetShellHook({});
    }

    QApplication& m_app = test::EnsureApplication();
    QWidget m_owner;
    std::vector<platform::ShownMessage> m_shown;
};

TEST_F(HelpCommandsTest, OpensTheManualBesideTheProgramOrSaysThereIsNone) {
    const struct {
        const char* name;
        bool shellAccepts;
        std::size_t messages;
    } cases[] = {{"viewer starts", true, 0}, {"shell refuses", false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_shown.clear();
        std::vector<std::string> opened;
        platform::SetShellHook([&](platform::ShellVerb verb, const std::string& path) {
            EXPECT_EQ(verb, platform::ShellVerb::Open);
            opened.push_back(path);
            return c.shellAccepts;
        });
        OpenManual(&m_owner);

        EXPECT_EQ(opened, std::vector<std::string>{GetProgramFolder() + "/Manual.html"});
        ASSERT_EQ(m_shown.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(m_shown[0].text, "No help is available!");
            EXPECT_EQ(m_shown[0].caption, "Help Is Not Installed");
            EXPECT_EQ(m_shown[0].kind, MessageKind::Error);
        }
    }
}

TEST_F(HelpCommandsTest, MissingManualIsReportedOncePerRequest) {
    // No Manual.html stands beside the test program, and the real shell
    // refuses to open a file that does not exist.
    OpenManual(&m_owner);
    OpenManual(&m_owner);
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[1].text, "No help is available!");
}

TEST_F(HelpCommandsTest, AboutBoxShowsThePictureAndClosesEveryWay) {
    using Close = void (*)(QDialog*);
    const struct {
        const char* name;
        Close close;
    } ways[] = {
        {"Enter", [](QDialog* box) { QTest::keyClick(box->focusWidget(), Qt::Key_Return); }},
        {"Escape", [](QDialog* box) { QTest::keyClick(box->focusWidget(), Qt::Key_Escape); }},
        {"OK button",
         [](QDialog* box) {
             QTest::mouseClick(box->findChild<QPushButton*>("aboutOk"), Qt::LeftButton);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        bool seen = false;
        bool forced = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), "About Varnolet");
            const auto* picture = box->findChild<QLabel*>("aboutPicture");
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(picture->pixmap().size(), QSize(300, 250));
            EXPECT_NE(box->findChild<QFrame*>("aboutSeparator"), nullptr);
            EXPECT_TRUE(picture->geometry().bottom() <
                        box->findChild<QPushButton*>("aboutOk")->geometry().top());
            way.close(box);
        });
        // A box that ignores its keys would hang the test: close it by force and fail.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                forced = true;
                box->done(QDialog::Rejected);
            }
        });
        watchdog.start(5000);
        ShowAbout(&m_owner);
        EXPECT_TRUE(seen);
        EXPECT_FALSE(forced);
    }
}

TEST(AboutPictureTest, IsDrawnNotBlank) {
    test::EnsureApplication();
    const QImage image = CAboutDialog::Picture().toImage();
    ASSERT_EQ(image.size(), QSize(300, 250));
    EXPECT_NE(image.pixel(150, 10), image.pixel(150, 110)); // the resource was found and drawn
}

} // namespace
} // namespace varnolet
