#include "loggercfg/LoggerParamSession.h"

#include "base/FormatText.h"
#include "device/ConnectedDevice.h"
#include "device/DeviceMessages.h"
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
    : DeviceLine(comm, timers, prompt, std::move(port), ReplyMatch::OwnCommand) {}

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
    SetVisible(open);
    if (!ResetPending()) {
        state_.portOpen = open && OpenPort();
        Notify();
        if (reread_) {
            OnConnect();  // what is shown stays until the logger's answer replaces it
        }
        return;
    }
    ClearShown();
    Notify();
    state_.portOpen = open && OpenPort();
    Notify();
    OnConnect();
}

void LoggerParamSession::ClearShown() {
    lastAddress_ = 0;
    firstAddress_ = 0;
    state_.flightCount = 0;
    state_.cycleIndex = -1;
    state_.rateIndex = -1;
    state_.progress = 0;
    state_.linked = false;
    headerRead_ = false;
    state_.portOpen = false;
}

void LoggerParamSession::IdentityEnded() {
    // The logger's settings shown belong to an ESC no longer known to be there.
    Request().Cancel();
    checking_ = false;
    reread_ = false;
    const bool open = state_.portOpen;
    ClearShown();
    state_.portOpen = open;
    Notify();
}

void LoggerParamSession::OnHide() {
    ClosePort();
    OnShow(false);
}

void LoggerParamSession::OnLendPort() {
    Request().Cancel();
    ClosePort();
    state_.portOpen = false;
    Notify();
}

void LoggerParamSession::OnPortReturned() {
    if (!Visible()) {
        return;  // the next show takes the port
    }
    state_.portOpen = OpenPort();
    Notify();
    OnConnect();
}

// -------------------------------------------------------------------- buttons

void LoggerParamSession::OnConnect() {
    if (!Visible()) {
        return;
    }
    state_.progress = 0;
    if (!Comm().GetPortOpen()) {
        // The failed open has been told, once; no time-out follows it.
        SetReset(true);
        Notify();
        return;
    }
    Send(kCmdReadMemory, 0, kLoggerHeaderLength);
}

void LoggerParamSession::OnDefault() {
    if (!Visible()) {
        return;
    }
    lastAddress_ = kDefaultLastAddress;
    firstAddress_ = kDefaultFirstAddress;
    state_.cycleIndex = kDefaultCycleIndex;
    state_.rateIndex = kDefaultRateIndex;
    Notify();
}

void LoggerParamSession::OnUpdate() {
    // The box lets events run: the page may be hidden or a request started meanwhile.
    const auto ready = [this] { return Visible() && state_.updateEnabled; };
    if (!ready() || !Ask(kMsgConfirmLoggerUpdate, PromptIcon::Exclamation, ready)) {
        return;
    }
    // The ESC is read again over this port first: the settings go only to
    // the logger whose settings the page shows.
    state_.progress = 0;
    checking_ = true;
    Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void LoggerParamSession::TakeCheckRead(const Bytes& block) {
    checking_ = false;
    if (!SameEscAsShown(block)) {
        const DeviceIdentity before = Device() != nullptr ? Device()->Identity() : DeviceIdentity{};
        BlockRead(block);  // every page follows the ESC found
        state_.progress = 0;
        Notify();
        GetPrompt().Message(OtherEscText(IdentityOfBlock(block), before), PromptIcon::Exclamation);
        return;
    }
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
    Request().Send(command, address, length, payload);
    Notify();
}

// --------------------------------------------------------------------- events

void LoggerParamSession::OnComm() {
    const std::optional<DeviceReply> reply = Request().OnComm();
    if (!reply) {
        return;
    }
    switch (reply->command) {
        case kCmdReadBlock:
            if (checking_) {
                TakeCheckRead(reply->data);
            }
            break;
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
    MarkShown();
    SetReset(false);
    reread_ = false;
    Notify();
}

void LoggerParamSession::OnUpdated() {
    state_.progress = kActivityMax;
    reread_ = true;
    Notify();
    GetPrompt().Message(kMsgLoggerUpdated, PromptIcon::Information);
}

void LoggerParamSession::OnTimer(int id) {
    if (id != kCmdReadMemory && id != kCmdWriteMemory && id != kCmdReadBlock) {
        return;
    }
    const TickOutcome outcome = CountTick(id);
    if (outcome == TickOutcome::Ignored) {
        Timers().StopTimer(id);  // a timer whose request has ended
        return;
    }
    StepActivity(state_.progress);
    if (outcome == TickOutcome::Waiting) {
        Notify();
        return;
    }
    state_.progress = 0;
    state_.linked = false;
    headerRead_ = false;
    checking_ = false;
    if (id == kCmdReadMemory) {
        SetReset(true);  // the next show clears the page and reads again
    } else {
        // Update stays off until a header has been read, and what the logger
        // holds now is not known: the next show reads it, keeping the values
        // on screen until the answer comes.
        reread_ = true;
    }
    Notify();
    if (id == kCmdReadMemory) {
        GetPrompt().Message(kMsgConnectTimeout, PromptIcon::Exclamation, Request().TimeoutDetail());
    } else {
        GetPrompt().Message(
            kMsgUpdateTimeout, PromptIcon::Exclamation,
            Request().TimeoutDetail(id == kCmdReadBlock ? kDetailNothingWritten
                                                        : kDetailLoggerWriteUnknown));
    }
}

void LoggerParamSession::BeforeNotify() {
    state_.visible = Visible();
    state_.busy = Request().Pending() != 0 && !Request().TimedOut();
    state_.updateEnabled = headerRead_ && !state_.busy;
}

}  // namespace tavix
