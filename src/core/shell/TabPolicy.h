#pragma once
// Which tabs and device buttons of the main form are open to the user, from
// what is known of the device and the record. One rule for the window and
// the tests:
//
//   nothing identified     1.Welcome only; Set Com Port and Open Device
//   identifying            Set Com Port and Open Device disabled
//   an ESC with logger     every tab; Upload and Clear Data
//   an ESC without logger  Welcome, Parameter Setting, Upgrade; no Upload or Clear
//   a record loaded        4.Show the Record as well, whatever the device says
//
// The COM port stays fixed while a device is connected.

#include <array>

#include "shell/ShellMessages.h"

namespace tavix {

struct DeviceStatus {
    bool identifying = false;
    bool connected = false;
    bool hasLogger = false;
    bool recordLoaded = false;
};

struct MainFormControls {
    std::array<bool, kTabCount> tabs{true, false, false, false, false};
    bool setComPortEnabled = true;
    bool openDeviceEnabled = true;
    bool uploadEnabled = false;
    bool clearEnabled = false;

    bool operator==(const MainFormControls&) const = default;
};

MainFormControls TabPolicy(const DeviceStatus& status);

}  // namespace tavix
