#include "device/IdentifySession.h"

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "device/ConnectedDevice.h"
#include "device/DeviceMessages.h"
#include "device/MainFormLine.h"
#include "link/Frame.h"
#include "shell/Prompt.h"
#include "shell/ShellMessages.h"
#include "shell/TimerHost.h"

namespace tavix {

IdentifySession::IdentifySession(MainFormLine& line, Prompt& prompt, CIniFile& ini,
                                 CAppConfig& config)
    : line_(line), prompt_(prompt), ini_(ini), config_(config) {
    line_.deviceLost = [this] { OnDeviceLost(); };
}

IdentifySession::~IdentifySession() {
    if (device_ != nullptr) {
        device_->Unwatch(watch_);
    }
    *alive_ = false;
    line_.deviceLost = nullptr;
    line_.Timers().StopTimer(kTimerIdentify);
}

void IdentifySession::SetDevice(ConnectedDevice* device) {
    if (device_ != nullptr) {
        device_->Unwatch(watch_);
    }
    device_ = device;
    if (device_ != nullptr) {
        watch_ = device_->Watch([this] { DeviceChanged(); });
    }
}

void IdentifySession::DeviceChanged() {
    if (state_.identifying || device_->State() == DeviceState::Reading) {
        return;
    }
    if (!device_->IsIdentified()) {
        if (state_.connected || !state_.version.empty()) {
            ClearIdentity();
            Notify();
        }
        return;
    }
    // A page read another ESC on the same port (swapped, or new firmware):
    // the window shows what it found.
    const DeviceIdentity& now = device_->Identity();
    if (state_.connected && now.version != state_.version) {
        receivedVersion_ = now.version;
        receivedBlock_ = device_->Block();
        TakeVersion(false);
    }
}

int IdentifySession::TakeTabRequest() {
    const int tab = tabRequest_;
    tabRequest_ = -1;
    return tab;
}

void IdentifySession::Notify() {
    if (changed) {
        changed();
    }
}

void IdentifySession::OnOpenDevice() {
    if (line_.busy) {
        return;
    }
    if (hideDevicePages) {
        hideDevicePages();
    }
    // Whatever was identified before ends now: the answer may come from
    // another ESC, or from none.
    const std::string port = line_.port ? line_.port() : std::string();
    ClearIdentity();
    if (device_ != nullptr) {
        device_->Opening(port);
    }
    if (!line_.Open()) {
        return;
    }
    line_.Claim([this] { OnComm(); }, [this](int id) { OnTimer(id); });
    line_.busy = true;
    state_.identifying = true;
    receivedVersion_.clear();
    receivedBlock_.clear();
    line_.Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    Notify();
}

void IdentifySession::OnComm() {
    const std::optional<DeviceReply> reply = line_.Request().OnComm();
    if (!reply || reply->command != kCmdReadBlock) {
        return;
    }
    // All 16 bytes as sent, zero bytes included.
    const auto version = reply->data.begin() + kBlockVersionOffset;
    receivedVersion_.assign(version, version + kVersionLength);
    receivedBlock_ = reply->data;
    std::weak_ptr<bool> alive = alive_;
    line_.Timers().Post([this, alive] {
        const auto token = alive.lock();
        if (token && *token) {
            OnVersionReceived();
        }
    });
}

void IdentifySession::OnTimer(int id) {
    switch (line_.Request().OnTimer(id, kIdentifyTimeoutTick)) {
        case TickOutcome::Ignored:
            line_.Timers().StopTimer(id);  // a stray tick of a finished request
            break;
        case TickOutcome::Waiting:
            break;
        case TickOutcome::TimedOut: {
            const std::string detail = line_.Request().TimeoutDetail();
            line_.Request().Cancel();
            Timeout(detail);
            break;
        }
    }
}

void IdentifySession::OnVersionReceived() {
    line_.Close();
    line_.busy = false;
    state_.identifying = false;
    TakeVersion(true);
    if (device_ != nullptr) {
        if (state_.connected) {
            device_->Identify(receivedBlock_);
        } else {
            device_->Refused();
        }
    }
}

void IdentifySession::ClearIdentity() {
    state_.connected = false;
    state_.hasLogger = false;
    state_.version.clear();
    state_.hardwareCode.clear();
    state_.description.clear();
}

void IdentifySession::TakeVersion(bool chooseTab) {
    const std::string& version = receivedVersion_;
    const std::string hw = HardwareCodeOf(version);
    if (!config_.LoadHardwareProfile(ini_, hw)) {
        if (!chooseTab) {
            // After an upgrade the pane still tells the truth about the ESC.
            state_.version = version;
            state_.hardwareCode = hw;
            state_.description.clear();
        }
        Notify();
        prompt_.Message(FormatText(kMsgNoHardwareProfile, hw.c_str()), PromptIcon::Exclamation);
        return;
    }
    const int series = SeriesOf(version);
    if (series == kSeriesUnknown) {
        if (!chooseTab) {
            state_.version = version;
            state_.hardwareCode = hw;
            state_.description = config_.description;
        }
        Notify();
        prompt_.Message(FormatText(kMsgUnrecognizedFirmware, version.c_str()), PromptIcon::Stop);
        return;
    }
    RecordHeader& header = config_.Record().header;
    SetFixedText(header.version, version);
    SetFixedText(header.hwCode, hw);
    calibration_ = config_.Record().calibration;
    ranges_ = config_.Record().ranges;

    state_.connected = true;
    state_.series = series;
    state_.hasLogger = HasLogger(version);
    state_.version = version;
    state_.hardwareCode = hw;
    state_.description = config_.description;
    if (chooseTab && !state_.hasLogger) {
        // An ESC without a logger has nothing to upload: its own page first.
        tabRequest_ = kTabParameter;
    }
    Notify();
    if (keepBlock) {
        const std::string error = keepBlock(receivedBlock_);
        if (!error.empty()) {
            prompt_.Message(error, PromptIcon::Exclamation);
        }
    }
}

void IdentifySession::OnDeviceLost() {
    if (device_ != nullptr) {
        device_->Lose();  // its watchers, this session among them, follow
    }
    if (!state_.connected && !state_.hasLogger && state_.version.empty()) {
        return;
    }
    ClearIdentity();
    Notify();
}

void IdentifySession::OnPortPresence(bool present) {
    if (!present && !line_.busy) {
        OnDeviceLost();
    }
}

void IdentifySession::Timeout(const std::string& detail) {
    line_.Close();
    line_.busy = false;
    state_.identifying = false;
    ClearIdentity();
    receivedBlock_.clear();
    if (device_ != nullptr) {
        device_->Lose();
    }
    tabRequest_ = kTabWelcome;
    Notify();
    prompt_.Message(kMsgOpenTimeout, PromptIcon::Exclamation, detail);
}

}  // namespace tavix
