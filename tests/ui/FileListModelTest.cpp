#include "ui/FileListModel.h"

#include <gtest/gtest.h>

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
