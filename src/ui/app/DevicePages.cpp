#include "ui/app/DevicePages.h"

#include <QPointer>
#include <QTimer>
#include <memory>

#include "device/IdentifySession.h"
#include "logger/LoggerLink.h"
#include "loggercfg/LoggerParamSession.h"
#include "platform/UserEscHistory.h"
#include "shell/Prompt.h"
#include "shell/ShellMessages.h"
#include "ui/device/DevicePage.h"
#include "ui/esc/EscPage.h"
#include "ui/esc/EscPageHolder.h"
#include "ui/loggercfg/CLoggerConfigDlg.h"
#include "ui/shell/CTavixView.h"
#include "ui/upgrade/CUpgradeDlg.h"
#include "upgrade/FirmwareDownload.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {

namespace {

// Puts `page` on tab `tab` of `view` and calls its PageShown / PageHidden as
// that tab becomes current and stops being current. The view owns the page.
void InstallDevicePage(CTavixView& view, int tab, DevicePage* page) {
    view.SetPage(tab, page);
    QObject::connect(&view, &CTavixView::pageShown, page, [page, tab](int shown) {
        if (shown == tab) {
            page->PageShown();
        }
    });
    QObject::connect(&view, &CTavixView::pageHidden, page, [page, tab](int hidden) {
        if (hidden == tab) {
            page->PageHidden();
        }
    });
}

}  // namespace

std::vector<DevicePage*> InstallDevicePages(CTavixView& view, const DevicePageContext& context) {
    std::vector<DevicePage*> pages;

    // "2.Parameter Setting": the page of the series found at identification.
    const IdentifySession* identified = &context.identity;
    auto* parameters = new EscPageHolder([identified] { return identified->State().series; },
                                         context.prompt, context.port);
    InstallDevicePage(view, kTabParameter, parameters);
    pages.push_back(parameters);

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
    auto* upgrade = new CUpgradeDlg(context.prompt, context.port);
    InstallDevicePage(view, kTabUpgrade, upgrade);
    // A download cut short can leave the ESC without working firmware; a
    // click on another tab is told why it does nothing (one box at a time).
    Prompt* prompt = &context.prompt;
    auto telling = std::make_shared<bool>(false);
    view.AddPageHold({kTabUpgrade, [upgrade] { return upgrade->Busy(); }, kMsgExitDuringDownload,
                      [prompt, telling] {
                          if (*telling) {
                              return;
                          }
                          *telling = true;
                          prompt->Message(kMsgTabDuringDownload, PromptIcon::Information);
                          *telling = false;
                      }});
    // The main window's version pane and description follow a new firmware
    // through the connected device, which the page's read-back updates.
    IdentifySession* identifiedEsc = &context.identity;
    // "Open Device ..." would take the port from under it.
    const IdentifySession* identity = &context.identity;
    QObject::connect(upgrade, &CUpgradeDlg::busyChanged, &view, [&view, identity](bool busy) {
        view.SetOpenDeviceEnabled(!busy && !identity->State().identifying);
    });
    // The ESC's settings as they were before the new firmware, in the history.
    QObject::connect(upgrade, &CUpgradeDlg::busyChanged, &view, [upgrade, prompt](bool busy) {
        const std::string error =
            busy ? KeepEscSnapshot(SnapshotReason::BeforeUpgrade, upgrade->Session().StoredBlock())
                 : std::string();
        if (!error.empty()) {
            prompt->Message(error, PromptIcon::Exclamation);
        }
    });
    pages.push_back(upgrade);

    // A page whose device stops answering, or whose port will not open, takes
    // the main form's connection icon and device buttons with it.
    // Every page shows the one connected device: it clears what it showed
    // when that identity ends, and reads again when shown after a change.
    const auto lost = [identifiedEsc] { identifiedEsc->OnDeviceLost(); };
    for (int series = 0; EscPage* page = parameters->PageOf(series); ++series) {
        page->Session().deviceLost = lost;
        page->Session().SetDevice(context.device);
    }
    // A page's read that finds an ESC of another series hands over to that
    // series' page, after the read's handler has ended.
    QPointer<EscPageHolder> holder(parameters);
    context.device->Watch([holder] {
        QTimer::singleShot(0, [holder] {
            if (holder) {
                holder->FollowSeries();
            }
        });
    });
    logger->Session().deviceLost = lost;
    logger->Session().SetDevice(context.device);
    upgrade->Session().deviceLost = lost;
    upgrade->Session().SetDevice(context.device);

    return pages;
}

}  // namespace tavix
