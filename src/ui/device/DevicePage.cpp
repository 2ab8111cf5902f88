#include "ui/device/DevicePage.h"

#include "link/CMSComm.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"

namespace tavix {

DevicePage::DevicePage(QWidget* parent) : QWidget(parent) {}

DevicePage::~DevicePage() = default;

SessionPage::SessionPage(QWidget* parent)
    : DevicePage(parent),
      comm_(std::make_unique<CMSComm>(MakeSerialBackend(""))),
      timers_(std::make_unique<QtTimerHost>()) {}

SessionPage::~SessionPage() = default;

TimerHost& SessionPage::Timers() {
    return *timers_;
}

}  // namespace tavix
