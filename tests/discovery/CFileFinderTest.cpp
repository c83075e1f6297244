#include "discovery/CFileFinder.h"

#include <algorithm>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace varnolet {
namespace {

std::vector<std::string> g_hits;

void Collect(const char* path) {
    g_hits.emplace_back(path);
}

void MakeFolder(const std::string& path) {
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0) << path;
}

std::vector<std::string> Search(const std::string& folder, FinderMode mode,
                                const char* pattern = "", const char* query = "") {
    g_hits.clear();
    CFileFinder finder(Collect, folder.c_str(), pattern, query);
    finder.Search(mode);
    return g_hits;
}

std::vector<std::string> Sorted(std::vector<std::string> list) {
    std::sort(list.begin(), list.end());
    return list;
}

// The order a depth-first, pre-order walk must give, worked out from the
// listings themselves because readdir's order is the file system's.
void ExpectedFiles(const std::string& folder, std::vector<std::string>& out) {
    DIR* dir = ::opendir(folder.c_str());
    ASSERT_NE(dir, nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (entry->d_type == DT_DIR) {
            ExpectedFiles(folder + name + "/", out);
        } else {
            out.push_back(folder + name);
        }
    }
    ::closedir(dir);
}

std::string ExceptionText(FinderHandler handler, const char* folder, const char* pattern,
                          const char* query) {
    try {
        CFileFinder finder(handler, folder, pattern, query);
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "no exception";
}

constexpr const char* kHandlerMessage = "Invalid function pointer(handler).";
constexpr const char* kFolderMessage = "Invalid directory.";
constexpr const char* kPatternMessage = "The szPattern parameter contains invalid characters.";
constexpr const char* kQueryMessage = "The szQuery parameter contains invalid characters.";

TEST(CFileFinder, RefusesBadInputWithTheFirstFaultsMessage) {
    test::TempDir dir;
    test::WriteFile(dir / "file.txt", "x");
    const std::string here = dir.Path();
    const std::string file = dir / "file.txt";
    struct Case {
        const char* name;
        FinderHandler handler;
        std::string folder;
        const char* pattern;
        const char* query;
        const char* message;
    };
    const Case cases[] = {
        {"null handler before all else", nullptr, "/missing", "*", "?", kHandlerMessage},
        {"missing folder before bad lists", Collect, here + "missing", "*", "?", kFolderMessage},
        {"file given as folder", Collect, file, "", "", kFolderMessage},
        {"empty folder text", Collect, "", "", "", kFolderMessage},
        {"blank folder text", Collect, " \t\r\n", "", "", kFolderMessage},
        {"keyword with a path after it", Collect, "-win\\passwd", "", "", kFolderMessage},
        {"pattern before query", Collect, here, "*.txt", "?", kPatternMessage},
        {"wildcard extension", Collect, here, "txt, *.txt", "", kPatternMessage},
        {"slash in extension", Collect, here, "a/b", "", kPatternMessage},
        {"no-extension item in keywords", Collect, here, "-?", "-?", kQueryMessage},
        {"tab inside a keyword", Collect, here, "", "two\twords", kQueryMessage},
        {"colon in a keyword", Collect, here, "", "ok, c:x", kQueryMessage},
        {"every invalid keyword char", Collect, here, "", "<", kQueryMessage},
        {"space inside items is fine", Collect, here, "t x t", "two words", "no exception"},
        {"semicolon is no separator", Collect, here, "txt;htm", "", "no exception"},
        {"folder keyword any case", Collect, " -SYS ", "", "", "no exception"},
        {"root keyword", Collect, "-Root", "", "", "no exception"},
        {"backslashes written as slashes", Collect, dir.Path() + "\\", "", "", "no exception"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExceptionText(c.handler, c.folder.c_str(), c.pattern, c.query), c.message);
    }
}

TEST(CFileFinder, EveryByteInsideAnItemIsAcceptedOrRefusedByTheInvalidSet) {
    test::TempDir dir;
    const std::string invalid = "\\/:*?\"<>|\t\r\f\n";
    for (int byte = 1; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        if (c == ',') {
            continue;
        }
        const std::string item = std::string("a") + c + "b";
        const bool refused = invalid.find(c) != std::string::npos;
        SCOPED_TRACE(byte);
        EXPECT_EQ(ExceptionText(Collect, dir.Path().c_str(), item.c_str(), ""),
                  refused ? kPatternMessage : "no exception");
        EXPECT_EQ(ExceptionText(Collect, dir.Path().c_str(), "", item.c_str()),
                  refused ? kQueryMessage : "no exception");
    }
}

TEST(CFileFinder, ExtensionListWithNoExtensionItem) {
    test::TempDir dir;
    const char* names[] = {"Notes.TXT", "README", "name.",     "a.txt.bak", "b.htm",
                           "c.doc",     "odd.-?", "x.txt;htm", "sp. txt "};
    for (const char* name : names) {
        test::WriteFile(dir / name, "");
    }
    struct Case {
        const char* pattern;
        std::vector<std::string> hits;
    };
    const Case cases[] = {
        {"txt, HTM,txt,,-?", {"Notes.TXT", "README", "b.htm", "name.", "sp. txt "}},
        {"txt,-?", {"Notes.TXT", "README", "name.", "sp. txt "}},
        {"txt;htm", {"x.txt;htm"}},
        {".txt", {}},
        {"  -ALL ", {names, names + 9}},
        {"", {names, names + 9}},
        {" \t ", {names, names + 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::vector<std::string> expected;
        for (const std::string& name : c.hits) {
            expected.push_back(dir / name);
        }
        EXPECT_EQ(Sorted(Search(dir.Path(), FM_FILES_LOCAL, c.pattern)), Sorted(expected));
    }
}

TEST(CFileFinder, KeywordAndNameMatchWhenEitherHoldsTheOther) {
    struct Case {
        const char* query;
        const char* file;
        bool hit;
    };
    const Case cases[] = {
        {"txt", "notes.txt", false},
        {"profile", ".profile", true},
        {"report", "rep.txt", true},
        {"rep", "my.report.doc", true},
        {"rep", "Annual Report.txt", true},
        {"REPORT", "rep", true},
        {"xyz", "abc.txt", false},
        {"doc", "my.report.doc", false},
        {"zzz, abc", "abc.txt", true},
        {"two words", "two words here.txt", true},
        {"a", ". .txt", false},
        {"b", " b .txt", true},
        {"-all", "anything.txt", true},
        {"", "anything.txt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.query) + " / " + c.file);
        test::TempDir dir;
        test::WriteFile(dir / c.file, "");
        const auto hits = Search(dir.Path(), FM_FILES_LOCAL, "", c.query);
        EXPECT_EQ(hits.size(), c.hit ? 1u : 0u);
    }
}

class FinderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteFile(m_dir / "top.txt", "");
        test::WriteFile(m_dir / ".hidden.txt", "");
        MakeFolder(m_dir / "a");
        test::WriteFile(m_dir / "a/one.txt", "");
        MakeFolder(m_dir / "a/b");
        MakeFolder(m_dir / "a/b/c");
        test::WriteFile(m_dir / "a/b/c/deep.txt", "");
        MakeFolder(m_dir / "x.txt");
        test::WriteFile(m_dir / "x.txt/inside.txt", "");
        MakeFolder(m_dir / "report");
        test::WriteFile(m_dir / "report/z.doc", "");
    }

    test::TempDir m_dir;
};

TEST_F(FinderTreeTest, RecursiveWalkIsDepthFirstPreOrder) {
    std::vector<std::string> expected;
    ExpectedFiles(m_dir.Path(), expected);
    EXPECT_EQ(Search(m_dir.Path(), FM_FILES_RECURSIVE), expected);
    const auto hits = Search(m_dir.Path(), FM_FILES_RECURSIVE, "txt");
    EXPECT_NE(std::find(hits.begin(), hits.end(), m_dir / "a/b/c/deep.txt"), hits.end());
    EXPECT_NE(std::find(hits.begin(), hits.end(), m_dir / ".hidden.txt"), hits.end());
    EXPECT_EQ(std::find(hits.begin(), hits.end(), m_dir / "x.txt"), hits.end());
}

TEST_F(FinderTreeTest, LocalFileSearchEntersNoFolder) {
    EXPECT_EQ(Sorted(Search(m_dir.Path(), FM_FILES_LOCAL, "txt")),
              Sorted({m_dir / ".hidden.txt", m_dir / "top.txt"}));
}

TEST_F(FinderTreeTest, FolderModesReportFoldersWithTheSeparator) {
    EXPECT_EQ(Sorted(Search(m_dir.Path(), FM_FOLDERS_LOCAL)),
              Sorted({m_dir / "a/", m_dir / "report/", m_dir / "x.txt/"}));
    EXPECT_EQ(Sorted(Search(m_dir.Path(), FM_FOLDERS_RECURSIVE)),
              Sorted({m_dir / "a/", m_dir / "a/b/", m_dir / "a/b/c/", m_dir / "report/",
                      m_dir / "x.txt/"}));
    // Folder names keep their "extension" for the keyword test.
    EXPECT_EQ(Search(m_dir.Path(), FM_FOLDERS_LOCAL, "", "txt"),
              std::vector<std::string>{m_dir / "x.txt/"});
    EXPECT_EQ(Search(m_dir.Path(), FM_FOLDERS_RECURSIVE, "", "c"),
              std::vector<std::string>{m_dir / "a/b/c/"});
}

TEST_F(FinderTreeTest, StartFolderIsNormalisedAndSearchingTwiceReportsTwice) {
    const std::string folder = m_dir.Path().substr(0, m_dir.Path().size() - 1);
    g_hits.clear();
    CFileFinder finder(Collect, ("  " + folder + "\\a\\b ").c_str(), "TXT", "");
    finder.Search(FM_FILES_RECURSIVE);
    finder.Search(FM_FILES_RECURSIVE);
    EXPECT_EQ(g_hits, std::vector<std::string>(2, m_dir / "a/b/c/deep.txt"));
}

TEST_F(FinderTreeTest, SetPatternAndSetQueryReplaceTheLists) {
    g_hits.clear();
    CFileFinder finder(Collect, m_dir.Path().c_str(), "doc", "");
    finder.SetPattern("txt");
    finder.SetQuery("deep");
    EXPECT_THROW(finder.SetQuery("a|b"), std::invalid_argument);
    finder.Search(FM_FILES_RECURSIVE);
    EXPECT_EQ(g_hits, std::vector<std::string>{m_dir / "a/b/c/deep.txt"});
}

void Throwing(const char*) {
    throw std::runtime_error("from the handler");
}

TEST_F(FinderTreeTest, HandlerExceptionsPassThrough) {
    CFileFinder finder(Throwing, m_dir.Path().c_str(), "", "");
    EXPECT_THROW(finder.Search(FM_FILES_RECURSIVE), std::runtime_error);
}

TEST(CFileFinder, FolderKeywordsLeadToTheWellKnownFolders) {
    const auto etc = Search("-WIN", FM_FILES_LOCAL, "-?", "passwd");
    EXPECT_NE(std::find(etc.begin(), etc.end(), "/etc/passwd"), etc.end());
    const auto system = Search(" -sys ", FM_FOLDERS_LOCAL);
    ASSERT_FALSE(system.empty());
    for (const std::string& hit : system) {
        EXPECT_EQ(hit.rfind("/usr/lib/", 0), 0u) << hit;
    }
    const auto root = Search("-root", FM_FOLDERS_LOCAL, "", "usr");
    EXPECT_NE(std::find(root.begin(), root.end(), "/usr/"), root.end());
}

TEST(CFileFinder, NamesAreReportedByteForByte) {
    test::TempDir dir;
    const std::string names[] = {" lead and trail .txt", "line\nbreak.txt", "caf\xE9 \xFF.txt",
                                 "back\\slash.txt"};
    MakeFolder(dir / "sub dir\n\xE9");
    for (const std::string& name : names) {
        test::WriteFile(dir / "sub dir\n\xE9/" + name, "");
    }
    std::vector<std::string> expected;
    for (const std::string& name : names) {
        expected.push_back(dir / "sub dir\n\xE9/" + name);
    }
    EXPECT_EQ(Sorted(Search(dir.Path(), FM_FILES_RECURSIVE, "txt")), Sorted(expected));
}

TEST(CFileFinder, LinkedFoldersAreFileEntriesAndLoopsEndTheirWalk) {
    test::TempDir dir;
    MakeFolder(dir / "real");
    test::WriteFile(dir / "real/file.txt", "");
    ASSERT_EQ(::symlink("..", (dir / "real/up").c_str()), 0);
    ASSERT_EQ(::symlink("real", (dir / "linked").c_str()), 0);
    ASSERT_EQ(::symlink("self", (dir / "self").c_str()), 0);
    EXPECT_EQ(Sorted(Search(dir.Path(), FM_FILES_RECURSIVE)),
              Sorted({dir / "linked", dir / "real/file.txt", dir / "real/up", dir / "self"}));
    EXPECT_EQ(Search(dir.Path(), FM_FOLDERS_RECURSIVE), std::vector<std::string>{dir / "real/"});
}

std::vector<std::pair<std::string, bool>> g_flaggedHits;

void CollectFlagged(const char* path, bool isRegularFile) {
    g_flaggedHits.emplace_back(path, isRegularFile);
}

std::vector<std::pair<std::string, bool>> SearchFlagged(const std::string& folder,
                                                        FinderMode mode) {
    g_flaggedHits.clear();
    CFileFinder finder(CollectFlagged, folder.c_str(), "", "");
    finder.Search(mode);
    std::sort(g_flaggedHits.begin(), g_flaggedHits.end());
    return g_flaggedHits;
}

// The second kind of handler sees the same hits, each told whether the
// listing already knew it for a regular file; only a plain file is.
TEST(CFileFinder, HitHandlerIsToldWhichHitsAreKnownRegularFiles) {
    test::TempDir dir;
    test::WriteFile(dir / "plain.txt", "x");
    MakeFolder(dir / "sub");
    test::WriteFile(dir / "sub/inner.txt", "x");
    ASSERT_EQ(::symlink("plain.txt", (dir / "to-file").c_str()), 0);
    ASSERT_EQ(::symlink("sub", (dir / "to-folder").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    using Hits = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(SearchFlagged(dir.Path(), FM_FILES_RECURSIVE), (Hits{{dir / "dangling", false},
                                                                   {dir / "pipe", false},
                                                                   {dir / "plain.txt", true},
                                                                   {dir / "sub/inner.txt", true},
                                                                   {dir / "to-file", false},
                                                                   {dir / "to-folder", false}}));
    EXPECT_EQ(SearchFlagged(dir.Path(), FM_FOLDERS_RECURSIVE), (Hits{{dir / "sub/", false}}));
    EXPECT_EQ(
        Sorted(Search(dir.Path(), FM_FILES_RECURSIVE)),
        (std::vector<std::string>{dir / "dangling", dir / "pipe", dir / "plain.txt",
                                  dir / "sub/inner.txt", dir / "to-file", dir / "to-folder"}));
    try {
        CFileFinder finder(static_cast<FinderHitHandler>(nullptr), dir.Path().c_str(), "", "");
        ADD_FAILURE() << "a null hit handler was taken";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), kHandlerMessage);
    }
}

TEST(CFileFinder, UnreadableFolderIsPassedOverAndTheWalkGoesOn) {
    if (!test::PermissionsEnforced()) {
        GTEST_SKIP() << "root reads every folder";
    }
    test::TempDir dir;
    for (const char* name : {"a", "b", "c"}) {
        MakeFolder(dir / name);
        test::WriteFile(dir / name + "/f.txt", "");
    }
    ASSERT_EQ(::chmod((dir / "b").c_str(), 0), 0);
    EXPECT_EQ(Sorted(Search(dir.Path(), FM_FILES_RECURSIVE)),
              Sorted({dir / "a/f.txt", dir / "c/f.txt"}));
}

std::string g_vanishRoot;

// Removes both subfolders as soon as the first hit comes in, so the walk meets
// a folder that was listed but is gone when it is opened.
void RemoveFoldersOnFirstHit(const char* path) {
    g_hits.emplace_back(path);
    if (g_hits.size() == 1) {
        for (const char* name : {"p", "q"}) {
            ::unlink((g_vanishRoot + name + "/f.txt").c_str());
            ::rmdir((g_vanishRoot + name).c_str());
        }
    }
}

TEST(CFileFinder, AFolderThatVanishesDuringTheWalkIsPassedOver) {
    test::TempDir dir;
    g_vanishRoot = dir.Path();
    for (const char* name : {"p", "q"}) {
        MakeFolder(dir / name);
        test::WriteFile(dir / name + "/f.txt", "");
    }
    g_hits.clear();
    CFileFinder finder(RemoveFoldersOnFirstHit, dir.Path().c_str(), "", "");
    finder.Search(FM_FILES_RECURSIVE);
    ASSERT_EQ(g_hits.size(), 1u);
    EXPECT_TRUE(g_hits[0] == dir / "p/f.txt" || g_hits[0] == dir / "q/f.txt") << g_hits[0];
}

struct DeepSearch {
    std::string folder;
    FinderMode mode;
    const char* query;
    std::vector<std::string> hits;
};

void* RunDeepSearch(void* argument) {
    auto* search = static_cast<DeepSearch*>(argument);
    search->hits = Search(search->folder, search->mode, "", search->query);
    return nullptr;
}

// Runs the search on a thread with a small stack, so that a walk whose stack
// grows with the depth of the tree crashes here instead of passing.
std::vector<std::string> SearchOnSmallStack(const std::string& folder, FinderMode mode,
                                            const char* query) {
    DeepSearch search{folder, mode, query, {}};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 64 * 1024);
    pthread_t thread;
    EXPECT_EQ(pthread_create(&thread, &attributes, RunDeepSearch, &search), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    return search.hits;
}

TEST(CFileFinder, TreesDeeperThanAThousandLevelsAreWalked) {
    test::TempDir dir;
    constexpr int kDepth = 1100;
    std::string path = dir.Path();
    for (int level = 0; level < kDepth; ++level) {
        path += "d/";
        MakeFolder(path);
    }
    test::WriteFile(path + "bottom.txt", "");
    EXPECT_EQ(SearchOnSmallStack(dir.Path(), FM_FILES_RECURSIVE, ""),
              std::vector<std::string>{path + "bottom.txt"});
    EXPECT_EQ(SearchOnSmallStack(dir.Path(), FM_FOLDERS_RECURSIVE, "d").size(),
              static_cast<std::size_t>(kDepth));
}

TEST(CFileFinder, AFolderNamedOnlyWithDotsIsStillSearched) {
    test::TempDir dir;
    MakeFolder(dir / "...");
    test::WriteFile(dir / ".../f.txt", "");
    EXPECT_EQ(Search(dir.Path(), FM_FILES_RECURSIVE), std::vector<std::string>{dir / ".../f.txt"});
}

// A chain of folders whose paths run past PATH_MAX, built and removed through
// descriptors, since no path call can reach its far end.
class LongChain {
public:
    static constexpr int kLevels = 24;

    explicit LongChain(const std::string& root) : m_name(200, 'n') {
        int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < kLevels && fd >= 0; ++level) {
            ::close(::openat(fd, "f.txt", O_WRONLY | O_CREAT, 0644));
            ::mkdirat(fd, m_name.c_str(), 0755);
            m_fds.push_back(fd);
            fd = ::openat(fd, m_name.c_str(), O_RDONLY | O_DIRECTORY);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }

    ~LongChain() {
        for (auto fd = m_fds.rbegin(); fd != m_fds.rend(); ++fd) {
            ::unlinkat(*fd, m_name.c_str(), AT_REMOVEDIR);
            ::unlinkat(*fd, "f.txt", 0);
            ::close(*fd);
        }
    }

    const std::string& Name() const { return m_name; }
    int Levels() const { return static_cast<int>(m_fds.size()); }

private:
    std::string m_name;
    std::vector<int> m_fds;
};

TEST(CFileFinder, FoldersBeyondThePathLimitArePassedOver) {
    test::TempDir dir;
    const LongChain chain(dir.Path());
    ASSERT_EQ(chain.Levels(), LongChain::kLevels);
    std::vector<std::string> expected;
    for (std::string folder = dir.Path(); folder.size() < PATH_MAX; folder += chain.Name() + "/") {
        expected.push_back(folder + "f.txt");
    }
    ASSERT_LT(expected.size(), static_cast<std::size_t>(LongChain::kLevels));
    EXPECT_EQ(Sorted(Search(dir.Path(), FM_FILES_RECURSIVE, "txt")), Sorted(expected));
}

} // namespace
} // namespace varnolet
