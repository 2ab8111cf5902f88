#pragma once
// The main form's own serial control, its timers and the one request engine
// on them. Two sessions use it in turn: the identification ("Open Device")
// and the logger session (upload and clear). Only one exchange runs at a time:
// the session that starts one claims the line's events and marks it busy.

#include <functional>
#include <string>

#include "link/DeviceRequest.h"
#include "link/PortName.h"

namespace tavix {

class CMSComm;
class Prompt;
class TimerHost;

class MainFormLine {
public:
    MainFormLine(CMSComm& comm, TimerHost& timers, Prompt& prompt);
    ~MainFormLine();
    MainFormLine(const MainFormLine&) = delete;
    MainFormLine& operator=(const MainFormLine&) = delete;

    // The port to open, resolved at every open.
    PortSource port;

    // Opens the port with the main form's procedure and messages; true when open.
    bool Open();
    void Close();

    // Routes the serial control's receive events and the timer ticks to the
    // session starting an exchange.
    void Claim(std::function<void()> onComm, std::function<void(int id)> onTimer);

    CMSComm& Comm() { return comm_; }
    TimerHost& Timers() { return timers_; }
    DeviceRequest& Request() { return request_; }

    // An exchange with the device is running.
    bool busy = false;
    // The device is no longer there for sure: the port did not open, or a
    // request timed out. Set by the identification, which owns "connected".
    std::function<void()> deviceLost;
    void DeviceLost() {
        if (deviceLost) {
            deviceLost();
        }
    }

private:
    CMSComm& comm_;
    TimerHost& timers_;
    Prompt& prompt_;
    DeviceRequest request_;
};

}  // namespace tavix
