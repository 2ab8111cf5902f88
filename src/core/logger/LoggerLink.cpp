#include "logger/LoggerLink.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "base/PlainText.h"
#include "base/Translate.h"
#include "device/ConnectedDevice.h"
#include "device/DeviceMessages.h"
#include "device/IdentifySession.h"
#include "device/MainFormLine.h"
#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"
#include "shell/Clock.h"
#include "shell/GearRateRule.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"

namespace tavix {

LoggerLink::LoggerLink(MainFormLine& line, const IdentifySession& identity, Prompt& prompt,
                       const Clock& clock, FlightRecord& shown)
    : line_(line), identity_(identity), prompt_(prompt), clock_(clock), shown_(shown) {}

LoggerLink::~LoggerLink() {
    *alive_ = false;
    for (int id : {kTimerRead, kTimerClear, kTimerBlock, kTimerClearCheck}) {
        line_.Timers().StopTimer(id);
    }
}

void LoggerLink::Notify() {
    if (changed) {
        changed();
    }
}

void LoggerLink::Post(void (LoggerLink::*task)()) {
    std::weak_ptr<bool> alive = alive_;
    line_.Timers().Post([this, alive, task] {
        const auto token = alive.lock();
        if (token && *token) {
            (this->*task)();
        }
    });
}

// Opens the port and takes the line's events for an upload or a clear.
bool LoggerLink::Begin() {
    if (!line_.Open()) {
        return false;
    }
    line_.Claim([this] { OnComm(); }, [this](int id) { OnTimer(id); });
    line_.busy = true;
    state_.busy = true;
    return true;
}

void LoggerLink::Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                      const Bytes& payload) {
    line_.Request().Send(command, address, length, payload);
}

// ---------------------------------------------------------------- events

void LoggerLink::OnComm() {
    const std::optional<DeviceReply> reply = line_.Request().OnComm();
    if (!reply) {
        return;  // nothing yet, or nothing acceptable: the time-out runs on
    }
    switch (reply->command) {
        case kCmdReadMemory:
            if (blockReadActive_) {
                OnBlockReply(*reply);
            } else {
                OnHeaderReply(*reply);
            }
            break;
        case kCmdWriteMemory:
            OnClearReply();
            break;
        case kCmdReadBlock:
            if (clearCheck_) {
                OnClearCheck(*reply);
            }
            break;
        default:
            break;
    }
}

