#pragma once
// A window's opening size bounded by the screen it opens on, so that a
// window laid out for a large screen still shows whole (its frame and its
// buttons in sight) on a small one, e.g. 800 x 600.

#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>

namespace tavix {

inline QSize WithinScreen(const QWidget& widget, QSize wanted) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr) {
        return wanted;
    }
    return wanted.boundedTo(screen->availableGeometry().size());
}

}  // namespace tavix
