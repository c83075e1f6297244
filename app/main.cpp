#include "app/CommandLine.h"
#include "platform/ProgramPath.h"
#include "platform/TempFileCleanup.h"
#include "ui/WindowMode.h"

int main(int argc, char** argv) {
    using namespace varnolet;
    platform::RecordProgramArguments(argc, argv);
    if (argc == 1) {
        return RunWindowMode(argc, argv);
    }
    // Any other count, none at all included, is the command-line mode, which
    // never needs a display.
    platform::InstallTempFileCleanup();
    return RunCommandLine(CommandLineTail(argc, argv));
}
