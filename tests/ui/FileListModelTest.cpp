#include "ui/FileListModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace varnolet {
namespace {

struct CellCase {
    const char* name;
    std::string path;
    std::string type;
    std::string id;
};

TEST(FileListModelTest, RowCellsFromThePath) {
    const CellCase cases[] = {
        {"two dots, upper case kept", "/docs/Read.Me.TXT", "TXT", "Read.Me"},
        {"no dot", "/bin/Makefile", "", "Makefile"},
        {"ends with a dot", "/x/notes.", "", "notes"},
        {"dot file", "/x/.profile", "profile", ""},
        {"space before the dot stays in the name", "/x/a .txt", "txt", "a "},
        {"space after the dot is trimmed off the type", "/x/a. txt", "txt", "a"},
        {"backslash separates too", "C:\\x\\y.txt", "txt", "y"},
        {"no separator at all", "plain.md", "md", "plain"},
        {"blanks around the file name are trimmed", "/x/  lead.txt \t", "txt", "lead"},
        {"a file name of blanks only", "/x/   ", "", ""},
        {"only blanks after the last dot", "/x/a.  ", "", "a"},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.name);
        FileListModel model;
        ASSERT_TRUE(model.AddListItem(c.path));
        EXPECT_EQ(model.Cells(0).type, c.type);
        EXPECT_EQ(model.Cells(0).name, c.id);
        EXPECT_EQ(model.Path(0), c.path);
        EXPECT_EQ(model.data(model.index(0, FileListModel::ColPath), Qt::DisplayRole).toString(),
                  QString::fromStdString(c.path));
    }
}

TEST(FileListModelTest, DuplicatesFoldOnlyAToZ) {
    FileListModel model;
    ASSERT_TRUE(model.AddListItem("/Docs/A.TXT"));
    EXPECT_FALSE(model.AddListItem("/docs/a.txt"));
    // Only A to Z fold: other bytes and the separator make different rows.
    EXPECT_TRUE(model.AddListItem("\\Docs\\A.TXT"));
    EXPECT_TRUE(model.AddListItem("/Docs/\xc3\x89.txt"));
    EXPECT_TRUE(model.AddListItem("/Docs/\xc3\xa9.txt"));
    EXPECT_EQ(model.Count(), 4);
    EXPECT_EQ(model.Path(0), "/Docs/A.TXT"); // the first row keeps its own spelling
}

TEST(FileListModelTest, RemovedPathMayBeAddedAgain) {
    FileListModel model;
    model.AddListItems({"/a/1", "/a/2", "/a/3"});
    model.RemoveListRow(0);
    EXPECT_EQ(model.Paths(), (std::vector<std::string>{"/a/2", "/a/3"}));
    EXPECT_TRUE(model.AddListItem("/A/1"));
    EXPECT_FALSE(model.AddListItem("/a/3"));
    model.RemoveAllRows();
    EXPECT_EQ(model.Count(), 0);
    EXPECT_TRUE(model.AddListItem("/a/3"));
}

