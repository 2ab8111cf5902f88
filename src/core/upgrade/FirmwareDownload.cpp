#include "upgrade/FirmwareDownload.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "device/ConnectedDevice.h"
#include "device/DeviceMessages.h"
#include "device/DeviceVersion.h"
#include "link/CMSComm.h"
#include "link/DeviceRequest.h"
#include "link/Frame.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {

namespace {

// The share shown before the read-back has confirmed the new version.
constexpr int kShareBeforeVerdict = 99;
// The time left is told once the download has run this long.
constexpr std::int64_t kMinEstimateMs = 1000;

std::string BlockVersion(const Bytes& block) {
    if (block.size() < kBlockVersionOffset + kFirmwareVersionSize) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(block.data()) + kBlockVersionOffset,
                       kFirmwareVersionSize);
}

// A version for a message: its groups apart, control bytes escaped, up to a
// zero byte as a text box shows it.
std::string ShownVersion(const std::string& version) {
    std::string text;
    for (const std::string& group : SplitVersion(UpToZero(version))) {
        if (!group.empty()) {
            text += (text.empty() ? "" : " ") + EscapeControls(group);
        }
    }
    return text.empty() ? std::string(kTextNoVersion) : text;
}

std::string SeriesCharacters(const std::string& version) {
    return version.size() >= 4 ? version.substr(2, 2) : std::string();
}

}  // namespace

int UpgradeState::SharePercent() const {
    if (phase == UpgradePhase::Done) {
        return 100;
    }
    if (imageSize == 0) {
        return 0;
    }
    return std::min(kShareBeforeVerdict, static_cast<int>(bytesAcknowledged * 100 / imageSize));
}

std::string UpgradeState::BlockText() const {
    std::string text = FormatShown(kFmtBlockProgress, blocksSent, blockCount, SharePercent());
    if (busy && bytesAcknowledged > 0 && bytesAcknowledged < imageSize &&
        elapsedMs >= kMinEstimateMs) {
        // The rest of the image at the pace seen so far, in whole seconds up.
        const std::int64_t leftMs = static_cast<std::int64_t>(imageSize - bytesAcknowledged) *
                                    elapsedMs / static_cast<std::int64_t>(bytesAcknowledged);
        const long long seconds = (leftMs + 999) / 1000;
        text += seconds >= 60 ? FormatShown(kFmtMinutesLeft, seconds / 60, seconds % 60)
                              : FormatShown(kFmtSecondsLeft, seconds);
    }
    return text;
}

std::string UpgradeState::StatusText() const {
    const bool ran = phase == UpgradePhase::Transferring || blocksSent > 0;
    return ran && blockCount > 0 ? BlockText() : std::string();
}

int UpgradeState::BarValue() const {
    if (!StatusText().empty()) {
        return SharePercent();
    }
    // Beside an empty label the bar moves only while the version is read: an
    // idle page shows an empty bar, not a full one that reads as "done".
    return phase == UpgradePhase::ReadingVersion ? progress : 0;
}

std::string UpgradeState::VersionNote() const {
    return incomplete && !busy ? kTextIncompleteVersion : "";
}

std::string UpgradeState::Warning() const {
    return incomplete && !busy ? kMsgFirmwareIncomplete : "";
}

FirmwareDownload::FirmwareDownload(CMSComm& comm, TimerHost& timers, Prompt& prompt,
                                   PortSource port)
    : DeviceLine(comm, timers, prompt, std::move(port)) {}

void FirmwareDownload::OnShow(bool open) {
    SetVisible(open);
    if (!ResetPending()) {
        // Versions, file and buttons survive hiding and showing; only the port reopens.
        state_.getVersionEnabled = open && OpenPort();
        Notify();
        return;
    }
    Reset();
    portOpen_ = open && OpenPort();
    state_.getVersionEnabled = portOpen_;
    Notify();
    OnGetVersion();
}

void FirmwareDownload::IdentityEnded() {
    if (state_.busy) {
        return;  // the download ends by its own reply or time-out
    }
    Request().Cancel();
    startRead_ = false;
    Reset();
    Notify();
}

