#pragma once
// The main form's own line: its serial control and timers with the request
// engine on them, as every device page has (DeviceLine). Two sessions use it
// in turn: the identification ("Open Device") and the logger session (upload
// and clear). Only one exchange runs at a time: the session that starts one
// claims the line's events and marks it busy.

#include <functional>

#include "device/DeviceLine.h"

namespace tavix {

class MainFormLine : public DeviceLine {
public:
    MainFormLine(CMSComm& comm, TimerHost& timers, Prompt& prompt, PortSource port = {});

    // Opens the port with the main form's message for a busy port; true when
    // open. A port that will not open is reported, and the device is lost.
    bool Open() { return OpenPort(kMsgPortInUseMainForm); }
    void Close() { ClosePort(); }

    // Routes the serial control's receive events and the timer ticks to the
    // session starting an exchange.
    void Claim(std::function<void()> onComm, std::function<void(int id)> onTimer);

    using DeviceLine::Comm;
    using DeviceLine::DeviceLost;
    using DeviceLine::Request;
    using DeviceLine::Timers;

    // An exchange with the device is running.
    bool busy = false;

private:
    void OnComm() override;
    void OnTimer(int id) override;

    std::function<void()> onComm_;
    std::function<void(int id)> onTimer_;
};

}  // namespace tavix
