#pragma once
// The main form's device session on the command line: the same LoggerLink the
// window drives, on Qt timers and the configured serial port (or the demo
// device), with the progress window played by its rules.

#include <functional>
#include <string>

#include "CliCommon.h"
#include "link/CMSComm.h"
#include "logger/LoggerLink.h"
#include "logger/ProgressWatcher.h"
#include "platform/QtTimerHost.h"

namespace tavix::cli {

class DeviceSession {
public:
    DeviceSession(Settings& settings, StreamPrompt& prompt, const std::string& portOption);

    LoggerLink& Link() { return link_; }
    ProgressWatcher& Window() { return window_; }

    // Runs the event loop until `done` holds or `limitMs` has passed; false at the limit.
    static bool RunUntil(const std::function<bool()>& done, int limitMs);
    // Open Device. True when the device was identified and its profile loaded.
    bool Identify();

private:
    QtTimerHost linkTimers_;
    QtTimerHost windowTimers_;
    CMSComm comm_;
    LoggerLink link_;
    ProgressWatcher window_;
};

}  // namespace tavix::cli
