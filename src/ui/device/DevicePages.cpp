#include "ui/device/DevicePages.h"

#include <QPointer>

#include "logger/LoggerLink.h"
#include "ui/CTavixView.h"
#include "ui/device/DevicePage.h"
#include "ui/loggercfg/CLoggerConfigDlg.h"

namespace tavix {

std::vector<DevicePage*> InstallDevicePages(CTavixView& view, const DevicePageContext& context) {
    std::vector<DevicePage*> pages;

    auto* logger = new CLoggerConfigDlg(context.prompt, context.port);
    InstallDevicePage(view, kTabLogger, logger);
    // "Clear Data" on the main form borrows the logger page's port.
    QPointer<CLoggerConfigDlg> loggerPage(logger);
    context.link.hideLoggerPage = [loggerPage] {
        if (loggerPage) {
            loggerPage->LendPort();
        }
    };
    context.link.reopenLoggerPage = [loggerPage] {
        if (loggerPage) {
            loggerPage->PortReturned();
        }
    };
    pages.push_back(logger);

    return pages;
}

}  // namespace tavix
