#include "convert/Sweep.h"

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "convert/ConvertFile.h"
#include "convert/TextFile.h"
#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"

namespace varnolet {
namespace {

using test::Exists;
using test::ListFolder;
using test::ReadFile;
using test::WriteFile;

class SweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::mkdir(In().c_str(), 0755);
        ::mkdir(Out().c_str(), 0755);
        m_tempBefore = ListFolder(platform::GetTempFolderPath());
    }

    void TearDown() override {
        // Every conversion wipes its scratch copy, whatever happened to the row.
        EXPECT_EQ(ListFolder(platform::GetTempFolderPath()), m_tempBefore);
    }

    std::string In(std::string_view name = "") const { return m_dir / ("in/" + std::string(name)); }
    std::string Out(std::string_view name = "") const {
        return m_dir / ("out/" + std::string(name));
    }
    std::string Input(std::string_view name, std::string_view bytes) const {
        WriteFile(In(name), bytes);
        return In(name);
    }
    std::string Template(std::string_view bytes) const {
        WriteFile(m_dir / "page.tpl", bytes);
        return m_dir / "page.tpl";
    }
    SweepResult Sweep(const std::vector<std::string>& rows, const std::string& templateText,
                      SweepOptions options = {}, const SweepRowHook& hook = {}) const {
        return SweepFiles(rows, Out(), templateText, options, hook);
    }

    test::TempDir m_dir;
    std::vector<std::string> m_tempBefore;
};

constexpr const char* kNotes = "Hello & bye\r\nline2";
constexpr const char* kNoFile = nullptr;

struct FormCase {
    const char* name;
    const char* templateBytes; // kNoFile: the field holds `field` instead of a template path
    const char* field;
    SweepOptions options;
    const char* input;
    const char* outputName;
    const char* outputBytes;
};

const FormCase kForms[] = {
    {"no template, line breaks",
     kNoFile,
     "",
     {},
     kNotes,
     "notes.txt.txt",
     "Hello &amp; bye<br />\r\nline2\r\n"},
    {"no template, pre",
     kNoFile,
     "-none",
     {.bPre = true},
     kNotes,
     "notes.txt.txt",
     "<pre>\r\nHello &amp; bye\r\nline2\r\n</pre>"},
    {"-none in other case with blanks",
     kNoFile,
     " \t-NoNe  ",
     {.bSpaces = true, .bNumeric = true},
     "a b&c",
     "notes.txt.txt",
     "a&#160;b&#38;c\r\n"},
    {"template, line breaks",
     "<html>\r\n$Varnolet$\r\n</html>",
     "",
     {},
     kNotes,
     "notes.txt.html",
     "<html>\r\nHello &amp; bye<br />\r\nline2\r\n\r\n</html>\r\n"},
    {"template, pre",
     "<html>\n$Varnolet$\n</html>\n",
     "",
     {.bPre = true},
     kNotes,
     "notes.txt.html",
     "<html>\r\n<pre>\r\nHello &amp; bye\r\nline2\r\n</pre>\r\n</html>\r\n"},
    {"template without placeholder",
     "<p>fixed</p>",
     "",
     {},
     kNotes,
     "notes.txt.html",
     "<p>fixed</p>\r\n"},
    {"two placeholders, LF template",
     "A$Varnolet$B\n$Varnolet$",
     "",
     {.bPre = true},
     "x",
     "notes.txt.html",
     "A<pre>\r\nx\r\n</pre>B\r\n<pre>\r\nx\r\n</pre>\r\n"},
    {"placeholder inside the input stays",
     "[$Varnolet$]",
     "",
     {},
     "$Varnolet$",
     "notes.txt.html",
     "[$Varnolet$\r\n]\r\n"},
    {"placeholder in other case stays",
     "$varnolet$ $VARNOLET$",
     "",
     {},
     "x",
     "notes.txt.html",
     "$varnolet$ $VARNOLET$\r\n"},
    {"empty input, pre, template",
     "<b>$Varnolet$</b>",
     "",
     {.bPre = true},
     "",
     "notes.txt.html",
     "<b><pre>\r\n</pre></b>\r\n"},
};

