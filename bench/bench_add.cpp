// Adding a folder of 100,000 files to the window's list, beside the search
// engine's walk of the same folder. The add includes the walk, the file test of
// each hit the listing cannot vouch for, the rows and the view taking them; the
// target is at most three times the walk.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
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

std::vector<std::string> g_unvouched;

void CountHit(const char*) {
    ++g_hits;
}

void KeepUnvouchedHit(const char* path, bool isRegularFile) {
    ++g_hits;
    if (!isRegularFile) {
        g_unvouched.emplace_back(path);
    }
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
    const int walkHits = g_hits;
    // Where the add's time goes beyond the walk: the file test of each hit the
    // listing cannot vouch for, and the rows alone.
    g_hits = 0;
    varnolet::CFileFinder vouching(KeepUnvouchedHit, tree.Path().c_str(), "", "");
    vouching.Search(varnolet::FM_FILES_RECURSIVE);
    auto start = Clock::now();
    for (const std::string& path : g_unvouched) {
        (void)varnolet::PathIsRegularFile(path);
    }
    const double stats = Seconds(start);
    std::vector<std::string> paths = dialog.Model().Paths();
    varnolet::FileListModel bare;
    start = Clock::now();
    bare.AddListItems(std::move(paths));
    const double rows = Seconds(start);
    std::printf("of the add: file tests %.3f s (%zu of %d hits; the listing vouches for the "
                "rest), rows without a view %.3f s\n",
                stats, g_unvouched.size(), g_hits, rows);
    std::printf("walk: %d hits, best of %d: %.3f s\n", walkHits, kRounds, walk);
    std::printf("add:  %d rows, best of %d: %.3f s\n", dialog.Model().Count(), kRounds, add);
    std::printf("add / walk = %.2fx (target <= 3x)\n", add / walk);
    return dialog.Model().Count() == kFiles ? 0 : 1;
}
