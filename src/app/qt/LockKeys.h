#pragma once
// The state of the Caps Lock, Num Lock and Scroll Lock keys for the status
// bar. Qt has no portable way to read it; on X11 the keyboard extension tells.
#include <optional>

namespace app::qt {

struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// The current state, or nothing where the platform does not tell it.
std::optional<LockKeyState> ReadLockKeys();

} // namespace app::qt
