#pragma once

#include <functional>

namespace varnolet::platform {

/// The sound kinds the program plays, with the Windows values it was designed with.
enum BeepType : unsigned {
    MB_ICONERROR = 0x10,
    MB_ICONHAND = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};

/// Plays the desktop's sound for the kind; a terminal bell when no sound can be
/// played and standard error is a terminal. Never fails visibly.
void MessageBeep(BeepType type);

/// Test seam: while a hook is installed every beep goes to it instead of the speaker.
using BeepHook = std::function<void(BeepType)>;
void SetBeepHook(BeepHook hook);

} // namespace varnolet::platform
