#include "device/IdentifySession.h"

#include "base/Translate.h"
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
                                 CAppConfig& config, FlightRecord& shown)
    : line_(line),
      ownDevice_(std::make_unique<ConnectedDevice>()),
      prompt_(prompt),
      ini_(ini),
      config_(config),
      shown_(shown) {
    line_.deviceLost = [this] { OnDeviceLost(); };
    SetDevice(nullptr);
}

IdentifySession::~IdentifySession() {
    device_->Unwatch(watch_);
    *alive_ = false;
    line_.deviceLost = nullptr;
    line_.Timers().StopTimer(kTimerIdentify);
}

void IdentifySession::SetDevice(ConnectedDevice* device) {
    if (device_ != nullptr) {
        device_->Unwatch(watch_);
    }
    device_ = device != nullptr ? device : ownDevice_.get();
    watch_ = device_->Watch([this] { DeviceChanged(); });
}

IdentityState IdentifySession::State() const {
    IdentityState state;
    state.identifying = identifying_;
    if (identifying_ || !device_->IsIdentified() || takenGeneration_ != device_->Generation()) {
        return state;
    }
    // A refused identity (no profile, unknown series) still shows its version:
    // after an upgrade the pane tells the truth about the ESC.
    const DeviceIdentity& identity = device_->Identity();
    state.version = identity.version;
    state.hardwareCode = identity.hardwareCode;
    state.description = description_;
    if (accepted_) {
        state.connected = true;
        state.series = identity.series;
        state.hasLogger = identity.hasLogger;
    }
    return state;
}

void IdentifySession::DeviceChanged() {
    // Open Device tells the window itself once the request is out.
    if (identifying_ || device_->State() == DeviceState::Reading) {
        return;
    }
    if (taking_) {
        // This session's own identification, told first of all watchers: the
        // window shows the new identity before any page hears of it, so the
        // page on screen reads under it.
        takenGeneration_ = device_->Generation();
        accepted_ = *taking_;
        Notify();
        return;
    }
    if (device_->IsIdentified() && device_->Generation() != takenGeneration_) {
        // A page read another ESC on the same port (swapped, or new firmware):
        // the window shows what it found.
        receivedVersion_ = device_->Identity().version;
        receivedBlock_ = device_->Block();
        PromptIcon icon = PromptIcon::Information;
        const std::string refusal = LoadProfile(receivedVersion_, icon);
        takenGeneration_ = device_->Generation();
        accepted_ = refusal.empty();
        Notify();
        Tell(refusal, icon);
        return;
    }
    Notify();
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
    device_->Opening(line_.PortPath());
    if (!line_.Open()) {
        return;
    }
    line_.Claim([this] { OnComm(); }, [this](int id) { OnTimer(id); });
    line_.busy = true;
    identifying_ = true;
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
    identifying_ = false;
    PromptIcon icon = PromptIcon::Information;
    const std::string refusal = LoadProfile(receivedVersion_, icon);
    if (refusal.empty() && !HasLogger(receivedVersion_)) {
        // An ESC without a logger has nothing to upload: its own page first.
        tabRequest_ = kTabParameter;
    }
    taking_ = refusal.empty();
    if (refusal.empty()) {
        device_->Identify(receivedBlock_);
    } else {
        device_->Refused();
    }
    taking_.reset();
    Tell(refusal, icon);
}

std::string IdentifySession::LoadProfile(const std::string& version, PromptIcon& icon) {
    const std::string hw = HardwareCodeOf(version);
    if (!config_.LoadHardwareProfile(ini_, hw, shown_)) {
        description_.clear();
        icon = PromptIcon::Exclamation;
        return FormatShown(kMsgNoHardwareProfile, hw.c_str());
    }
    description_ = config_.description;
    if (SeriesOf(version) == kSeriesUnknown) {
        icon = PromptIcon::Stop;
        return FormatShown(kMsgUnrecognizedFirmware, version.c_str());
    }
    RecordHeader& header = shown_.header;
    SetFixedText(header.version, version);
    SetFixedText(header.hwCode, hw);
    calibration_ = shown_.calibration;
    ranges_ = shown_.ranges;
    return {};
}

void IdentifySession::Tell(const std::string& refusal, PromptIcon icon) {
    if (!refusal.empty()) {
        prompt_.Message(refusal, icon);
        return;
    }
    if (keepBlock) {
        const std::string error = keepBlock(receivedBlock_);
        if (!error.empty()) {
            prompt_.Message(error, PromptIcon::Exclamation);
        }
    }
}

void IdentifySession::OnDeviceLost() {
    device_->Lose();  // its watchers, this session among them, follow
}

void IdentifySession::OnPortPresence(bool present) {
    if (!present && !line_.busy) {
        OnDeviceLost();
    }
}

void IdentifySession::Timeout(const std::string& detail) {
    line_.Close();
    line_.busy = false;
    identifying_ = false;
    receivedBlock_.clear();
    tabRequest_ = kTabWelcome;
    device_->Lose();
    Notify();
    prompt_.Message(kMsgOpenTimeout, PromptIcon::Exclamation, detail);
}

}  // namespace tavix
