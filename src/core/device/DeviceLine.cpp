#include "device/DeviceLine.h"

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
    request_.Cancel();  // stops the timer of the request outstanding
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

bool DeviceLine::OpenPort() {
    if (comm_.GetPortOpen()) {
        return true;
    }
    comm_.SetCommPort(port_ ? port_() : std::string());
    return OpenDevicePort(comm_, prompt_, kMsgPortInUsePage, [this] { DeviceLost(); });
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
