#pragma once
// The state of Caps Lock, Num Lock and Scroll Lock for the status bar. Qt has
// no portable way to read it: on X11 the keyboard extension tells
// (KeyLockStatePosix.cpp; unknown under Wayland and offscreen), on Windows
// the keyboard state (KeyLockStateWin32.cpp).

namespace tavix {

struct KeyLocks {
    bool known = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

KeyLocks QueryKeyLocks();

}  // namespace tavix
