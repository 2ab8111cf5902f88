#pragma once
// The main form's device sessions on the command line: the same identification
// and LoggerLink the window drives, on Qt timers and the configured serial port (or the demo
// device), with the progress window played by its rules.

#include <functional>
#include <string>

#include "CliCommon.h"
#include "device/IdentifySession.h"
#include "device/MainFormLine.h"
#include "link/CMSComm.h"
#include "logger/LoggerLink.h"
#include "platform/QtTimerHost.h"
#include "shell/UploadProgress.h"

namespace tavix::cli {

class DeviceSession {
public:
    DeviceSession(Settings& settings, StreamPrompt& prompt, const std::string& portOption);

    LoggerLink& Link() { return link_; }
    IdentifySession& Identity() { return identity_; }
    UploadProgress& Window() { return window_; }

    // Runs the event loop until `done` holds or `limitMs` has passed; false at the limit.
    static bool RunUntil(const std::function<bool()>& done, int limitMs);
    // Open Device. True when the device was identified and its profile loaded.
    bool Identify();

private:
    QtTimerHost linkTimers_;
    QtTimerHost windowTimers_;
    CMSComm comm_;
    MainFormLine line_;
    IdentifySession identity_;
    LoggerLink link_;
    UploadProgress window_;
};

}  // namespace tavix::cli
