#include "upgrade/FirmwareDownload.h"

#include <algorithm>

#include "base/FormatText.h"
#include "link/CMSComm.h"
#include "link/DeviceRequest.h"
#include "link/Frame.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {

int UpgradeState::SharePercent() const {
    if (phase == UpgradePhase::Done) {
        return 100;
    }
    if (imageSize == 0) {
        return 0;
    }
    return static_cast<int>(bytesAcknowledged * 100 / imageSize);
}

std::string UpgradeState::BlockText() const {
    return FormatText(kFmtBlockProgress, blocksSent, blockCount, SharePercent());
}

FirmwareDownload::FirmwareDownload(CMSComm& comm, TimerHost& timers, Prompt& prompt,
                                   PortSource port)
    : comm_(comm),
      timers_(timers),
      prompt_(prompt),
      port_(std::move(port)),
      request_(std::make_unique<DeviceRequest>(comm, timers)) {
    comm_.SetOnComm([this] { OnComm(); });
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

FirmwareDownload::~FirmwareDownload() {
    timers_.StopTimer(kDownloadTimer);
    request_.reset();
    comm_.SetOnComm(nullptr);
    timers_.SetHandler(nullptr);
}

void FirmwareDownload::Changed() {
    if (changed) {
        changed();
    }
}

void FirmwareDownload::OnShow(bool open) {
    visible_ = open;
    if (!reset_) {
        // Versions, file and buttons survive hiding and showing; only the port reopens.
        bool opened = false;
        if (open) {
            comm_.SetCommPort(port_ ? port_() : std::string());
            opened = OpenDevicePort(comm_, prompt_, kMsgPortInUsePage);
        }
        state_.getVersionEnabled = opened;
        Changed();
        return;
    }
    Reset();
    if (open) {
        comm_.SetCommPort(port_ ? port_() : std::string());
        portOpen_ = OpenDevicePort(comm_, prompt_, kMsgPortInUsePage);
    }
    state_.getVersionEnabled = portOpen_;
    Changed();
    OnGetVersion();
}

void FirmwareDownload::Reset() {
    state_.currentVersion = {};
    state_.firmwareVersion = {};
    state_.filePath.clear();
    state_.progress = 0;
    ticks_ = 0;
    replyFlag_ = false;
    portOpen_ = false;
    versionRead_ = false;
    fileValid_ = false;  // the file stays loaded, but must be chosen again
    state_.browseEnabled = false;
    state_.startEnabled = false;
    state_.stopEnabled = false;
    state_.connected = false;
    state_.phase = UpgradePhase::NotLinked;
}

void FirmwareDownload::OnHide() {
    if (comm_.GetPortOpen()) {
        comm_.ClosePort();
    }
    OnShow(false);
}

void FirmwareDownload::OnGetVersion() {
    if (!visible_) {
        return;
    }
    ticks_ = 0;
    versionRead_ = false;
    state_.progress = 0;
    state_.phase = UpgradePhase::ReadingVersion;
    Changed();
    // On a port that did not open nothing leaves; the connect time-out follows.
    request_->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void FirmwareDownload::OnBrowse(const std::string& path) {
    if (!visible_ || !state_.browseEnabled || state_.busy || path.empty()) {
        return;
    }
    state_.filePath = path;
    Changed();
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        // The file loaded before stays, with its flags.
        prompt_.Message(kMsgInvalidDownloadFile, PromptIcon::Exclamation);
        return;
    }
    file_ = ParseFirmware(std::move(*content));
    fileValid_ = file_.valid;
    if (file_.version) {
        state_.firmwareVersion = SplitVersion(*file_.version);
    }
    if (fileValid_) {
        state_.startEnabled = portOpen_ && versionRead_;
        if (state_.startEnabled && !state_.busy) {
            state_.phase = UpgradePhase::Ready;
        }
        Changed();
        return;
    }
    state_.startEnabled = false;
    state_.stopEnabled = false;
    Changed();
    prompt_.Message(kMsgInvalidFirmwareFile, PromptIcon::Exclamation);
}

void FirmwareDownload::OnStart() {
    if (!visible_ || !state_.startEnabled || state_.busy) {
        return;
    }
    if (!prompt_.Ask(kMsgConfirmUpgrade, PromptIcon::Exclamation)) {
        return;
    }
    if (!state_.startEnabled || state_.busy) {
        return;  // something changed while the question was open
    }
    request_->Cancel();
    ticks_ = 0;
    sendOffset_ = 0;
    blockInFlight_ = 0;
    replyFlag_ = true;  // so the first tick sends the first block
    state_.busy = true;
    state_.phase = UpgradePhase::Transferring;
    state_.stopEnabled = true;
    state_.browseEnabled = false;
    state_.blocksSent = 0;
    state_.blockCount = static_cast<int>(file_.BlockCount());
    state_.bytesAcknowledged = 0;
    state_.imageSize = file_.ImageSize();
    timers_.StartTimer(kDownloadTimer, kRequestTickMs);
    Changed();
}

void FirmwareDownload::OnStop() {
    if (!visible_ || !state_.stopEnabled) {
        return;
    }
    timers_.StopTimer(kDownloadTimer);
    request_->Cancel();  // a reply still on its way starts nothing
    state_.stopEnabled = false;
    if (state_.busy) {
        EndDownload(UpgradePhase::Stopped);
    }
    Changed();
}

void FirmwareDownload::EndDownload(UpgradePhase phase) {
    state_.busy = false;
    state_.phase = phase;
    state_.browseEnabled = versionRead_;
}

void FirmwareDownload::TakeVersionReply(const Bytes& block) {
    paramBlock_ = block;
    paramBlock_.resize(kParamBlockSize, 0);
    state_.currentVersion = SplitVersion(
        std::string(reinterpret_cast<const char*>(paramBlock_.data()) + kBlockVersionOffset,
                    kFirmwareVersionSize));
    state_.progress = kActivityMax;
    state_.connected = true;
    state_.browseEnabled = !state_.busy;
    versionRead_ = true;
    if (portOpen_ && fileValid_) {
        state_.startEnabled = true;
    }
    reset_ = false;
    if (!state_.busy) {
        state_.phase = state_.startEnabled ? UpgradePhase::Ready : UpgradePhase::Linked;
    }
}

void FirmwareDownload::OnComm() {
    const std::optional<DeviceReply> reply = request_->OnComm();
    if (!reply) {
        return;
    }
    switch (reply->command) {
        case kCmdReadBlock:
            TakeVersionReply(reply->data);
            break;
        case kCmdWriteFirmware:
        case kCmdWriteBlock:
            replyFlag_ = true;
            if (state_.busy) {
                if (reply->command == kCmdWriteFirmware) {
                    state_.bytesAcknowledged += blockInFlight_;
                    blockInFlight_ = 0;
                }
                // The next frame leaves on the next tick.
                if (!timers_.IsRunning(kDownloadTimer)) {
                    timers_.StartTimer(kDownloadTimer, kRequestTickMs);
                }
            }
            break;
        default:
            return;
    }
    Changed();
}

void FirmwareDownload::StepProgress() {
    state_.progress = NextActivityStep(state_.progress);
}

void FirmwareDownload::OnTimer(int id) {
    if (id == kConnectTimer) {
        const TickOutcome outcome = request_->OnTimer(id);
        if (outcome == TickOutcome::Ignored) {
            return;
        }
        ++ticks_;
        StepProgress();
        if (outcome == TickOutcome::TimedOut) {
            state_.progress = 0;
            state_.connected = false;
            state_.browseEnabled = false;
            state_.phase = UpgradePhase::NotLinked;
            reset_ = true;
            Changed();
            prompt_.Message(kMsgConnectTimeout, PromptIcon::Exclamation, request_->TimeoutDetail());
            return;
        }
        Changed();
        return;
    }
    if (id != kDownloadTimer && id != kCmdWriteBlock) {
        return;
    }
    if (!state_.busy) {
        request_->OnTimer(id);  // a request left over; nothing follows it
        timers_.StopTimer(kDownloadTimer);
        return;
    }
    ++ticks_;
    StepProgress();
    if (request_->Pending() == id) {
        if (request_->OnTimer(id) == TickOutcome::TimedOut) {
            DownloadFailed();
            return;
        }
        Changed();
        return;
    }
    if (id != kDownloadTimer) {
        return;
    }
    if (replyFlag_) {
        ticks_ = 0;
        replyFlag_ = false;
        DownloadStep();
        return;
    }
    if (ticks_ >= kTimeoutTick) {
        DownloadFailed();
        return;
    }
    Changed();
}

void FirmwareDownload::DownloadFailed() {
    timers_.StopTimer(kDownloadTimer);
    request_->Cancel();
    state_.progress = 0;
    state_.connected = false;
    EndDownload(UpgradePhase::Failed);
    Changed();
    prompt_.Message(kMsgDownloadTimeout, PromptIcon::Exclamation);
}

void FirmwareDownload::DownloadStep() {
    const std::size_t size = file_.ImageSize();
    if (sendOffset_ < size) {
        const std::size_t count = std::min(kFirmwareBlockSize, size - sendOffset_);
        blockInFlight_ = count;
        ++state_.blocksSent;
        Changed();
        // Only the low 16 bits of the offset travel; a loaded image never needs more.
        request_->Send(kCmdWriteFirmware, static_cast<std::uint16_t>(sendOffset_),
                       static_cast<std::uint16_t>(count), file_.ImageBytes(sendOffset_, count));
        sendOffset_ += count;
        return;
    }
    if (sendOffset_ == size) {
        sendOffset_ += kParamBlockSize;
        const std::string version = JoinVersion(state_.firmwareVersion);
        if (version.size() != kFirmwareVersionSize) {
            // Nothing is sent; the download ends in its time-out.
            Changed();
            prompt_.Message(kMsgInvalidVersion, PromptIcon::Exclamation);
            return;
        }
        Bytes block = paramBlock_;
        std::copy(version.begin(), version.end(),
                  block.begin() + static_cast<std::ptrdiff_t>(kBlockVersionOffset));
        // Its own timer (15) times the reply; timer 16 waits for it.
        timers_.StopTimer(kDownloadTimer);
        Changed();
        request_->Send(kCmdWriteBlock, kParamBlockAddress, kParamBlockSize, block);
        return;
    }
    // The parameter block is written: the ESC runs the new firmware.
    timers_.StopTimer(kDownloadTimer);
    state_.progress = kActivityMax;
    state_.stopEnabled = false;
    state_.currentVersion = SplitVersion(file_.version.value_or(std::string()));
    EndDownload(UpgradePhase::Done);
    Changed();
    prompt_.Message(kMsgDownloadSuccessful, PromptIcon::Information);
}

}  // namespace tavix
