#include "platform/KeyLockState.h"

#include <QGuiApplication>

#if defined(TAVIX_HAVE_XKB) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#endif

namespace tavix {

KeyLocks QueryKeyLocks() {
    KeyLocks locks;
#if defined(TAVIX_HAVE_XKB) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return locks;
    }
    unsigned int state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) {
        return locks;
    }
    // The usual indicator order of X servers: Caps Lock, Num Lock, Scroll Lock.
    locks.known = true;
    locks.caps = state & 0x1;
    locks.num = state & 0x2;
    locks.scroll = state & 0x4;
#endif
    return locks;
}

}  // namespace tavix
