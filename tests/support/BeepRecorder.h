#pragma once

#include "platform/MessageBeep.h"

#include <vector>

namespace varnolet::test {

/// Captures every beep while it lives, instead of playing it.
class BeepRecorder {
public:
    BeepRecorder();
    ~BeepRecorder();
    BeepRecorder(const BeepRecorder&) = delete;
    BeepRecorder& operator=(const BeepRecorder&) = delete;

    const std::vector<platform::BeepType>& Beeps() const { return m_beeps; }

private:
    std::vector<platform::BeepType> m_beeps;
};

} // namespace varnolet::test