TEST_F(SweepTest, WritesEachOutputForm) {
    for (const FormCase& c : kForms) {
        SCOPED_TRACE(c.name);
        test::TempDir out;
        const std::string input = Input("notes.txt", c.input);
        const std::string field = c.templateBytes ? Template(c.templateBytes) : c.field;

        const SweepResult result = SweepFiles({input}, out.Path(), field, c.options);

        EXPECT_EQ(result.nFailures, 0);
        EXPECT_EQ(result.nSwept, 1);
        EXPECT_EQ(ListFolder(out.Path()), std::vector<std::string>{c.outputName});
        EXPECT_EQ(ReadFile(out / c.outputName), c.outputBytes);
        EXPECT_EQ(ReadFile(input), c.input);
    }
}

// The page as the plain road makes it: convert into a file, read that back in
// text mode, wrap and fill the template, write it again.
std::string PageTheLongWay(const std::string& input, const std::string& templatePath,
                           const SweepOptions& options) {
    test::TempDir scratch;
    EXPECT_TRUE(ConvertFile(input, scratch / "converted", options.bSpaces, !options.bPre,
                            options.bNumeric, true));
    std::string body;
    EXPECT_TRUE(ReadTextLines(scratch / "converted", body));
    if (options.bPre) {
        body = "<pre>\n" + body + "</pre>";
    }
    std::string page = body;
    if (!templatePath.empty()) {
        EXPECT_TRUE(ReadTextLines(templatePath, page));
        ReplaceAll(page, kPlaceholder, body);
    }
    {
        platform::UniqueFd out =
            platform::OpenFile((scratch / "page").c_str(), O_WRONLY | O_CREAT, 0600);
        EXPECT_TRUE(WriteText(out.Get(), page));
    }
    return ReadFile(scratch / "page");
}

TEST_F(SweepTest, WritesThePageInOnePassAsTheLongWayWould) {
    // Line ends of every kind, split across the reader's 1 MiB blocks too.
    const std::string block(1 << 20, 'a');
    const struct {
        const char* name;
        std::string bytes;
    } inputs[] = {
        {"empty", ""},
        {"lone and doubled CRs", "a\rb\r\r\nc\n\rd\r"},
        {"no last line end", "x & y\r\nz"},
        {"ends in CR LF", "<tag>\r\n"},
        {"form feed and Latin-1", "caf\xe9\f\xa0 \"q\""},
        {"CR LF across a block", block.substr(1) + "\r\n" + block + "\r"},
    };
    const std::string templates[] = {"", Template("<a>$Varnolet$|$Varnolet$\r</a>"),
                                     Template("no place here")};
    const SweepOptions optionSets[] = {{}, {.bPre = true}, {.bSpaces = true, .bNumeric = true}};
    for (const auto& input : inputs) {
        const std::string path = Input("in.txt", input.bytes);
        for (const std::string& templ : templates) {
            for (const SweepOptions& options : optionSets) {
                SCOPED_TRACE(std::string(input.name) + " / " + templ + " / pre " +
                             std::to_string(options.bPre) + " spaces " +
                             std::to_string(options.bSpaces));
                test::TempDir out;
                ASSERT_EQ(SweepFiles({path}, out.Path(), templ, options).nFailures, 0);
                const std::vector<std::string> names = ListFolder(out.Path());
                ASSERT_EQ(names.size(), 1u);
                EXPECT_EQ(ReadFile(out / names[0]), PageTheLongWay(path, templ, options));
            }
        }
    }
}

