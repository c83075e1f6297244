#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>

#include <QApplication>

#include <gtest/gtest.h>

namespace varnolet::test {

/// Owns the test program's QApplication and ends it when the tests end,
/// before the C++ run-time destroys Qt's own statics (ending it later, from a
/// static destructor, crashes once QTest has made its input devices).
class OffscreenAppEnvironment final : public ::testing::Environment {
public:
    QApplication& App() {
        if (!m_app) {
            // Qt would otherwise make its runtime folder in TMPDIR, which must stay clean.
            if (!std::getenv("XDG_RUNTIME_DIR")) {
                const std::string runtime = std::string(std::getenv("HOME")) + "/.runtime";
                ::mkdir(runtime.c_str(), 0700);
                ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            }
            m_app = std::make_unique<QApplication>(m_argc, m_argv);
        }
        return *m_app;
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[14] = "varnolet_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

/// The one QApplication of a test program, made on first use.
inline QApplication& OffscreenApp() {
    // gtest owns every registered environment and deletes it after the run.
    static auto* environment = static_cast<OffscreenAppEnvironment*>(
        ::testing::AddGlobalTestEnvironment(new OffscreenAppEnvironment));
    return environment->App();
}

} // namespace varnolet::test
