#include "logger/LoggerLink.h"

#include <algorithm>
#include <cstring>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "link/PortName.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"
#include "shell/Clock.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

std::uint16_t ReplyLength(const std::uint8_t* reply) {
    return static_cast<std::uint16_t>((reply[3] << 8) | reply[4]);
}

}  // namespace

LoggerLink::LoggerLink(CMSComm& comm, TimerHost& timers, Prompt& prompt, const Clock& clock,
                       CIniFile& ini, CAppConfig& config)
    : comm_(comm), timers_(timers), prompt_(prompt), clock_(clock), ini_(ini), config_(config) {
    comm_.SetOnComm([this] { OnComm(); });
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

LoggerLink::~LoggerLink() {
    *alive_ = false;
    for (int id : {kTimerIdentify, kTimerRead, kTimerClear, kTimerBlock}) {
        timers_.StopTimer(id);
    }
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

int LoggerLink::TakeTabRequest() {
    const int tab = tabRequest_;
    tabRequest_ = -1;
    return tab;
}

void LoggerLink::Notify() {
    if (changed) {
        changed();
    }
}

void LoggerLink::Post(void (LoggerLink::*task)()) {
    std::weak_ptr<bool> alive = alive_;
    timers_.Post([this, alive, task] {
        const auto token = alive.lock();
        if (token && *token) {
            (this->*task)();
        }
    });
}

bool LoggerLink::OpenPort() {
    comm_.SetCommPort(ResolvePort(portOption, config_.comPort, ini_));
    return OpenDevicePort(comm_, prompt_, kMsgPortInUseMainForm);
}

void LoggerLink::ClosePort() {
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
}

void LoggerLink::Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                      const Bytes& payload) {
    // Whatever is still on the line belongs to no request of ours.
    if (comm_.InBufferCount() > 0) {
        comm_.Input();
    }
    pending_ = command;
    pendingLength_ = length;
    ticks_ = 0;
    comm_.SetRThreshold(static_cast<int>(ExpectedReplyLength(command, length)));
    comm_.Output(BuildRequest(command, address, length, payload));
    timers_.StartTimer(command, kRequestTickMs);
}

// ---------------------------------------------------------------- events

void LoggerLink::OnComm() {
    if (comm_.CommEvent() != kCommEvReceive) {
        return;
    }
    const Bytes input = comm_.Input();
    std::array<std::uint8_t, kReceiveBufferSize> buffer{};
    const std::size_t received = std::min(input.size(), buffer.size());
    std::copy_n(input.begin(), received, buffer.begin());
    if (pending_ == 0) {
        return;  // nothing awaited: a late reply after a time-out
    }
    switch (CheckReply(pending_, buffer.data(), received)) {
        case kCmdReadBlock:
            OnIdentifyReply(buffer.data());
            break;
        case kCmdReadMemory:
            // A reply for another length answers some other request: the
            // buffer it would fill has no room for it. Dropped; the time-out runs.
            if (ReplyLength(buffer.data()) != pendingLength_) {
                break;
            }
            if (blockReadActive_) {
                OnBlockReply(buffer.data());
            } else {
                OnHeaderReply(buffer.data());
            }
            break;
        case kCmdWriteMemory:
            OnClearReply();
            break;
        default:
            break;  // failed the check: dropped, the time-out runs on
    }
}

void LoggerLink::OnTimer(int id) {
    if (id == kTimerBlock) {
        OnBlockTick();
        return;
    }
    if (id != pending_) {
        timers_.StopTimer(id);  // a stray tick of a finished request
        return;
    }
    ++ticks_;
    switch (id) {
        case kTimerIdentify:
            if (ticks_ >= kIdentifyTickLimit) {
                IdentifyTimeout();
            }
            break;
        case kTimerRead:
            if (ticks_ > kRequestTickLimit) {
                DataTimeout();
            }
            break;
        case kTimerClear:
            if (ticks_ > kRequestTickLimit) {
                ClearTimeout();
            }
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------- Open Device

void LoggerLink::OnOpenDevice() {
    if (state_.busy) {
        return;
    }
    if (hideDevicePages) {
        hideDevicePages();
    }
    if (!OpenPort()) {
        return;
    }
    state_.busy = true;
    state_.setComPortEnabled = false;
    state_.openDeviceEnabled = false;
    receivedVersion_.clear();
    Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    Notify();
}

void LoggerLink::OnIdentifyReply(const std::uint8_t* reply) {
    timers_.StopTimer(kTimerIdentify);
    pending_ = 0;
    // All 16 bytes as sent, zero bytes included.
    receivedVersion_.assign(reinterpret_cast<const char*>(reply + kVersionReplyOffset),
                            kVersionLength);
    Post(&LoggerLink::OnVersionReceived);
}

void LoggerLink::OnVersionReceived() {
    ClosePort();
    state_.busy = false;
    state_.setComPortEnabled = true;
    state_.openDeviceEnabled = true;
    const std::string& version = receivedVersion_;
    const std::string hw = HardwareCodeOf(version);
    if (!config_.LoadHardwareProfile(ini_, hw)) {
        Notify();
        prompt_.Message(FormatText(kMsgNoHardwareProfile, hw.c_str()), PromptIcon::Exclamation);
        return;
    }
    const int series = SeriesOf(version);
    if (series == kSeriesUnknown) {
        Notify();
        prompt_.Message(FormatText(kMsgUnrecognizedFirmware, version.c_str()), PromptIcon::Stop);
        return;
    }
    state_.series = series;
    state_.connected = true;
    state_.setComPortEnabled = false;

    RecordHeader& header = config_.Record().header;
    SetFixedText(header.version, version);
    SetFixedText(header.hwCode, hw);
    deviceCalibration_ = config_.Record().calibration;
    deviceRanges_ = config_.Record().ranges;

    if (HasLogger(version)) {
        state_.tabEnabled.fill(true);
        state_.uploadEnabled = true;
        state_.clearEnabled = true;
    } else {
        // An ESC without a logger has nothing to upload or clear.
        state_.tabEnabled = {true, true, false, false, true};
        state_.uploadEnabled = false;
        state_.clearEnabled = false;
        tabRequest_ = kTabParameter;
    }
    state_.version = version;
    state_.hardwareCode = hw;
    state_.description = config_.description;
    Notify();
}

void LoggerLink::IdentifyTimeout() {
    timers_.StopTimer(kTimerIdentify);
    pending_ = 0;
    ClosePort();
    state_.busy = false;
    state_.connected = false;
    state_.uploadEnabled = false;
    state_.clearEnabled = false;
    state_.version.clear();
    state_.hardwareCode.clear();
    state_.tabEnabled = {true, false, false, config_.Record().dataLoaded, false};
    tabRequest_ = kTabWelcome;
    state_.setComPortEnabled = true;
    state_.openDeviceEnabled = true;
    Notify();
    prompt_.Message(kMsgOpenTimeout, PromptIcon::Exclamation);
}

// ---------------------------------------------------------------- Upload

void LoggerLink::OnUploadRecordData(const UploadForm& form) {
    if (state_.busy) {
        return;
    }
    RecordHeader& header = config_.Record().header;
    header.gearRate = form.gearRate;
    header.poles = form.poles;
    if (!prompt_.Ask(kMsgConfirmUpload, PromptIcon::Exclamation)) {
        return;
    }
    if (!OpenPort()) {
        return;
    }
    upload_ = form;
    headerHadNoFlight_ = false;
    blockReadActive_ = false;
    image_.clear();
    state_.busy = true;
    state_.writtenFiles.clear();
    state_.transfer = TransferState{};
    state_.transfer.running = true;
    Send(kCmdReadMemory, 0, kLoggerHeaderSize);
    Notify();
    progressOpen_ = static_cast<bool>(startProgress);
    if (startProgress) {
        startProgress();
    }
}

void LoggerLink::OnHeaderReply(const std::uint8_t* reply) {
    timers_.StopTimer(kTimerRead);
    pending_ = 0;
    loggerBlock_ = DecodeLoggerHeader(reply + 5);
    const int length = FlightCountOf(loggerBlock_) == 0 ? 0 : UploadLength(loggerBlock_);
    if (length <= 0) {
        if (!progressOpen_) {
            // The window was closed already (Enter): nobody would read the flag.
            FinishWithoutFlights();
            return;
        }
        // The progress window sees the flag, ends with Cancel and the message
        // follows from OnProgressFinished.
        headerHadNoFlight_ = true;
        ClosePort();
        state_.transfer.noData = true;
        Notify();
        return;
    }
    image_.assign(static_cast<std::size_t>(length), 0);
    blockReadActive_ = true;
    start_ = kRecordStartAddress;
    total_ = length;
    current_ = start_;
    replyReady_ = false;
    retries_ = 0;
    state_.transfer.start = static_cast<std::uint16_t>(start_);
    state_.transfer.total = static_cast<std::uint16_t>(total_);
    state_.transfer.current = static_cast<std::uint16_t>(current_);
    SendBlock();
    timers_.StartTimer(kTimerBlock, kBlockTickMs);
    Notify();
}

void LoggerLink::SendBlock() {
    const int length = std::min(kBlockSize, start_ + total_ - current_);
    Send(kCmdReadMemory, static_cast<std::uint16_t>(current_), static_cast<std::uint16_t>(length));
}

void LoggerLink::OnBlockReply(const std::uint8_t* reply) {
    timers_.StopTimer(kTimerRead);
    pending_ = 0;
    blockData_.assign(reply + 5, reply + 5 + ReplyLength(reply));
    replyReady_ = true;
}

void LoggerLink::OnBlockTick() {
    if (!blockReadActive_) {
        timers_.StopTimer(kTimerBlock);
        return;
    }
    if (++retries_ > kBlockRetryLimit) {
        DataTimeout();
        return;
    }
    if (!replyReady_) {
        return;
    }
    replyReady_ = false;
    retries_ = 0;
    const auto offset = static_cast<std::size_t>(current_ - start_);
    const std::size_t count = std::min(blockData_.size(), image_.size() - offset);
    std::copy_n(blockData_.begin(), count, image_.begin() + static_cast<std::ptrdiff_t>(offset));
    if (current_ + kBlockSize >= start_ + total_) {
        timers_.StopTimer(kTimerBlock);
        blockReadActive_ = false;
        Post(&LoggerLink::OnUploadComplete);
        return;
    }
    current_ += kBlockSize;
    state_.transfer.current = static_cast<std::uint16_t>(current_);
    SendBlock();
}

void LoggerLink::StopTransfer() {
    timers_.StopTimer(kTimerRead);
    timers_.StopTimer(kTimerBlock);
    pending_ = 0;
    blockReadActive_ = false;
    replyReady_ = false;
    image_.clear();
    image_.shrink_to_fit();
    ClosePort();
    state_.transfer.running = false;
    state_.busy = false;
}

void LoggerLink::DataTimeout() {
    // Both timers stop here, so the message comes once.
    StopTransfer();
    Notify();
    prompt_.Message(kMsgDataTimeout, PromptIcon::Exclamation);
}

void LoggerLink::FinishWithoutFlights() {
    headerHadNoFlight_ = false;
    StopTransfer();
    Notify();
    prompt_.Message(kMsgNoFlyData, PromptIcon::Exclamation);
}

void LoggerLink::OnProgressFinished(bool ok) {
    progressOpen_ = false;
    if (headerHadNoFlight_) {
        FinishWithoutFlights();
        return;
    }
    if (!ok && (blockReadActive_ || pending_ == kCmdReadMemory)) {
        // The user gave up: stop now rather than let the time-out speak later.
        StopTransfer();
        Notify();
    }
}

void LoggerLink::OnUploadComplete() {
    state_.transfer.completion = true;
    blockReadActive_ = false;
    ClosePort();
    Notify();

    // The flights are decoded into a copy of the record memory: the record on
    // screen changes only when a file has been written and is opened.
    auto work = std::make_unique<FlightRecord>(config_.Record());
    if (!state_.hardwareCode.empty()) {
        SetFixedText(work->header.version, state_.version);
        SetFixedText(work->header.hwCode, state_.hardwareCode);
        work->calibration = deviceCalibration_;
        work->ranges = deviceRanges_;
    }
    work->header.gearRate = upload_.gearRate;
    work->header.poles = upload_.poles;
    SetFixedText(work->header.note, upload_.note.substr(0, kMaxNoteLength));
    const FlightSplitter splitter(loggerBlock_, image_);
    const SplitOutcome outcome = splitter.WriteFlights(*work, clock_, outputDirectory, storeRecord);
    work.reset();
    image_.clear();
    image_.shrink_to_fit();

    state_.writtenFiles = outcome.files;
    state_.transfer.running = false;
    state_.busy = false;
    Notify();
    for (const std::string& message : outcome.messages) {
        prompt_.Message(message, PromptIcon::Exclamation);
    }
    if (!outcome.files.empty() && openRecord) {
        openRecord(outcome.files.back());
    }
}

// ---------------------------------------------------------------- Clear Data

void LoggerLink::OnClearData() {
    if (state_.busy) {
        return;
    }
    if (!prompt_.Ask(kMsgConfirmClear, PromptIcon::Exclamation)) {
        return;
    }
    if (hideLoggerPage) {
        hideLoggerPage();
    }
    if (!OpenPort()) {
        // The logger page must not be left without its port.
        if (reopenLoggerPage) {
            reopenLoggerPage();
        }
        return;
    }
    state_.busy = true;
    Send(kCmdWriteMemory, kFlightCountAddress, 1, Bytes{0x00});
    Notify();
}

void LoggerLink::OnClearReply() {
    FinishClear(kMsgCleared, PromptIcon::Information);
}

void LoggerLink::ClearTimeout() {
    FinishClear(kMsgClearFailed, PromptIcon::Exclamation);
}

void LoggerLink::FinishClear(const char* message, PromptIcon icon) {
    timers_.StopTimer(kTimerClear);
    pending_ = 0;
    ClosePort();
    state_.busy = false;
    Notify();
    if (reopenLoggerPage) {
        reopenLoggerPage();
    }
    prompt_.Message(message, icon);
}

}  // namespace tavix
