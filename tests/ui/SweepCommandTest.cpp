#include "ui/SweepCommand.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/qt/DisplayText.h"
#include "platform/qt/MessageBox.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/QtTestSupport.h"

namespace varnolet {
namespace {

using platform::MessageKind;
using test::ListFolder;
using test::WriteFile;

struct Message {
    std::string text;
    std::string caption;
    MessageKind kind;
    bool operator==(const Message&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << '"' << m.text << "\" / " << m.caption << " / " << static_cast<int>(m.kind);
}

const Message kAsk{"Are you sure you want to sweep the files presented in the list?", "Question",
                   MessageKind::Question};
const Message kBadOutput{"Invalid output!", "Warning", MessageKind::Warning};
const Message kBadTemplate{"Invalid template!", "Warning", MessageKind::Warning};
const Message kSomeFailed{"Job done, some files could not be swept.", "Warning",
                          MessageKind::Warning};
const Message kAllSwept{"Job done, all files were swept successfully.", "Information",
                        MessageKind::Information};

// "@" in a case's texts stands for the fixture folder.
std::string Expand(const std::string& text, const std::string& folder) {
    std::string result;
    for (char ch : text) {
        result += ch == '@' ? folder : std::string(1, ch);
    }
    return result;
}

struct SweepCase {
    const char* name;
    bool answerYes;
    std::vector<std::string> rows;
    std::string output;
    std::string templateText;
    bool pre;
    std::vector<Message> messages;
    std::vector<std::string> outputs;
    std::vector<std::string> outputHistory;
    std::vector<std::string> templateHistory;
};

const SweepCase kCases[] = {
    {"No stops everything", false, {"@in/a.txt"}, "@out", "", false, {kAsk}, {}, {}, {}},
    {"empty list asks and stops", true, {}, "@out", "", false, {kAsk}, {}, {}, {}},
    {"empty output", true, {"@in/a.txt"}, "", "", false, {kAsk, kBadOutput}, {}, {}, {}},
    {"output of blanks", true, {"@in/a.txt"}, "   ", "", false, {kAsk, kBadOutput}, {}, {}, {}},
    {"missing output folder",
     true,
     {"@in/a.txt"},
     "@nowhere",
     "",
     false,
     {kAsk, kBadOutput},
     {},
     {},
     {}},
    {"template of blanks",
     true,
     {"@in/a.txt"},
     "@out",
     "  ",
     false,
     {kAsk, kBadTemplate},
     {},
     {"@out"},
     {}},
    {"missing template",
     true,
     {"@in/a.txt"},
     "@out/",
     "@none.html",
     false,
     {kAsk, kBadTemplate},
     {},
     {"@out/"},
     {}},
    {"-none sweeps plain text",
     true,
     {"@in/a.txt"},
     "@out",
     " -NONE ",
     false,
     {kAsk, kAllSwept},
     {"a.txt.txt"},
     {"@out"},
     {" -NONE "}},
    {"template and pre",
     true,
     {"@in/a.txt", "@in/b.txt"},
     "@out",
     "@page.html",
     true,
     {kAsk, kAllSwept},
     {"a.txt.html", "b.txt.html"},
     {"@out"},
     {"@page.html"}},
    {"a vanished row warns",
     true,
     {"@in/a.txt", "@in/gone.txt"},
     "@out",
     "",
     false,
     {kAsk, kSomeFailed},
     {"a.txt.txt"},
     {"@out"},
     {}},
};

class SweepCommandTest : public ::testing::Test {
protected:
    SweepCommandTest() {
        ::mkdir((m_dir / "in").c_str(), 0755);
        ::mkdir((m_dir / "out").c_str(), 0755);
        WriteFile(m_dir / "in/a.txt", "a & b\r\n");
        WriteFile(m_dir / "in/b.txt", "b");
        WriteFile(m_dir / "page.html", "<body>$Varnolet$</body>");
        for (QComboBox* combo : {&m_output, &m_template}) {
            combo->setEditable(true);
        }
    }
    ~SweepCommandTest() override { platform::SetMessageBoxHook({}); }

