#pragma once

#include "tests/support/TempDir.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace varnolet::test {

/// Points XDG_CONFIG_HOME at a fresh folder while it lives, so each test case gets
/// its own hive; restores the previous value afterwards.
class HiveTestHome {
public:
    HiveTestHome() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
            m_old = old;
        }
        ::setenv("XDG_CONFIG_HOME", m_dir.Path().c_str(), 1);
    }
    ~HiveTestHome() {
        if (m_old) {
            ::setenv("XDG_CONFIG_HOME", m_old->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }
    HiveTestHome(const HiveTestHome&) = delete;
    HiveTestHome& operator=(const HiveTestHome&) = delete;

    /// The config folder (ends in '/').
    const std::string& Config() const { return m_dir.Path(); }
    std::string Folder() const { return m_dir / "varnolet/"; }
    std::string Hive() const { return m_dir / "varnolet/user.reg"; }

private:
    TempDir m_dir;
    std::optional<std::string> m_old;
};

} // namespace varnolet::test
