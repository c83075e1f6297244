#pragma once

#include <functional>
#include <string>

namespace varnolet::platform {

enum class ShellVerb { Open, Explore };

/// Asks the desktop to open a file with its default handler ("open") or to
/// show a folder in the file manager ("explore"). True when the request was
/// accepted; opening a file that does not exist fails.
bool ShellExecute(ShellVerb verb, const std::string& path);

/// Test seam: while installed, requests go to the hook and its answer is returned.
using ShellHook = std::function<bool(ShellVerb, const std::string&)>;
void SetShellHook(ShellHook hook);

} // namespace varnolet::platform
