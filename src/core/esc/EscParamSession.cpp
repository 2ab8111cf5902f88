#include "esc/EscParamSession.h"

#include <cctype>

#include "esc/EscMessages.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

int Low16(const Bytes& block, std::size_t at) {
    return block[at] | (block[at + 1] << 8);
}

void PutLow16(Bytes& block, std::size_t at, int value) {
    block[at] = static_cast<std::uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

std::uint8_t TemperatureOffsetByte(const std::string& text) {
    unsigned value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            break;
        }
        value = (value * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
    }
    return static_cast<std::uint8_t>(value);
}

EscParamSession::EscParamSession(const EscSeriesTable& table, CMSComm& comm, TimerHost& timers,
                                 Prompt& prompt, PortSource port)
    : table_(table),
      comm_(comm),
      timers_(timers),
      prompt_(prompt),
      port_(std::move(port)),
      request_(comm, timers) {
    state_.selection.assign(table_.lists.size(), -1);
    comm_.SetOnComm([this] { OnComm(); });
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

EscParamSession::~EscParamSession() {
    timers_.StopTimer(kEscReadTimer);
    timers_.StopTimer(kEscWriteTimer);
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

void EscParamSession::Notify() {
    if (changed) {
        changed();
    }
}

bool EscParamSession::OpenPort() {
    comm_.SetCommPort(port_ ? port_() : std::string());
    return OpenDevicePort(comm_, prompt_, kMsgPortInUsePage);
}

void EscParamSession::SetText(EscField field, std::string text) {
    state_.texts[static_cast<std::size_t>(field)] = std::move(text);
}

void EscParamSession::ClearPage() {
    for (std::string& group : state_.version) {
        group.clear();
    }
    for (const EscFieldPlace& place : table_.fields) {
        SetText(place.field, {});
    }
    state_.progress = 0;
    state_.selection.assign(table_.lists.size(), -1);
    state_.connected = false;
    state_.updateEnabled = false;
}

void EscParamSession::OnShow(bool open) {
    if (state_.resetFlag) {
        ClearPage();
        state_.connectEnabled = false;
        Notify();
        state_.connectEnabled = open && OpenPort();
        Notify();
        OnConnect();
        return;
    }
    // A page that has been read keeps what it shows; only the port reopens.
    state_.connectEnabled = open && OpenPort();
    Notify();
}

void EscParamSession::OnHide() {
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
    if (table_.showAfterHide) {
        OnShow(false);
    } else {
        Notify();
    }
}

void EscParamSession::OnConnect() {
    if (!visible_) {
        return;
    }
    state_.progress = 0;
    state_.phase = EscPhase::Reading;
    Notify();
    request_.Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void EscParamSession::OnDefault() {
    if (!visible_) {
        return;
    }
    for (std::size_t i = 0; i < table_.lists.size(); ++i) {
        state_.selection[i] = table_.lists[i].defaultIndex;
    }
    for (const EscFieldPlace& place : table_.fields) {
        if (auto text = FieldDefault(place.field)) {
            SetText(place.field, *text);
        }
    }
    Notify();
}

void EscParamSession::Select(std::size_t list, int index) {
    if (list >= table_.lists.size() || index < -1 ||
        index >= static_cast<int>(table_.lists[list].entries.size())) {
        return;
    }
    state_.selection[list] = index;
    Notify();
}

void EscParamSession::SetTemperatureOffset(const std::string& text) {
    if (!table_.temperatureOffset) {
        return;
    }
    // The box takes digits only.
    std::string digits;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits.push_back(c);
        }
    }
    SetText(EscField::TemperatureOffset, digits);
    Notify();
}

Bytes EscParamSession::BuildWriteBlock(std::string& refusal) const {
    Bytes block(kParamBlockSize, 0);
    block[kBlockFlagOffset] = kBlockFlag;

    std::string version;
    for (const std::string& group : state_.version) {
        version += group;
    }
    if (version.size() != kBlockVersionSize) {
        refusal = kMsgEscInvalidVersion;
        return {};
    }
    std::copy(version.begin(), version.end(), block.begin() + kBlockVersionOffset);

    if (table_.calibrationOffset) {
        if (!calibration_.InOrder()) {
            refusal = kMsgEscCalibrationOutOfOrder;
            return {};
        }
        const std::size_t at = *table_.calibrationOffset;
        PutLow16(block, at, calibration_.reverse);
        PutLow16(block, at + 2, calibration_.neutral);
        PutLow16(block, at + 4, calibration_.forward);
    }
    for (std::size_t i = 0; i < table_.lists.size(); ++i) {
        const int index = state_.selection[i];
        block[table_.lists[i].offset] =
            index < 0 ? kNoSelectionByte : static_cast<std::uint8_t>(index);
    }
    for (std::size_t offset : table_.keptOffsets) {
        block[offset] = offset < lastRead_.size() ? lastRead_[offset] : 0;
    }
    if (table_.temperatureOffset) {
        block[*table_.temperatureOffset] =
            TemperatureOffsetByte(state_.Text(EscField::TemperatureOffset));
    }
    refusal.clear();
    return block;
}

void EscParamSession::OnUpdate() {
    if (!visible_ || !state_.updateEnabled) {
        return;
    }
    if (!prompt_.Ask(kMsgEscConfirmUpdate, PromptIcon::Exclamation)) {
        return;
    }
    state_.progress = 0;
    std::string refusal;
    Bytes block = BuildWriteBlock(refusal);
    if (block.empty()) {
        // Nothing is sent. The message asks for a fresh read of the ESC, so
        // the next show reads the block again instead of leaving the page
        // waiting for a time-out of a request that never went out.
        state_.phase = EscPhase::NotLinked;
        state_.resetFlag = true;
        state_.connected = false;
        state_.updateEnabled = false;
        Notify();
        prompt_.Message(refusal, refusal == kMsgEscCalibrationOutOfOrder ? PromptIcon::None
                                                                         : PromptIcon::Exclamation);
        return;
    }
    lastWrite_ = block;
    state_.phase = EscPhase::Writing;
    Notify();
    request_.Send(kCmdWriteBlock, kParamBlockAddress, kParamBlockSize, block);
}

void EscParamSession::TakeReadBlock(const Bytes& block) {
    lastRead_ = block;
    for (std::size_t g = 0; g < kEscVersionGroups; ++g) {
        const auto from = block.begin() + static_cast<std::ptrdiff_t>(kBlockVersionOffset +
                                                                      g * kEscVersionGroupSize);
        state_.version[g].assign(from, from + static_cast<std::ptrdiff_t>(kEscVersionGroupSize));
    }
    for (std::size_t i = 0; i < table_.lists.size(); ++i) {
        const EscList& list = table_.lists[i];
        const std::uint8_t value = block[list.offset];
        state_.selection[i] = value < list.entries.size() ? value : -1;
    }
    if (table_.throttleByteOffset) {
        SetText(EscField::ThrottleRange, std::to_string(block[*table_.throttleByteOffset] * 8));
    }
    if (table_.calibrationOffset) {
        const std::size_t at = *table_.calibrationOffset;
        calibration_ = {Low16(block, at), Low16(block, at + 2), Low16(block, at + 4)};
        SetText(EscField::ForwardRange,
                std::to_string((calibration_.forward - calibration_.neutral) / 2));
        SetText(EscField::ReverseRange,
                std::to_string((calibration_.neutral - calibration_.reverse) / 2));
        SetText(EscField::Neutral, std::to_string(calibration_.neutral / 2));
    }
    if (table_.temperatureOffset) {
        SetText(EscField::TemperatureOffset, std::to_string(block[*table_.temperatureOffset]));
    }
}

void EscParamSession::OnComm() {
    const std::optional<DeviceReply> reply = request_.OnComm();
    if (!reply) {
        return;
    }
    if (reply->command == kCmdReadBlock && reply->data.size() == kParamBlockSize) {
        // Also a reply that comes after its time-out: the ESC did answer.
        TakeReadBlock(reply->data);
        state_.progress = kActivityMax;
        state_.connected = true;
        state_.updateEnabled = true;
        state_.resetFlag = false;
        state_.phase = EscPhase::Linked;
        Notify();
    } else if (reply->command == kCmdWriteBlock) {
        // The write took, even when the reply comes after the time-out.
        state_.progress = kActivityMax;
        state_.connected = true;
        state_.updateEnabled = true;
        state_.phase = EscPhase::Linked;
        Notify();
        prompt_.Message(kMsgEscUpdateComplete, PromptIcon::Information);
    }
}

void EscParamSession::OnTimer(int id) {
    const TickOutcome outcome = request_.OnTimer(id);
    if (outcome == TickOutcome::Ignored) {
        return;
    }
    state_.progress = NextActivityStep(state_.progress);
    if (outcome == TickOutcome::Waiting) {
        Notify();
        return;
    }
    state_.connected = false;
    state_.updateEnabled = false;
    state_.progress = 0;
    if (id == kEscReadTimer) {
        state_.resetFlag = true;
        state_.phase = EscPhase::NotLinked;
        Notify();
        prompt_.Message(kMsgConnectTimeout, PromptIcon::Exclamation, request_.TimeoutDetail());
    } else {
        // The values stay; the reset flag is not set, so no read runs on show.
        state_.phase = EscPhase::WriteFailed;
        Notify();
        prompt_.Message(kMsgEscUpdateTimeout, PromptIcon::Exclamation, request_.TimeoutDetail());
    }
}

}  // namespace tavix
