#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnolet::test {

/// A fresh folder under $TMPDIR, removed with everything in it (read-only
/// parts included) when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    /// The folder, ending in '/'.
    const std::string& Path() const { return m_path; }
    /// The folder joined with a relative name.
    std::string operator/(std::string_view name) const;

private:
    std::string m_path;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
/// Names in a folder, sorted, "." and ".." left out.
std::vector<std::string> ListFolder(const std::string& path);

/// False when the tests run with root's rights, where permission bits mean nothing.
bool PermissionsEnforced();

} // namespace varnolet::test
