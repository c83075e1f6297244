#pragma once

#include <csignal>
#include <string>

namespace varnolet::platform {

/// Makes SIGINT, SIGTERM and SIGHUP wipe and remove the registered temporary
/// file before the process dies of the signal, so that an interrupted run never
/// leaves a copy of the user's text in a shared folder.
void InstallTempFileCleanup();

/// Holds SIGINT, SIGTERM and SIGHUP back in this thread while it lives, so that
/// creating or removing a file and (un)registering it happen as one step.
class CleanupSignalBlock {
public:
    CleanupSignalBlock();
    ~CleanupSignalBlock();
    CleanupSignalBlock(const CleanupSignalBlock&) = delete;
    CleanupSignalBlock& operator=(const CleanupSignalBlock&) = delete;

private:
    sigset_t m_saved;
};

/// The one file the handlers clean up; call with the signals held back.
/// False when the path does not fit the handler's fixed storage.
bool RegisterTempFile(const std::string& path);
void UnregisterTempFile();

} // namespace varnolet::platform
