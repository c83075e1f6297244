#include "tests/support/qt/QtTestSupport.h"

#include <cstdlib>
#include <string>

#include <QApplication>

#include <sys/stat.h>

namespace varnolet::test {

QApplication& EnsureApplication() {
    static int argc = 1;
    static char name[] = "varnolet-test";
    static char* argv[] = {name, nullptr};
    // Qt puts its runtime folder under TMPDIR unless told otherwise; keep it in
    // the test's HOME, which the runner removes, so TMPDIR stays clean.
    if (!std::getenv("XDG_RUNTIME_DIR") && std::getenv("HOME")) {
        const std::string runtime = std::string(std::getenv("HOME")) + "/runtime";
        ::mkdir(runtime.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    // Never destroyed: tearing Qt down after main has returned crashes in the
    // platform plugin, and the process ends right after anyway.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

MessageBoxAnswers::MessageBoxAnswers() {
    platform::SetMessageBoxHook([this](const platform::ShownMessage& message) {
        m_shown.push_back(message);
        if (!m_answers.empty()) {
            const platform::MessageAnswer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        return message.kind == platform::MessageKind::Question ? platform::IDNO : platform::IDOK;
    });
}

MessageBoxAnswers::~MessageBoxAnswers() {
    platform::SetMessageBoxHook({});
}

FileDialogAnswers::FileDialogAnswers() {
    platform::SetFileDialogHook([this](platform::FileDialogKind kind) {
        m_asked.push_back(kind);
        if (m_answers.empty()) {
            return platform::DialogAnswer{};
        }
        platform::DialogAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

FileDialogAnswers::~FileDialogAnswers() {
    platform::SetFileDialogHook({});
}

ShellRecorder::ShellRecorder() {
    platform::SetShellHook([this](platform::ShellVerb verb, const std::string& path) {
        m_requests.emplace_back(verb, path);
        return true;
    });
}

ShellRecorder::~ShellRecorder() {
    platform::SetShellHook({});
}

} // namespace varnolet::test
