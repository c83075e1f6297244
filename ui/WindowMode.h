#pragma once

namespace varnolet {

/// Runs the program's window until the user leaves it; returns the exit status.
int RunWindowMode(int argc, char** argv);

} // namespace varnolet
