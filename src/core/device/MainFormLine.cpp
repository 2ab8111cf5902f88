#include "device/MainFormLine.h"

#include "link/CMSComm.h"
#include "shell/TimerHost.h"

namespace tavix {

MainFormLine::MainFormLine(CMSComm& comm, TimerHost& timers, Prompt& prompt)
    : comm_(comm), timers_(timers), prompt_(prompt), request_(comm, timers) {}

MainFormLine::~MainFormLine() {
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

bool MainFormLine::Open() {
    comm_.SetCommPort(port ? port() : std::string());
    return OpenDevicePort(comm_, prompt_, kMsgPortInUseMainForm, [this] { DeviceLost(); });
}

void MainFormLine::Close() {
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
}

void MainFormLine::Claim(std::function<void()> onComm, std::function<void(int id)> onTimer) {
    comm_.SetOnComm(std::move(onComm));
    timers_.SetHandler(std::move(onTimer));
}

}  // namespace tavix