void LoggerLink::OnTimer(int id) {
    if (id == kTimerBlock) {
        OnBlockTick();
        return;
    }
    switch (line_.Request().OnTimer(id)) {
        case TickOutcome::Ignored:
            line_.Timers().StopTimer(id);  // a stray tick of a finished request
            return;
        case TickOutcome::Waiting:
            return;
        case TickOutcome::TimedOut:
            break;
    }
    // The main form takes no reply after its time-out: both endings cancel
    // the request once they have read what came.
    switch (id) {
        case kTimerRead:
            DataTimeout();
            break;
        case kTimerClear:
            ClearTimeout(kDetailClearUnknown);
            break;
        case kTimerClearCheck:
            clearCheck_ = false;
            ClearTimeout(kDetailNothingWritten);
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------- Upload

std::string UploadQuestion(const UploadForm& form) {
    const std::string note = form.note.substr(0, std::min(form.note.size(), kMaxNoteLength));
    const std::string shown = UpToZero(note);
    return Translate(kMsgConfirmUpload) +
           FormatShown(kFmtConfirmUploadValues, static_cast<double>(form.gearRate), form.poles,
                       shown.empty() ? Translate(kMsgNoNote).c_str() : shown.c_str());
}

void LoggerLink::OnUploadRecordData(const UploadForm& form) {
    if (line_.busy) {
        return;
    }
    // Flights stored with such a pole number would have no motor RPM.
    if (!IsUsablePoleNumber(form.poles)) {
        prompt_.Message(FormatShown(kMsgPoleNumberTooSmall, kMinPoleNumber),
                        PromptIcon::Exclamation);
        return;
    }
    if (!prompt_.Ask(UploadQuestion(form), PromptIcon::Exclamation)) {
        return;  // No leaves the open record as it was
    }
    // Only an upload the user agreed to puts the form's values in the header.
    RecordHeader& header = shown_.header;
    header.gearRate = form.gearRate;
    header.poles = form.poles;
    if (!Begin()) {
        return;
    }
    upload_ = form;
    headerHadNoFlight_ = false;
    blockReadActive_ = false;
    confirming_ = false;
    image_.clear();
    state_.writtenFiles.clear();
    state_.transfer = TransferState{};
    state_.transfer.running = true;
    Send(kCmdReadMemory, 0, kLoggerHeaderSize);
    state_.bytesAsked = kLoggerHeaderSize;
    Notify();
    progressOpen_ = static_cast<bool>(startProgress);
    if (startProgress) {
        startProgress();
    }
}

void LoggerLink::OnHeaderReply(const DeviceReply& reply) {
    loggerBlock_ = DecodeLoggerHeader(reply.data.data());
    state_.flights = BuildFlightList(loggerBlock_);
    state_.flights.outputFolder = outputDirectory;
    if (state_.flights.flights.empty()) {
        if (!progressOpen_) {
            // The window was closed already (Enter): nobody would read the flag.
            FinishWithoutFlights();
            return;
        }
        // The progress window sees the flag, ends with Cancel and the message
        // follows from OnProgressFinished.
        headerHadNoFlight_ = true;
        line_.Close();
        state_.transfer.noData = true;
        Notify();
        return;
    }
    // Record files that may hold flights of this logger: one window of each
    // such flight is read to make sure.
    if (findStored) {
        std::vector<std::string> folders{outputDirectory};
        folders.insert(folders.end(), searchFolders.begin(), searchFolders.end());
        findStored(folders, identity_.State().version, loggerBlock_, state_.flights);
    }
    std::vector<AddressRange> windows;
    windows_.clear();
    for (const FlightEntry& entry : state_.flights.flights) {
        if (!entry.candidates.empty() && entry.status == FlightStatus::New) {
            windows.push_back(WindowOf(entry.place).read);
            windows_.emplace_back(entry.Number(), Bytes{});
        }
    }
    if (windows.empty()) {
        // A question waits for its own turn, outside the receive event.
        if (chooseFlights) {
            Post(&LoggerLink::ChooseFlights);
        } else {
            ChooseFlights();
        }
        return;
    }
    confirming_ = true;
    // Each window is its own read, in flight order: never joined with another.
    StartReads(std::move(windows));
}

void LoggerLink::StartReads(std::vector<AddressRange> reads) {
    reads_ = std::move(reads);
    readIndex_ = 0;
    bytesDone_ = 0;
    retries_ = 0;
    blockReadActive_ = true;
    // The bar counts the bytes this phase asks for.
    state_.transfer.start = 0;
    state_.transfer.current = 0;
    state_.transfer.total = static_cast<std::uint16_t>(BytesOf(reads_));
    SendBlock();
    line_.Timers().StartTimer(kTimerBlock, kBlockTickMs);
    Notify();
}

void LoggerLink::SendBlock() {
    const AddressRange& read = reads_[readIndex_];
    state_.bytesAsked += read.length;
    Send(kCmdReadMemory, static_cast<std::uint16_t>(read.address),
         static_cast<std::uint16_t>(read.length));
}

void LoggerLink::OnBlockReply(const DeviceReply& reply) {
    // The request engine took the reply only for this read's address and length.
    const AddressRange& read = reads_[readIndex_];
    const std::size_t count = std::min(reply.data.size(), static_cast<std::size_t>(read.length));
    if (confirming_) {
        windows_[readIndex_].second.assign(reply.data.begin(),
                                           reply.data.begin() + static_cast<std::ptrdiff_t>(count));
    } else {
        const auto offset = static_cast<std::size_t>(read.address - kRecordStartAddress);
        std::copy_n(reply.data.begin(), std::min(count, image_.size() - offset),
                    image_.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    retries_ = 0;
    bytesDone_ += read.length;
    // The next read goes out at once: the line, not a pacing timer, sets the speed.
    if (++readIndex_ < reads_.size()) {
        state_.transfer.current = static_cast<std::uint16_t>(bytesDone_);
        SendBlock();
        Notify();
        return;
    }
    line_.Timers().StopTimer(kTimerBlock);
    blockReadActive_ = false;
    Post(&LoggerLink::OnReadsDone);
}

void LoggerLink::OnReadsDone() {
    if (!state_.busy) {
        return;  // stopped meanwhile
    }
    if (confirming_) {
        confirming_ = false;
        Confirm(state_.flights, windows_);
        windows_.clear();
        ChooseFlights();
        return;
    }
    OnUploadComplete();
}

void LoggerLink::ChooseFlights() {
    if (!state_.busy) {
        return;
    }
    std::string unused;
    (void)ApplyChoice(state_.flights, DefaultChoice(state_.flights), unused);
    if (chooseFlights) {
        // The question stands alone: the progress window closes meanwhile.
        state_.transfer.running = false;
        Notify();
        const bool go = chooseFlights(state_.flights);
        if (!state_.busy) {
            return;  // the session was stopped while the question was open
        }
        if (!go) {
            StopTransfer();
            Notify();
            return;
        }
    }
    const std::vector<AddressRange> reads = ReadsFor(SelectedRanges(state_.flights), kBlockSize);
    // The sample area, or as far as the header's flights reach (a header may
    // name a memory smaller than its flights).
    int imageEnd = loggerBlock_.lastAddress + 1;
    for (const AddressRange& read : reads) {
        imageEnd = std::max(imageEnd, read.End());
    }
    image_.assign(static_cast<std::size_t>(std::max(imageEnd - kRecordStartAddress, 0)), 0);
    if (reads.empty()) {
        OnUploadComplete();  // nothing chosen: the summary says what is stored
        return;
    }
    state_.transfer.running = true;
    StartReads(reads);
    if (!progressOpen_ && startProgress) {
        progressOpen_ = true;
        startProgress();
    }
}

void LoggerLink::OnBlockTick() {
    if (!blockReadActive_) {
        line_.Timers().StopTimer(kTimerBlock);
        return;
    }
    if (++retries_ > kBlockRetryLimit) {
        DataTimeout();
    }
}

void LoggerLink::StopTransfer() {
    line_.Request().Cancel();
    line_.Timers().StopTimer(kTimerBlock);
    blockReadActive_ = false;
    confirming_ = false;
    image_.clear();
    image_.shrink_to_fit();
    line_.Close();
    line_.busy = false;
    state_.transfer.running = false;
    state_.busy = false;
}

void LoggerLink::DataTimeout() {
    std::string detail = line_.Request().TimeoutDetail();
    // A line that fails in the middle of the flights (an unplug, a flat
    // pack) takes no flight already read with it: those whose every byte came
    // are written whole; a flight cut off is not written at all.
    std::optional<SplitOutcome> kept;
    if (blockReadActive_ && !confirming_) {
        const std::vector<AddressRange> done(
            reads_.begin(), reads_.begin() + static_cast<std::ptrdiff_t>(readIndex_));
        std::string cut;
        for (int number : KeepWholeFlights(state_.flights, done)) {
            cut += (cut.empty() ? "" : ", ") + std::to_string(number);
        }
        if (state_.flights.SelectedCount() > 0) {
            line_.Request().Cancel();
            line_.Timers().StopTimer(kTimerBlock);
            line_.Close();
            kept = WriteChosen();
            detail += (detail.empty() ? "" : "\n") + FormatShown(kFmtUploadCutOff, cut.c_str());
        }
    }
    // Both timers stop here, so the message comes once.
    StopTransfer();
    line_.DeviceLost();
    if (kept) {
        state_.writtenFiles = kept->files;
        state_.summary = UploadSummaryText(*kept);
    }
    Notify();
    prompt_.Message(kMsgDataTimeout, PromptIcon::Exclamation, detail);
    if (kept) {
        Report(*kept);
    }
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
    if (!ok && (blockReadActive_ || line_.Request().Pending() == kCmdReadMemory)) {
        // The user gave up: stop now rather than let the time-out speak later.
        StopTransfer();
        Notify();
    }
}

void LoggerLink::OnUploadComplete() {
    state_.transfer.completion = true;
    blockReadActive_ = false;
    line_.Close();
    Notify();

    const SplitOutcome outcome = WriteChosen();
    state_.writtenFiles = outcome.files;
    state_.summary = UploadSummaryText(outcome);
    state_.transfer.running = false;
    state_.busy = false;
    line_.busy = false;
    Notify();
    Report(outcome);
}

SplitOutcome LoggerLink::WriteChosen() {
    // The flights are decoded into a copy of the record memory: the record on
    // screen changes only when a file has been written and is opened.
    auto work = std::make_unique<FlightRecord>(shown_);
    // The identified device's profile, as it was loaded: a record file opened
    // since then replaced the record's header, calibration and ranges.
    const IdentityState& device = identity_.State();
    if (!device.hardwareCode.empty()) {
        SetFixedText(work->header.version, device.version);
        SetFixedText(work->header.hwCode, device.hardwareCode);
        work->calibration = identity_.DeviceCalibration();
        work->ranges = identity_.DeviceRanges();
    }
    // The settings the flights were flown with, as read at identification.
    work->escBlock.assign(identity_.ReceivedBlock().begin(), identity_.ReceivedBlock().end());
    work->header.gearRate = upload_.gearRate;
    work->header.poles = upload_.poles;
    SetFixedText(work->header.note, upload_.note.substr(0, kMaxNoteLength));
    const FlightSplitter splitter(loggerBlock_, image_);
    SplitOutcome outcome =
        splitter.WriteFlights(*work, clock_, outputDirectory, storeRecord, &state_.flights);
    work.reset();
    image_.clear();
    image_.shrink_to_fit();
    return outcome;
}

void LoggerLink::Report(const SplitOutcome& outcome) {
    for (const std::string& message : outcome.messages) {
        prompt_.Message(message, PromptIcon::Exclamation);
    }
    if (showSummary) {
        showSummary(state_.summary);
    } else {
        prompt_.Message(state_.summary, PromptIcon::Information);
    }
    if (!outcome.files.empty() && openRecord) {
        openRecord(outcome.files.back());
    }
}

// ---------------------------------------------------------------- Clear Data

void LoggerLink::OnClearData() {
    if (line_.busy) {
        return;
    }
    if (!prompt_.Ask(kMsgConfirmClear, PromptIcon::Exclamation)) {
        return;
    }
    if (hideLoggerPage) {
        hideLoggerPage();
    }
    if (!Begin()) {
        // The logger page must not be left without its port.
        if (reopenLoggerPage) {
            reopenLoggerPage();
        }
        return;
    }
    // The logger of the ESC the window shows is cleared, no other: its block
    // is read first over this port.
    clearCheck_ = true;
    Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    Notify();
}

void LoggerLink::OnClearCheck(const DeviceReply& reply) {
    clearCheck_ = false;
    const DeviceIdentity found = IdentityOfBlock(reply.data);
    const IdentityState& shown = identity_.State();
    if (!shown.connected || found.version != shown.version) {
        DeviceIdentity before;
        before.version = shown.version;
        before.series = shown.series;
        before.hardwareCode = shown.hardwareCode;
        FinishClear(OtherEscText(found, before).c_str(), PromptIcon::Exclamation);
        return;
    }
    Send(kCmdWriteMemory, kFlightCountAddress, 1, Bytes{0x00});
}

void LoggerLink::OnClearReply() {
    FinishClear(kMsgCleared, PromptIcon::Information);
}

void LoggerLink::ClearTimeout(const char* situation) {
    line_.DeviceLost();
    FinishClear(kMsgClearFailed, PromptIcon::Exclamation, line_.Request().TimeoutDetail(situation));
}

void LoggerLink::FinishClear(const char* message, PromptIcon icon, const std::string& detail) {
    line_.Request().Cancel();
    line_.Close();
    line_.busy = false;
    state_.busy = false;
    Notify();
    if (reopenLoggerPage) {
        reopenLoggerPage();
    }
    prompt_.Message(message, icon, detail);
}

}  // namespace tavix
