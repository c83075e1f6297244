#pragma once

namespace varnolet::platform {

/// Shows the wait cursor for its lifetime and puts the previous one back.
class WaitCursor final {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace varnolet::platform