void FirmwareDownload::Reset() {
    state_.currentVersion = {};
    state_.firmwareVersion = {};
    state_.filePath.clear();
    state_.progress = 0;
    portOpen_ = false;
    versionRead_ = false;
    fileValid_ = false;  // the file stays loaded, but must be chosen again
    state_.browseEnabled = false;
    state_.startEnabled = false;
    state_.stopEnabled = false;
    state_.connected = false;
    state_.blocksSent = 0;
    state_.phase = UpgradePhase::NotLinked;
}

void FirmwareDownload::OnHide() {
    ClosePort();
    OnShow(false);
}

void FirmwareDownload::OnGetVersion() {
    if (!Visible() || state_.busy) {
        return;
    }
    versionRead_ = false;
    state_.progress = 0;
    if (!Comm().GetPortOpen()) {
        // The failed open has been told, once; no time-out follows it.
        state_.phase = UpgradePhase::NotLinked;
        SetReset(true);
        Notify();
        return;
    }
    state_.phase = UpgradePhase::ReadingVersion;
    Notify();
    Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void FirmwareDownload::ClearFile() {
    // Nothing of a file that was refused, nor of the one before it, stays on
    // the page: Start must never send something the page does not show.
    file_ = FirmwareFile{};
    fileValid_ = false;
    state_.filePath.clear();
    state_.firmwareVersion = {};
    state_.startEnabled = false;
    state_.stopEnabled = false;
    state_.blockCount = 0;
    state_.blocksSent = 0;
    if (state_.phase == UpgradePhase::Ready) {
        state_.phase = UpgradePhase::Linked;
    }
}

void FirmwareDownload::OnBrowse(const std::string& path) {
    if (!Visible() || !state_.browseEnabled || state_.busy || path.empty()) {
        return;
    }
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        ClearFile();
        Notify();
        GetPrompt().Message(kMsgInvalidDownloadFile, PromptIcon::Exclamation, path);
        return;
    }
    FirmwareFile file = ParseFirmware(std::move(*content));
    if (!file.valid) {
        ClearFile();
        Notify();
        GetPrompt().Message(kMsgInvalidFirmwareFile, PromptIcon::Exclamation,
                            path + "\n" + FaultDetail(file));
        return;
    }
    file_ = std::move(file);
    fileValid_ = true;
    state_.filePath = path;
    state_.firmwareVersion = SplitVersion(*file_.version);
    state_.startEnabled = portOpen_ && versionRead_;
    state_.blockCount = static_cast<int>(file_.BlockCount());
    state_.blocksSent = 0;
    state_.bytesAcknowledged = 0;
    state_.imageSize = file_.ImageSize();
    if (state_.startEnabled) {
        state_.phase = UpgradePhase::Ready;
    }
    Notify();
}

bool FirmwareDownload::ConfirmStart() {
    // The version just read decides; after a download that did not end well
    // the ESC's own firmware is not known.
    const std::string current = BlockVersion(paramBlock_);
    const std::string next = *file_.version;
    const std::string currentText =
        state_.incomplete ? std::string(kTextIncompleteVersion) : ShownVersion(current);
    std::string detail =
        FormatShown(kFmtUpgradeVersions, currentText.c_str(), ShownVersion(next).c_str());
    const bool otherHardware = SeriesCharacters(current) != SeriesCharacters(next) ||
                               HardwareCodeOf(current) != HardwareCodeOf(next);
    // Timers and serial events run while the question is open.
    const auto ready = [this] {
        return Visible() && state_.startEnabled && !state_.busy && fileValid_;
    };
    if (!otherHardware) {
        return Confirm(kMsgConfirmUpgrade, PromptIcon::Exclamation, detail, true, ready);
    }
    const auto shown = [](const std::string& text) {
        return EscapeControls(text.empty() ? std::string(kTextNoVersion) : text);
    };
    detail += "\r\n" + FormatShown(kFmtHardwareLine, shown(SeriesCharacters(current)).c_str(),
                                   shown(HardwareCodeOf(current)).c_str(),
                                   shown(SeriesCharacters(next)).c_str(),
                                   shown(HardwareCodeOf(next)).c_str());
    return Confirm(kMsgOtherHardware, PromptIcon::Exclamation, detail, false, ready);
}