    std::vector<std::string> Entries(const QComboBox& combo) const {
        std::vector<std::string> entries;
        for (int i = 0; i < combo.count(); ++i) {
            entries.push_back(platform::FromDisplay(combo.itemText(i)));
        }
        return entries;
    }
    std::vector<std::string> Expanded(const std::vector<std::string>& texts) const {
        std::vector<std::string> result;
        for (const std::string& text : texts) {
            result.push_back(Expand(text, m_dir.Path()));
        }
        return result;
    }
    SweepControls Controls() {
        return {&m_owner, &m_output, &m_template, &m_spaces, &m_numeric, &m_pre};
    }

    // Widgets need the application first; members are built in this order.
    QApplication& m_app = test::EnsureApplication();
    test::TempDir m_dir;
    QWidget m_owner;
    QComboBox m_output{&m_owner};
    QComboBox m_template{&m_owner};
    QCheckBox m_spaces{&m_owner};
    QCheckBox m_numeric{&m_owner};
    QCheckBox m_pre{&m_owner};
};

TEST_F(SweepCommandTest, AsksChecksSweepsAndTells) {
    for (const SweepCase& c : kCases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : ListFolder(m_dir / "out")) {
            ::unlink((m_dir / ("out/" + name)).c_str());
        }
        m_output.clear();
        m_template.clear();
        m_output.setEditText(platform::ToDisplay(Expand(c.output, m_dir.Path())));
        m_template.setEditText(platform::ToDisplay(Expand(c.templateText, m_dir.Path())));
        m_pre.setChecked(c.pre);

        std::vector<Message> shown;
        bool cursorShownDuringMessage = false;
        platform::SetMessageBoxHook([&](const platform::ShownMessage& m) {
            shown.push_back({m.text, m.caption, m.kind});
            cursorShownDuringMessage |= QApplication::overrideCursor() != nullptr;
            return m.kind == MessageKind::Question
                       ? (c.answerYes ? platform::IDYES : platform::IDNO)
                       : platform::IDOK;
        });
        OnSweepCommand(Controls(), Expanded(c.rows));

        EXPECT_EQ(shown, c.messages);
        EXPECT_FALSE(cursorShownDuringMessage);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(ListFolder(m_dir / "out"), c.outputs);
        EXPECT_EQ(Entries(m_output), Expanded(c.outputHistory));
        EXPECT_EQ(Entries(m_template), Expanded(c.templateHistory));
    }
}

TEST_F(SweepCommandTest, ReadsTheOptionBoxesAndAddsNewTextsOnTop) {
    platform::SetMessageBoxHook([](const platform::ShownMessage& m) {
        return m.kind == MessageKind::Question ? platform::IDYES : platform::IDOK;
    });
    m_output.addItem("/older/");
    m_template.addItem(platform::ToDisplay(m_dir / "PAGE.HTML"));
    m_output.setEditText(platform::ToDisplay(m_dir / "out"));
    m_template.setEditText(platform::ToDisplay(m_dir / "page.html"));
    m_spaces.setChecked(true);
    m_numeric.setChecked(true);
    m_pre.setChecked(true);

    OnSweepCommand(Controls(), {m_dir / "in/a.txt"});

    EXPECT_EQ(test::ReadFile(m_dir / "out/a.txt.html"),
              "<body><pre>\r\na&#160;&#38;&#160;b\r\n</pre></body>\r\n");
    EXPECT_EQ(Entries(m_output), (std::vector<std::string>{m_dir / "out", "/older/"}));
    // A text already in the history, in another letter case, keeps its place.
    EXPECT_EQ(Entries(m_template), std::vector<std::string>{m_dir / "PAGE.HTML"});
}

TEST_F(SweepCommandTest, FolderAndTemplateNamesThatAreNotUtf8StayExact) {
    platform::SetMessageBoxHook([](const platform::ShownMessage& m) {
        return m.kind == MessageKind::Question ? platform::IDYES : platform::IDOK;
    });
    const std::string folder = m_dir / "sortie \xe9t\xe9/";
    const std::string page = m_dir / "mod\xe8le.html";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    test::WriteFile(page, "<p>$Varnolet$</p>");
    m_output.setEditText(platform::ToDisplay(folder));
    m_template.setEditText(platform::ToDisplay(page));

    OnSweepCommand(Controls(), {m_dir / "in/a.txt"});

    EXPECT_EQ(ListFolder(folder), std::vector<std::string>{"a.txt.html"});
    EXPECT_EQ(Entries(m_output), std::vector<std::string>{folder});
    EXPECT_EQ(Entries(m_template), std::vector<std::string>{page});
}

} // namespace
} // namespace varnolet
