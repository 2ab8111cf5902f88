#include "device/DeviceLine.h"

#include "device/ConnectedDevice.h"
#include "link/CMSComm.h"
#include "shell/TimerHost.h"

namespace tavix {

DeviceLine::DeviceLine(CMSComm& comm, TimerHost& timers, Prompt& prompt, PortSource port,
                       ReplyMatch match)
    : comm_(comm),
      timers_(timers),
      prompt_(prompt),
      port_(std::move(port)),
      request_(comm, timers, match) {
    comm_.SetOnComm([this] { OnComm(); });
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

DeviceLine::~DeviceLine() {
    if (const auto device = device_.lock()) {
        device->Unwatch(watch_);
    }
    request_.Cancel();  // stops the timer of the request outstanding
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

void DeviceLine::SetDevice(const std::shared_ptr<ConnectedDevice>& device) {
    if (const auto old = device_.lock()) {
        old->Unwatch(watch_);
    }
    device_ = device;
    if (device) {
        shownGeneration_ = device->Generation();
        watch_ = device->Watch([this] { DeviceChanged(); });
    }
}

void DeviceLine::SetVisible(bool visible) {
    visible_ = visible;
    const ConnectedDevice* device = Device();
    if (visible && device != nullptr && shownGeneration_ != device->Generation()) {
        reset_ = true;  // what the page showed belongs to another identity
    }
}

void DeviceLine::DeviceChanged() {
    if (reporting_ || shownGeneration_ == Device()->Generation()) {
        return;
    }
    if (request_.Pending() != 0 && !request_.TimedOut()) {
        return;  // its own exchange runs on and ends by its reply or time-out
    }
    reset_ = true;
    IdentityEnded();
}

void DeviceLine::BlockRead(const Bytes& block) {
    shownIdentity_ = IdentityOfBlock(block);
    ConnectedDevice* device = Device();
    if (device == nullptr) {
        return;
    }
    reporting_ = true;
    device->BlockRead(block);
    reporting_ = false;
    shownGeneration_ = device->Generation();
}

void DeviceLine::MarkShown() {
    const ConnectedDevice* device = Device();
    if (device != nullptr) {
        shownGeneration_ = device->Generation();
    }
    if (device != nullptr && device->IsIdentified()) {
        shownIdentity_ = device->Identity();
    } else {
        shownIdentity_.reset();
    }
}

bool DeviceLine::SameEscAsShown(const Bytes& block) const {
    const DeviceIdentity found = IdentityOfBlock(block);
    if (shownIdentity_ && found != *shownIdentity_) {
        return false;
    }
    // A device that was lost meanwhile is no reason to refuse: the block was
    // just read from the ESC the page showed.
    const ConnectedDevice* device = Device();
    return device == nullptr || !device->IsIdentified() || device->Identity() == found;
}

bool DeviceLine::OpenPort(const char* inUse) {
    if (comm_.GetPortOpen()) {
        return true;
    }
    comm_.SetCommPort(PortPath());
    return OpenDevicePort(comm_, prompt_, inUse, [this] { DeviceLost(); });
}

void DeviceLine::ClosePort() {
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
}

TickOutcome DeviceLine::CountTick(int id, int timeoutTick) {
    const TickOutcome outcome = request_.OnTimer(id, timeoutTick);
    if (outcome == TickOutcome::TimedOut) {
        DeviceLost();
    }
    return outcome;
}

void DeviceLine::Notify() {
    BeforeNotify();
    if (changed) {
        changed();
    }
}

bool DeviceLine::Ask(const std::string& text, PromptIcon icon,
                     const std::function<bool()>& stillSo) {
    return prompt_.Ask(text, icon) && stillSo();
}

bool DeviceLine::Confirm(const std::string& text, PromptIcon icon, const std::string& detail,
                         bool defaultYes, const std::function<bool()>& stillSo) {
    return prompt_.Confirm(text, icon, detail, defaultYes) && stillSo();
}

void DeviceLine::DeviceLost() {
    if (deviceLost) {
        deviceLost();
    }
}

}  // namespace tavix
