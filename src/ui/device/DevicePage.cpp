#include "ui/device/DevicePage.h"

#include "link/CMSComm.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

DevicePage::DevicePage(QWidget* parent)
    : QWidget(parent),
      comm_(std::make_unique<CMSComm>(MakeSerialBackend(""))),
      timers_(std::make_unique<QtTimerHost>()) {}

DevicePage::~DevicePage() = default;

TimerHost& DevicePage::Timers() {
    return *timers_;
}

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

}  // namespace tavix
