// Adding a folder of 100,000 files to the window's list, beside the search
// engine's walk of the same folder. The add includes the walk, the file test of
// every hit and the rows; the target is at most three times the walk.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "discovery/CFileFinder.h"
#include "discovery/PathUtils.h"
#include "platform/MessageBeep.h"
#include "tests/support/TempDir.h"
#include "ui/CSweepDialog.h"
#include "ui/FileListModel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFiles = 100000;
constexpr int kRounds = 3;
int g_hits = 0;

void CountHit(const char*) {
    ++g_hits;
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void MakeTree(const std::string& root) {
    // Ten folders of 10,000 files each, as a real text collection is spread out.
    for (int folder = 0; folder < 10; ++folder) {
        const std::string dir = root + "d" + std::to_string(folder) + "/";
        ::mkdir(dir.c_str(), 0755);
        for (int i = 0; i < kFiles / 10; ++i) {
            const std::string path = dir + "file" + std::to_string(i) + ".txt";
            const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    varnolet::platform::SetBeepHook([](varnolet::platform::BeepType) {});
    varnolet::test::TempDir tree;
    std::printf("creating %d files...\n", kFiles);
    MakeTree(tree.Path());

    double walk = 1e9;
    double add = 1e9;
    varnolet::CSweepDialog dialog;
    dialog.show();
    for (int round = 0; round < kRounds; ++round) {
        g_hits = 0;
        auto start = Clock::now();
        varnolet::CFileFinder finder(CountHit, tree.Path().c_str(), "", "");
        finder.Search(varnolet::FM_FILES_RECURSIVE);
        walk = std::min(walk, Seconds(start));

        dialog.Model().RemoveAllRows();
        start = Clock::now();
        dialog.AddFolderFiles(tree.Path());
        QApplication::processEvents();
        add = std::min(add, Seconds(start));
    }
    // Where the add's time goes: the file test of each hit, and the rows alone.
    std::vector<std::string> paths = dialog.Model().Paths();
    auto start = Clock::now();
    int regular = 0;
    for (const std::string& path : paths) {
        regular += varnolet::PathIsRegularFile(path) ? 1 : 0;
    }
    const double stats = Seconds(start);
    varnolet::FileListModel bare;
    start = Clock::now();
    bare.AddListItems(paths);
    const double rows = Seconds(start);
    std::printf("of the add: file tests %.3f s (%d files), rows without a view %.3f s\n", stats,
                regular, rows);
    std::printf("walk: %d hits, best of %d: %.3f s\n", g_hits, kRounds, walk);
    std::printf("add:  %d rows, best of %d: %.3f s\n", dialog.Model().Count(), kRounds, add);
    std::printf("add / walk = %.2fx (target <= 3x)\n", add / walk);
    return dialog.Model().Count() == kFiles ? 0 : 1;
}
