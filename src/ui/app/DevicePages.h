#pragma once
// The one place where the device pages are made and put on the main form.

#include <memory>
#include <vector>

#include "link/PortName.h"

namespace tavix {

class CAppConfig;
class CIniFile;
class ConnectedDevice;
class CTavixView;
class DevicePage;
class IdentifySession;
class LoggerLink;
class Prompt;

// What every device page is made with.
struct DevicePageContext {
    CAppConfig& config;
    CIniFile& ini;
    Prompt& prompt;
    PortSource port;                          // the port to open, resolved at every open
    IdentifySession& identity;                // what "Open Device" found: series, version
    LoggerLink& link;                         // the main form's logger session (clear)
    std::shared_ptr<ConnectedDevice> device;  // the one connected device every page shows
};

// Makes every device page, installs it on its tab of `view` and returns them
// all (for "Open Device", which runs every page's hide operation first).
std::vector<DevicePage*> InstallDevicePages(CTavixView& view, const DevicePageContext& context);

}  // namespace tavix
