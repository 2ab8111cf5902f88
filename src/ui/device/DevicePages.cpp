#include "ui/device/DevicePages.h"

#include "ui/CTavixView.h"
#include "ui/device/DevicePage.h"

namespace tavix {

std::vector<DevicePage*> InstallDevicePages(CTavixView& view, const DevicePageContext& context) {
    (void)view;
    (void)context;
    std::vector<DevicePage*> pages;
    return pages;
}

}  // namespace tavix
