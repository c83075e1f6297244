#pragma once

#include <string>

namespace varnolet::platform {

/// Remembers the process's arguments; main calls it first.
void RecordProgramArguments(int argc, char** argv);

/// The program's first argument as it was given (may be a bare name); empty before
/// RecordProgramArguments.
std::string ProgramArgumentZero();

/// The real path of the running executable, or empty when the system cannot tell.
std::string RunningExecutablePath();

} // namespace varnolet::platform