TEST_F(SweepTest, EachPageHoldsOnlyItsOwnRowsText) {
    // The rows share one scratch copy: a shorter text must not inherit the
    // tail of a longer one before it.
    const std::vector<std::string> rows = {Input("long.txt", "a long first text\r\nwith more"),
                                           Input("short.txt", "hi"), Input("empty.txt", ""),
                                           Input("last.txt", "z")};

    EXPECT_EQ(Sweep(rows, "-none", {.bPre = true}).nFailures, 0);

    EXPECT_EQ(ReadFile(Out("long.txt.txt")), "<pre>\r\na long first text\r\nwith more\r\n</pre>");
    EXPECT_EQ(ReadFile(Out("short.txt.txt")), "<pre>\r\nhi\r\n</pre>");
    EXPECT_EQ(ReadFile(Out("empty.txt.txt")), "<pre>\r\n</pre>");
    EXPECT_EQ(ReadFile(Out("last.txt.txt")), "<pre>\r\nz\r\n</pre>");
}

TEST_F(SweepTest, NeverWritesThroughALinkAtTheName) {
    const std::string input = Input("x.txt", "x");
    ASSERT_EQ(::symlink((m_dir / "target").c_str(), Out("x.txt.txt").c_str()), 0);

    EXPECT_EQ(Sweep({input}, "").nFailures, 0);

    EXPECT_FALSE(Exists(m_dir / "target"));
    EXPECT_EQ(ReadFile(Out("x.txt.txt.txt")), "x\r\n");
}

TEST_F(SweepTest, RepeatsTheExtensionUntilTheNameIsFree) {
    ::mkdir((m_dir / "in/sub").c_str(), 0755);
    const std::string first = Input("notes.txt", "one");
    const std::string second = Input("sub/notes.txt", "two");
    const std::string page = Template("$Varnolet$");
    // Something else already holds the next name: a folder is never written into.
    ::mkdir(Out("notes.txt.html.html").c_str(), 0755);

    EXPECT_EQ(Sweep({first, second}, page).nFailures, 0);
    EXPECT_EQ(Sweep({first}, page).nFailures, 0);
    EXPECT_EQ(Sweep({first}, "").nFailures, 0);

    EXPECT_EQ(ListFolder(Out()),
              (std::vector<std::string>{"notes.txt.html", "notes.txt.html.html",
                                        "notes.txt.html.html.html", "notes.txt.html.html.html.html",
                                        "notes.txt.txt"}));
    // The template's own line end follows the body's.
    EXPECT_EQ(ReadFile(Out("notes.txt.html")), "one\r\n\r\n");
    EXPECT_EQ(ReadFile(Out("notes.txt.html.html.html")), "two\r\n\r\n");
    EXPECT_EQ(ReadFile(Out("notes.txt.html.html.html.html")), "one\r\n\r\n");
    EXPECT_EQ(ReadFile(Out("notes.txt.txt")), "one\r\n");
}

TEST_F(SweepTest, CountsMissingRowsAndGoesOn) {
    const std::string good = Input("a.txt", "a");
    const std::string other = Input("b.txt", "b");
    const SweepResult result = Sweep({In("gone.txt"), good, In(""), other}, "-none");

    EXPECT_EQ(result.nFailures, 2);
    EXPECT_EQ(result.nSwept, 2);
    EXPECT_EQ(ListFolder(Out()), (std::vector<std::string>{"a.txt.txt", "b.txt.txt"}));
}

TEST_F(SweepTest, TemplateVanishingMidSweepKeepsTheBodyButCountsTheRow) {
    const std::string a = Input("a.txt", "a");
    const std::string b = Input("b.txt", "b");
    const std::string page = Template("<p>$Varnolet$</p>");

    const SweepResult result = Sweep({a, b}, page, {}, [&](std::size_t row) {
        if (row == 1) {
            platform::RemoveFile(page);
        }
    });

    EXPECT_EQ(result.nFailures, 1);
    EXPECT_EQ(result.nSwept, 1);
    EXPECT_EQ(ReadFile(Out("a.txt.html")), "<p>a\r\n</p>\r\n");
    EXPECT_EQ(ReadFile(Out("b.txt.html")), "b\r\n");
}

