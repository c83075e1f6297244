#include "app/CommandLine.h"

#include "convert/ConvertFile.h"
#include "platform/FileSystem.h"
#include "platform/MessageBeep.h"

namespace varnolet {
namespace {

constexpr int kSucceeded = 0;
constexpr int kFailed = 1;

int Fail() {
    platform::MessageBeep(platform::MB_ICONERROR);
    return kFailed;
}

} // namespace

std::string CommandLineTail(int argc, char** argv) {
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            tail += ' ';
        }
        tail += argv[i];
    }
    return tail;
}

std::string RemoveQuotes(std::string text) {
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '"') {
        text.pop_back();
    }
    return text;
}

int RunCommandLine(const std::string& tail) {
    const std::string input = RemoveQuotes(tail);
    if (!platform::IsRegularFile(input)) {
        return Fail();
    }
    const std::string output = input + ".txt";
    // An earlier output is replaced even when it was made read-only.
    platform::ClearReadOnly(output);
    // One pass: the wrapper is written around the escaped text as it streams,
    // so a file of any size is never held in memory or read back.
    if (!ConvertFileToPre(input, output, true)) {
        return Fail();
    }
    platform::MessageBeep(platform::MB_ICONINFORMATION);
    return kSucceeded;
}

} // namespace varnolet
