#include <windows.h>

#include "platform/KeyLockState.h"

namespace tavix {

KeyLocks QueryKeyLocks() {
    // The low bit of a toggle key's state is its light.
    KeyLocks locks;
    locks.known = true;
    locks.caps = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    locks.num = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
    locks.scroll = (::GetKeyState(VK_SCROLL) & 1) != 0;
    return locks;
}

}  // namespace tavix