TEST_F(SweepTest, OutputFolderTurningReadOnlyMidSweepFailsTheRest) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "permission bits mean nothing to root";
    }
    const std::vector<std::string> rows = {Input("a.txt", "a"), Input("b.txt", "b"),
                                           Input("c.txt", "c")};
    const SweepResult result = Sweep(rows, "", {}, [&](std::size_t row) {
        if (row == 1) {
            ::chmod(Out().c_str(), 0555);
        }
    });
    ::chmod(Out().c_str(), 0755);

    EXPECT_EQ(result.nFailures, 2);
    EXPECT_EQ(result.nSwept, 1);
    EXPECT_EQ(ListFolder(Out()), std::vector<std::string>{"a.txt.txt"});
    EXPECT_EQ(ReadFile(rows[1]), "b");
}

// A file-size limit makes writes past it fail as a full disk does, without
// needing a small file system.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(SweepTest, FullDiskFailsTheRowAndLeavesNoTornPage) {
    constexpr rlim_t kLimit = 64 * 1024;
    const std::string bigLine(40 * 1024, 'x');
    const std::vector<std::string> rows = {
        Input("small.txt", "small"),
        Input("huge.txt", std::string(2 * kLimit, 'y')), // the copy itself does not fit
        Input("doubled.txt", bigLine),                   // fits once, not twice
        Input("last.txt", "last"),
    };
    const std::string page = Template("$Varnolet$$Varnolet$");
    SweepResult result;
    {
        FileSizeLimit limit(kLimit);
        result = Sweep(rows, page);
    }

    EXPECT_EQ(result.nFailures, 2);
    EXPECT_EQ(result.nSwept, 2);
    EXPECT_EQ(ListFolder(Out()), (std::vector<std::string>{"last.txt.html", "small.txt.html"}));
    EXPECT_EQ(ReadFile(rows[2]), bigLine);
}

TEST(SweepFieldTest, TellsWhetherATemplateIsWanted) {
    const struct {
        const char* text;
        bool wanted;
    } cases[] = {{"", false},      {"-none", false}, {"-NONE", false}, {" \t-None\r\n", false},
                 {"   ", true},    {"-none-", true}, {"- none", true}, {"page.html", true},
                 {"\v-none", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(UsesTemplate(c.text), c.wanted);
    }
}

TEST(SweepFieldTest, ChecksOutputAndTemplate) {
    test::TempDir dir;
    ::mkdir((dir / "out").c_str(), 0755);
    WriteFile(dir / "page.html", "$Varnolet$");

    std::string folder = dir / "out";
    EXPECT_TRUE(CheckOutputFolder(folder));
    EXPECT_EQ(folder, dir / "out/");
    folder = dir / "out\\";
    EXPECT_TRUE(CheckOutputFolder(folder));
    EXPECT_EQ(folder, dir / "out/");
    for (std::string bad :
         {std::string(), std::string("   "), dir / "missing", dir / "page.html"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(CheckOutputFolder(bad));
    }

    EXPECT_TRUE(CheckTemplate(dir / "page.html"));
    EXPECT_TRUE(CheckTemplate(""));
    EXPECT_TRUE(CheckTemplate(" -NONE "));
    EXPECT_FALSE(CheckTemplate("   "));
    EXPECT_FALSE(CheckTemplate(dir / "missing.html"));
    EXPECT_FALSE(CheckTemplate(dir / "out"));
    EXPECT_FALSE(CheckTemplate(dir / "page.html "));
}

TEST(ReplaceAllTest, ReplacesEveryOccurrenceOnce) {
    const struct {
        const char* text;
        const char* placeholder;
        const char* replacement;
        const char* result;
    } cases[] = {
        {"a$X$b$X$c", "$X$", "-", "a-b-c"}, {"$X$$X$", "$X$", "", ""},
        {"$X$", "$X$", "[$X$]", "[$X$]"},   {"$X", "$X$", "y", "$X"},
        {"$x$", "$X$", "y", "$x$"},         {"abc", "", "y", "abc"},
        {"aaaa", "aa", "a", "aa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        ReplaceAll(text, c.placeholder, c.replacement);
        EXPECT_EQ(text, c.result);
    }
}

} // namespace
} // namespace varnolet
