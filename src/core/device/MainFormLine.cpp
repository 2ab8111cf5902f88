#include "device/MainFormLine.h"

namespace tavix {

MainFormLine::MainFormLine(CMSComm& comm, TimerHost& timers, Prompt& prompt, PortSource port)
    : DeviceLine(comm, timers, prompt, std::move(port)) {
    // The main form is always on screen: its sessions act whenever asked.
    SetVisible(true);
}

void MainFormLine::Claim(std::function<void()> onComm, std::function<void(int id)> onTimer) {
    onComm_ = std::move(onComm);
    onTimer_ = std::move(onTimer);
}

void MainFormLine::OnComm() {
    if (onComm_) {
        onComm_();
    }
}

void MainFormLine::OnTimer(int id) {
    if (onTimer_) {
        onTimer_(id);
    }
}

}  // namespace tavix
