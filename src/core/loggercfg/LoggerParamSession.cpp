#include "loggercfg/LoggerParamSession.h"

#include "link/CMSComm.h"
#include "link/DeviceRequest.h"
#include "link/Frame.h"
#include "loggercfg/LoggerCfgMessages.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

constexpr std::size_t kCycleByte = kHeaderCycleOffset - kLoggerParamAddress;
constexpr std::size_t kRateByte = kHeaderRateOffset - kLoggerParamAddress;

std::uint16_t WordAt(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

}  // namespace

LoggerParamSession::LoggerParamSession(CMSComm& comm, TimerHost& timers, Prompt& prompt,
                                       PortSource port)
    : comm_(comm),
      timers_(timers),
      prompt_(prompt),
      port_(std::move(port)),
      request_(std::make_unique<DeviceRequest>(comm, timers, ReplyMatch::OwnCommand)) {
    comm_.SetOnComm([this] { OnComm(); });
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

LoggerParamSession::~LoggerParamSession() {
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

Bytes LoggerParamSession::UpdatePayload() const {
    Bytes payload = header_;
    payload[0] = static_cast<std::uint8_t>(lastAddress_ >> 8);
    payload[1] = static_cast<std::uint8_t>(lastAddress_);
    payload[2] = static_cast<std::uint8_t>(firstAddress_ >> 8);
    payload[3] = static_cast<std::uint8_t>(firstAddress_);
    // With nothing selected the byte goes back as the logger holds it.
    if (state_.cycleIndex >= 0) {
        payload[kCycleByte] = state_.cycleIndex != 0 ? 1 : 0;
    }
    if (state_.rateIndex >= 0 && state_.rateIndex < static_cast<int>(kSamplingRates.size())) {
        payload[kRateByte] = kSamplingRates[static_cast<std::size_t>(state_.rateIndex)].value;
    }
    return payload;
}

// ------------------------------------------------------------------ show, hide

void LoggerParamSession::OnShow(bool open) {
    state_.visible = open;
    if (!reset_) {
        state_.portOpen = open && OpenPort();
        Notify();
        if (reread_) {
            OnConnect();  // what is shown stays until the logger's answer replaces it
        }
        return;
    }
    lastAddress_ = 0;
    firstAddress_ = 0;
    state_.flightCount = 0;
    state_.cycleIndex = -1;
    state_.rateIndex = -1;
    state_.progress = 0;
    state_.linked = false;
    headerRead_ = false;
    state_.portOpen = false;
    Notify();
    state_.portOpen = open && OpenPort();
    Notify();
    OnConnect();
}

void LoggerParamSession::OnHide() {
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
    OnShow(false);
}

bool LoggerParamSession::OpenPort() {
    if (comm_.GetPortOpen()) {
        return true;
    }
    comm_.SetCommPort(port_ ? port_() : std::string());
    return OpenDevicePort(comm_, prompt_, kMsgPortInUsePage);
}

void LoggerParamSession::OnLendPort() {
    request_->Cancel();
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
    state_.portOpen = false;
    Notify();
}

void LoggerParamSession::OnPortReturned() {
    if (!state_.visible) {
        return;  // the next show takes the port
    }
    state_.portOpen = OpenPort();
    Notify();
    OnConnect();
}

// -------------------------------------------------------------------- buttons

void LoggerParamSession::OnConnect() {
    if (!state_.visible) {
        return;
    }
    state_.progress = 0;
    Send(kCmdReadMemory, 0, kLoggerHeaderLength);
}

void LoggerParamSession::OnDefault() {
    if (!state_.visible) {
        return;
    }
    lastAddress_ = kDefaultLastAddress;
    firstAddress_ = kDefaultFirstAddress;
    state_.cycleIndex = kDefaultCycleIndex;
    state_.rateIndex = kDefaultRateIndex;
    Notify();
}

void LoggerParamSession::OnUpdate() {
    if (!state_.visible || !state_.updateEnabled) {
        return;
    }
    if (!prompt_.Ask(kMsgConfirmLoggerUpdate, PromptIcon::Exclamation)) {
        return;
    }
    // The box let events run: the page may have been hidden or a request started.
    if (!state_.visible || !state_.updateEnabled) {
        return;
    }
    state_.progress = 0;
    Send(kCmdWriteMemory, kLoggerParamAddress, kLoggerParamLength, UpdatePayload());
}

void LoggerParamSession::OnCycleSelected(int index) {
    if (index < -1 || index >= static_cast<int>(kCycleTexts.size()) || index == state_.cycleIndex) {
        return;
    }
    state_.cycleIndex = index;
    Notify();
}

void LoggerParamSession::OnRateSelected(int index) {
    if (index < -1 || index >= static_cast<int>(kSamplingRates.size()) ||
        index == state_.rateIndex) {
        return;
    }
    state_.rateIndex = index;
    Notify();
}

void LoggerParamSession::Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                              const Bytes& payload) {
    // A port that could not be opened has been reported already; the request
    // still runs its timer and ends in its time-out, which tells the outcome.
    request_->Send(command, address, length, payload);
    Notify();
}

// --------------------------------------------------------------------- events

void LoggerParamSession::OnComm() {
    const std::optional<DeviceReply> reply = request_->OnComm();
    if (!reply) {
        return;
    }
    switch (reply->command) {
        case kCmdReadMemory:
            // A read of fewer bytes than the header's fields is no header.
            if (reply->address == 0 && reply->data.size() > kHeaderFlightCountOffset) {
                OnHeader(reply->data);
            }
            break;
        case kCmdWriteMemory:
            OnUpdated();
            break;
        default:
            break;  // another page's reply
    }
}

void LoggerParamSession::OnHeader(const Bytes& header) {
    lastAddress_ = WordAt(header, 16);
    firstAddress_ = WordAt(header, 18);
    header_.assign(header.begin() + kLoggerParamAddress,
                   header.begin() + kLoggerParamAddress + kLoggerParamLength);
    state_.cycleIndex = header[kHeaderCycleOffset] == 1 ? 1 : 0;
    const int rate = RateIndexOf(header[kHeaderRateOffset]);
    if (rate >= 0) {
        state_.rateIndex = rate;
    }
    state_.flightCount = header[kHeaderFlightCountOffset];
    state_.progress = kActivityMax;
    state_.linked = true;
    headerRead_ = true;
    reset_ = false;
    reread_ = false;
    Notify();
}

void LoggerParamSession::OnUpdated() {
    state_.progress = kActivityMax;
    reread_ = true;
    Notify();
    prompt_.Message(kMsgLoggerUpdated, PromptIcon::Information);
}

void LoggerParamSession::OnTimer(int id) {
    if (id != kCmdReadMemory && id != kCmdWriteMemory) {
        return;
    }
    const TickOutcome outcome = request_->OnTimer(id);
    if (outcome == TickOutcome::Ignored) {
        timers_.StopTimer(id);  // a timer whose request has ended
        return;
    }
    StepProgress();
    if (outcome == TickOutcome::Waiting) {
        Notify();
        return;
    }
    state_.progress = 0;
    state_.linked = false;
    headerRead_ = false;
    if (id == kCmdReadMemory) {
        reset_ = true;  // the next show clears the page and reads again
    } else {
        // Update stays off until a header has been read, and what the logger
        // holds now is not known: the next show reads it, keeping the values
        // on screen until the answer comes.
        reread_ = true;
    }
    Notify();
    prompt_.Message(id == kCmdReadMemory ? kMsgConnectTimeout : kMsgUpdateTimeout,
                    PromptIcon::Exclamation, request_->TimeoutDetail());
}

void LoggerParamSession::StepProgress() {
    state_.progress = NextActivityStep(state_.progress);
}

void LoggerParamSession::Notify() {
    state_.busy = request_->Pending() != 0 && !request_->TimedOut();
    state_.updateEnabled = headerRead_ && !state_.busy;
    if (changed) {
        changed();
    }
}

}  // namespace tavix
