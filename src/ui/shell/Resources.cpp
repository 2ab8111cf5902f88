#include "ui/shell/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE has to be used outside any namespace.
static void RegisterTavixResources() {
    Q_INIT_RESOURCE(tavix);
}

namespace tavix {

void EnsureResources() {
    static const bool done = [] {
        RegisterTavixResources();
        return true;
    }();
    (void)done;
}

}  // namespace tavix
