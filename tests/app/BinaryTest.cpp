// Runs the real program: exit status, odd argument vectors, and signals in the
// middle of a conversion.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "convert/FileOperations.h"
#include "tests/support/TempDir.h"

namespace varnolet {
namespace {

// Starts the program with exactly these arguments (argv[0] included) and no display.
pid_t Start(std::vector<std::string> args) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (auto& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::execv(VARNOLET_BINARY, argv.data());
        ::_exit(127);
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

int ExitCode(std::vector<std::string> args) {
    const int status = Wait(Start(std::move(args)));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> TempCopies() {
    std::vector<std::string> found;
    const std::regex tempName("[a-z]{8}\\.[a-z]{3}");
    for (const auto& name : test::ListFolder(GetTempFolder())) {
        if (std::regex_match(name, tempName)) {
            found.push_back(name);
        }
    }
    return found;
}

TEST(Binary, ExitStatus) {
    test::TempDir dir;
    test::WriteFile(dir / "my file.txt", "a<b\r\n");
    EXPECT_EQ(ExitCode({"varnolet", dir / "my", "file.txt"}), 0);
    EXPECT_EQ(test::ReadFile(dir / "my file.txt.txt"), "<pre>\r\na&lt;b\r\n</pre>");
    EXPECT_EQ(ExitCode({"varnolet", dir / "missing"}), 1);
    EXPECT_EQ(ExitCode({"varnolet", ""}), 1);
}

TEST(Binary, SignalWipesAndRemovesTheTemporaryCopy) {
    test::TempDir dir;
    std::string big;
    for (int i = 0; big.size() < (96u << 20); ++i) {
        big += "<line> & \xE9 text of the user\r\n";
    }
    test::WriteFile(dir / "big.txt", big);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(sig);
        const pid_t pid = Start({"varnolet", dir / "big.txt"});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (TempCopies().empty() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ASSERT_FALSE(TempCopies().empty()) << "the conversion never made its copy";
        ::kill(pid, sig);
        const int status = Wait(pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "ended before the signal: " << status;
        EXPECT_EQ(WTERMSIG(status), sig);
        EXPECT_TRUE(TempCopies().empty());
        EXPECT_EQ(test::ReadFile(dir / "big.txt"), big);
    }
}

} // namespace
} // namespace varnolet
