#include "ui/device/DevicePages.h"

#include "logger/LoggerLink.h"
#include "ui/CTavixView.h"
#include "ui/device/DevicePage.h"
#include "ui/upgrade/CUpgradeDlg.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {

std::vector<DevicePage*> InstallDevicePages(CTavixView& view, const DevicePageContext& context) {
    std::vector<DevicePage*> pages;

    auto* upgrade = new CUpgradeDlg(context.prompt, context.port);
    InstallDevicePage(view, kTabUpgrade, upgrade);
    // A download cut short can leave the ESC without working firmware.
    view.AddPageHold({kTabUpgrade, [upgrade] { return upgrade->Busy(); }, kMsgExitDuringDownload});
    // "Open Device ..." would take the port from under it.
    LoggerLink* link = &context.link;
    QObject::connect(upgrade, &CUpgradeDlg::busyChanged, &view, [&view, link](bool busy) {
        view.SetOpenDeviceEnabled(!busy && link->State().openDeviceEnabled);
    });
    pages.push_back(upgrade);

    return pages;
}

}  // namespace tavix