// The letter may sit anywhere in an eight-byte word or in the short tail after
// the last whole word; any byte other than A to Z must keep two paths apart.
TEST(FileListModelTest, OnlyAToZFoldWhereverTheyStand) {
    for (int byte = 1; byte < 256; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        const bool letter = (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
        for (std::size_t length = 1; length <= 20; ++length) {
            for (std::size_t at = 0; at < length; ++at) {
                std::string one(length, '_');
                one[at] = static_cast<char>(c);
                std::string other = one;
                other[at] = static_cast<char>(c ^ 0x20);
                FileListModel model;
                ASSERT_TRUE(model.AddListItem(one));
                EXPECT_EQ(model.AddListItem(other), !letter)
                    << "byte " << byte << " at " << at << " of " << length;
            }
        }
    }
}

TEST(FileListModelTest, RemovingARowKeepsTheOthersSpellingsOut) {
    FileListModel model;
    model.AddListItems({"/x/a", "/x/b", "/x/c", "/x/d"});
    model.RemoveListRow(1);
    EXPECT_TRUE(model.AddListItem("/X/B"));  // now the last row
    EXPECT_FALSE(model.AddListItem("/X/C")); // rows after the removed one are still known
    EXPECT_FALSE(model.AddListItem("/x/D"));
    model.RemoveListRow(0);
    EXPECT_FALSE(model.AddListItem("/x/c"));
    EXPECT_FALSE(model.AddListItem("/x/b"));
    EXPECT_TRUE(model.AddListItem("/x/A"));
    EXPECT_EQ(model.Paths(), (std::vector<std::string>{"/x/c", "/x/d", "/X/B", "/x/A"}));
}

bool FoldedEqual(const std::string& a, const std::string& b) {
    const auto fold = [](char ch) { return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

// A long mix of batches, single adds and removals checked against a plain list
// that applies the rule by brute force.
TEST(FileListModelTest, LongMixOfAddsAndRemovalsMatchesAPlainList) {
    std::mt19937 random(20261211);
    std::vector<std::string> expected;
    FileListModel model;
    const auto spelling = [&] {
        std::string path = "/Docs/File" + std::to_string(random() % 150) + ".txt";
        for (char& ch : path) {
            if (ch >= 'a' && ch <= 'z' && random() % 2 == 0) {
                ch = static_cast<char>(ch - 'a' + 'A');
            }
        }
        return path;
    };
    const auto admit = [&](const std::string& path) {
        for (const std::string& row : expected) {
            if (FoldedEqual(row, path)) {
                return false;
            }
        }
        expected.push_back(path);
        return true;
    };
    for (int step = 0; step < 3000; ++step) {
        const unsigned kind = random() % 4;
        if (kind == 0 && !expected.empty()) {
            const int row = static_cast<int>(random() % expected.size());
            model.RemoveListRow(row);
            expected.erase(expected.begin() + row);
        } else if (kind == 1) {
            std::vector<std::string> batch(random() % 6);
            std::size_t taken = 0;
            for (std::string& path : batch) {
                path = spelling();
                taken += admit(path) ? 1 : 0;
            }
            ASSERT_EQ(model.AddListItems(batch), taken) << "step " << step;
        } else {
            const std::string path = spelling();
            ASSERT_EQ(model.AddListItem(path), admit(path)) << "step " << step << " " << path;
        }
        if (step == 2000) {
            model.RemoveAllRows();
            expected.clear();
        }
    }
    EXPECT_EQ(model.Paths(), expected);
}

TEST(FileListModelTest, BatchSkipsRepeatsWithinItselfAndKeepsOrder) {
    FileListModel model;
    model.AddListItem("/x/b");
    EXPECT_EQ(model.AddListItems({"/x/a", "/X/B", "/x/c", "/x/A"}), 2U);
    EXPECT_EQ(model.Paths(), (std::vector<std::string>{"/x/b", "/x/a", "/x/c"}));
}

TEST(FileListModelTest, RowsKeepBytesThatAreNotText) {
    // A name that is not valid UTF-8, and one holding a newline, come back byte for byte.
    const std::string latin1 = "/data/caf\xe9.txt";
    const std::string newline = "/data/two\nlines.txt";
    FileListModel model;
    ASSERT_TRUE(model.AddListItem(latin1));
    ASSERT_TRUE(model.AddListItem(newline));
    EXPECT_EQ(model.Paths(), (std::vector<std::string>{latin1, newline}));
    EXPECT_EQ(model.Cells(1).name, "two\nlines");
}

TEST(FileListModelTest, OverlongPathIsRefusedNotCut) {
    FileListModel model;
    EXPECT_TRUE(model.AddListItem("/" + std::string(FileListModel::kMaxCellBytes - 1, 'a')));
    EXPECT_FALSE(model.AddListItem("/" + std::string(FileListModel::kMaxCellBytes, 'b')));
    EXPECT_EQ(model.Count(), 1);
}

TEST(FileListModelTest, HeadersAndColumns) {
    FileListModel model;
    ASSERT_EQ(model.columnCount(), 3);
    const char* headers[] = {"Type", "ID <=> Name", "Full Path"};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                  QString::fromLatin1(headers[column]));
    }
}

} // namespace
} // namespace varnolet