void FirmwareDownload::OnStart() {
    if (!Visible() || !state_.startEnabled || state_.busy || !fileValid_ || startRead_) {
        return;
    }
    // The ESC is read again over this port first: the question names what is
    // there now, and a swapped ESC stops everything before a byte is sent.
    startRead_ = true;
    state_.progress = 0;
    state_.startEnabled = false;
    state_.browseEnabled = false;  // the file asked about is the file sent
    state_.phase = UpgradePhase::ReadingVersion;
    Notify();
    Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void FirmwareDownload::TakeStartRead(const Bytes& block) {
    startRead_ = false;
    const bool same = SameEscAsShown(block);
    const std::string text = OtherEscText(IdentityOfBlock(block), IdentityOfBlock(paramBlock_));
    TakeVersionReply(block);
    if (!same) {
        Notify();
        GetPrompt().Message(text, PromptIcon::Exclamation);
        return;
    }
    Notify();
    if (ConfirmStart()) {
        BeginDownload();
    }
}

void FirmwareDownload::BeginDownload() {
    Request().Cancel();
    sendOffset_ = 0;
    blockInFlight_ = 0;
    step_ = Step::Image;
    state_.busy = true;
    state_.phase = UpgradePhase::Transferring;
    state_.stopEnabled = true;
    state_.browseEnabled = false;
    state_.startEnabled = false;
    state_.blocksSent = 0;
    state_.blockCount = static_cast<int>(file_.BlockCount());
    state_.bytesAcknowledged = 0;
    state_.imageSize = file_.ImageSize();
    state_.progress = 0;
    state_.elapsedMs = 0;
    startedMs_ = nowMs ? nowMs() : 0;
    DownloadStep();  // the first block leaves at once
}

void FirmwareDownload::OnStop() {
    if (!Visible() || !state_.stopEnabled) {
        return;
    }
    Request().Cancel();  // a reply still on its way starts nothing
    state_.stopEnabled = false;
    if (state_.busy) {
        EndDownload(UpgradePhase::Stopped);
    }
    Notify();
}

void FirmwareDownload::EndDownload(UpgradePhase phase) {
    state_.busy = false;
    if (state_.incomplete) {
        state_.currentVersion = {};  // the block's version no longer says what runs
    }
    state_.phase = phase;
    state_.stopEnabled = false;
    state_.browseEnabled = versionRead_;
    // Start again begins at the first block (also after a success).
    state_.startEnabled = fileValid_ && portOpen_ && versionRead_;
}

void FirmwareDownload::TakeVersionReply(const Bytes& block) {
    paramBlock_ = block;
    paramBlock_.resize(kParamBlockSize, 0);
    BlockRead(paramBlock_);
    // After a download that did not end well the block still names the old
    // firmware, which may no longer be whole in the ESC.
    state_.currentVersion =
        state_.incomplete ? VersionGroups{} : SplitVersion(BlockVersion(paramBlock_));
    state_.progress = kActivityMax;
    state_.connected = true;
    state_.browseEnabled = true;
    versionRead_ = true;
    if (portOpen_ && fileValid_) {
        state_.startEnabled = true;
    }
    SetReset(false);
    state_.phase = state_.startEnabled ? UpgradePhase::Ready : UpgradePhase::Linked;
}

void FirmwareDownload::OnComm() {
    const std::optional<DeviceReply> reply = Request().OnComm();
    if (!reply) {
        return;
    }
    if (!state_.busy) {
        if (reply->command == kCmdReadBlock && startRead_) {
            TakeStartRead(reply->data);
        } else if (reply->command == kCmdReadBlock) {
            TakeVersionReply(reply->data);
            Notify();
        }
        return;
    }
    // A running download: the next frame leaves now.
    if (reply->command == kCmdWriteFirmware && step_ == Step::Image) {
        state_.bytesAcknowledged += blockInFlight_;
        blockInFlight_ = 0;
        state_.elapsedMs = nowMs ? nowMs() - startedMs_ : 0;
        state_.progress = state_.SharePercent();
        DownloadStep();
    } else if (reply->command == kCmdWriteBlock && step_ == Step::WriteBlock) {
        step_ = Step::ReadBack;
        Notify();
        Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    } else if (reply->command == kCmdReadBlock && step_ == Step::ReadBack) {
        TakeReadBack(reply->data);
    }
}

void FirmwareDownload::OnTimer(int id) {
    const TickOutcome outcome = CountTick(id);
    if (outcome == TickOutcome::Ignored) {
        return;
    }
    if (state_.busy) {
        // The bar shows the share sent; a tick only counts towards the time-out.
        if (outcome == TickOutcome::TimedOut) {
            std::string detail;
            switch (step_) {
                case Step::Image:
                    detail =
                        FormatShown(kFmtDetailBlockTimeout, state_.blocksSent, state_.blockCount);
                    break;
                case Step::WriteBlock:
                    detail = kDetailWriteTimeout;
                    break;
                case Step::ReadBack:
                    detail = kDetailReadBackTimeout;
                    break;
            }
            // What the line brought instead of the reply, when anything.
            if (const std::string line = Request().TimeoutDetail(); !line.empty()) {
                detail += "\n" + line;
            }
            DownloadFailed(detail);
        }
        return;
    }
    // Only the version read steps the bar (a request's timer id is its command).
    if (id != kCmdReadBlock) {
        return;
    }
    StepActivity(state_.progress);
    if (outcome == TickOutcome::TimedOut) {
        startRead_ = false;
        state_.startEnabled = false;
        state_.progress = 0;
        state_.connected = false;
        state_.browseEnabled = false;
        state_.phase = UpgradePhase::NotLinked;
        SetReset(true);
        Notify();
        GetPrompt().Message(kMsgConnectTimeout, PromptIcon::Exclamation, Request().TimeoutDetail());
        return;
    }
    Notify();
}

void FirmwareDownload::DownloadFailed(const std::string& detail) {
    Request().Cancel();
    state_.progress = 0;
    state_.connected = false;
    EndDownload(UpgradePhase::Failed);
    Notify();
    GetPrompt().Message(kMsgDownloadTimeout, PromptIcon::Exclamation, detail);
}

void FirmwareDownload::DownloadStep() {
    const std::size_t size = file_.ImageSize();
    if (sendOffset_ < size) {
        const std::size_t count = std::min(kFirmwareBlockSize, size - sendOffset_);
        blockInFlight_ = count;
        ++state_.blocksSent;
        state_.incomplete = true;
        Notify();
        // Only the low 16 bits of the offset travel; a loaded image never needs more.
        Request().Send(kCmdWriteFirmware, static_cast<std::uint16_t>(sendOffset_),
                       static_cast<std::uint16_t>(count), file_.ImageBytes(sendOffset_, count));
        sendOffset_ += count;
        return;
    }
    // The image is in: the parameter block as read, with the new version.
    const std::string version = JoinVersion(state_.firmwareVersion);
    if (version.size() != kFirmwareVersionSize || paramBlock_.size() != kParamBlockSize) {
        // A loaded file always has 16 characters; never write a block without them.
        Request().Cancel();
        EndDownload(UpgradePhase::Failed);
        Notify();
        GetPrompt().Message(kMsgInvalidVersion, PromptIcon::Exclamation);
        return;
    }
    Bytes block = paramBlock_;
    std::copy(version.begin(), version.end(),
              block.begin() + static_cast<std::ptrdiff_t>(kBlockVersionOffset));
    step_ = Step::WriteBlock;
    Notify();
    Request().Send(kCmdWriteBlock, kParamBlockAddress, kParamBlockSize, block);
}

void FirmwareDownload::TakeReadBack(const Bytes& data) {
    Bytes block = data;
    block.resize(kParamBlockSize, 0);
    const std::string read = BlockVersion(block);
    const std::string expected = JoinVersion(state_.firmwareVersion);
    // What the ESC holds now is what the page shows and what a next Start
    // writes back; a new version is a new identity for every page.
    paramBlock_ = block;
    BlockRead(paramBlock_);
    state_.currentVersion = SplitVersion(read);
    state_.connected = true;
    if (read != expected) {
        state_.progress = 0;
        EndDownload(UpgradePhase::Failed);
        Notify();
        GetPrompt().Message(FormatShown(kFmtVersionNotKept, ShownVersion(read).c_str(),
                                        ShownVersion(expected).c_str()),
                            PromptIcon::Exclamation);
        return;
    }
    state_.progress = kActivityMax;
    state_.incomplete = false;
    EndDownload(UpgradePhase::Done);
    Notify();
    if (installed) {
        installed(read);
    }
    GetPrompt().Message(kMsgDownloadSuccessful, PromptIcon::Information);
}

}  // namespace tavix
