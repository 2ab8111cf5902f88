#include "shell/TabPolicy.h"

namespace tavix {

MainFormControls TabPolicy(const DeviceStatus& status) {
    MainFormControls c;
    if (status.connected) {
        if (status.hasLogger) {
            c.tabs.fill(true);
        } else {
            c.tabs = {true, true, false, false, true};
        }
        c.uploadEnabled = status.hasLogger;
        c.clearEnabled = status.hasLogger;
    }
    c.tabs[kTabRecord] = c.tabs[kTabRecord] || status.recordLoaded;
    c.setComPortEnabled = !status.identifying && !status.connected;
    c.openDeviceEnabled = !status.identifying;
    return c;
}

}  // namespace tavix
