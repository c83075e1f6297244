#include "tests/support/BeepRecorder.h"

namespace varnolet::test {

BeepRecorder::BeepRecorder() {
    platform::SetBeepHook([this](platform::BeepType type) { m_beeps.push_back(type); });
}

BeepRecorder::~BeepRecorder() { platform::SetBeepHook({}); }

} // namespace varnolet::test
