#include "esc/EscParamSession.h"

#include <algorithm>
#include <cctype>

#include "base/FormatText.h"
#include "base/PlainText.h"
#include "device/ConnectedDevice.h"
#include "device/DeviceMessages.h"
#include "device/DeviceVersion.h"
#include "esc/EscHistory.h"

#include "base/Translate.h"
#include "esc/EscMessages.h"
#include "esc/EscParamText.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "shell/Prompt.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

// The 16 version bytes of a block, as sent.
std::string SnapshotVersion(const Bytes& block) {
    std::string version;
    for (std::size_t i = 0; i < kBlockVersionSize && kBlockVersionOffset + i < block.size(); ++i) {
        version.push_back(static_cast<char>(block[kBlockVersionOffset + i]));
    }
    return version;
}

}  // namespace

EscParamSession::EscParamSession(const EscSeriesTable& table, CMSComm& comm, TimerHost& timers,
                                 Prompt& prompt, PortSource port)
    : DeviceLine(comm, timers, prompt, std::move(port)), table_(table) {
    state_.selection.assign(table_.lists.size(), -1);
}

void EscParamSession::BeforeNotify() {
    state_.resetFlag = ResetPending();
}

void EscParamSession::IdentityEnded() {
    // Values of an ESC no longer known to be there are not shown.
    Request().Cancel();
    checking_ = false;
    verifying_ = false;
    ClearPage();
    state_.phase = EscPhase::Fresh;
    lastRead_.clear();
    restoring_ = false;
    Notify();
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
    SetVisible(open);
    if (ResetPending()) {
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
    ClosePort();
    SetVisible(false);
    if (table_.showAfterHide) {
        OnShow(false);
    } else {
        Notify();
    }
}

void EscParamSession::OnConnect() {
    if (!Visible()) {
        return;
    }
    state_.progress = 0;
    if (!Comm().GetPortOpen()) {
        // The failed open has been told, once; no time-out follows it.
        state_.phase = EscPhase::NotLinked;
        SetReset(true);
        Notify();
        return;
    }
    state_.phase = EscPhase::Reading;
    Notify();
    Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void EscParamSession::OnReadFromEsc() {
    const auto idle = [this] {
        return Visible() && state_.phase != EscPhase::Reading && state_.phase != EscPhase::Writing;
    };
    if (!idle()) {
        return;
    }
    // Timers and serial events run while the question is open.
    if (UnsentChanges() && !Ask(kMsgEscReadOverChanges, PromptIcon::Question, idle)) {
        return;
    }
    OnConnect();
}

void EscParamSession::OnDefault() {
    if (!Visible()) {
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
    return EncodeParamBlock(table_, ValuesOf(state_, calibration_), lastRead_, refusal);
}

std::vector<bool> EscParamSession::ChangedLists() const {
    std::vector<bool> changed(table_.lists.size(), false);
    if (lastRead_.empty()) {
        return changed;
    }
    const EscBlockValues read = DecodeParamBlock(table_, lastRead_);
    for (std::size_t i = 0; i < changed.size(); ++i) {
        changed[i] = state_.selection[i] != read.selection[i];
    }
    return changed;
}

bool EscParamSession::TemperatureOffsetChanged() const {
    if (lastRead_.empty() || !table_.temperatureOffset) {
        return false;
    }
    return TemperatureOffsetValue(state_.Text(EscField::TemperatureOffset)) !=
           lastRead_[*table_.temperatureOffset];
}

bool EscParamSession::UnsentChanges() const {
    const std::vector<bool> lists = ChangedLists();
    return TemperatureOffsetChanged() || std::find(lists.begin(), lists.end(), true) != lists.end();
}

std::string EscParamSession::RestoreRefusal(const Bytes& snapshot) const {
    if (lastRead_.empty()) {
        return kMsgEscRestoreUnread;
    }
    const std::string theirs = SnapshotVersion(snapshot);
    if (snapshot.size() != kParamBlockSize || SeriesOf(theirs) != table_.series) {
        return FormatShown(kMsgEscRestoreOtherSeries, SeriesName(SeriesOf(theirs)),
                           table_.name.c_str());
    }
    const std::string ours = SnapshotVersion(lastRead_);
    if (theirs != ours) {
        return FormatShown(kMsgEscRestoreOtherVersion, UpToZero(theirs).c_str(),
                           UpToZero(ours).c_str());
    }
    return {};
}

void EscParamSession::OnRestore(const Bytes& snapshot, const std::vector<MessageParts>& changes) {
    if (!Visible()) {
        return;
    }
    const auto ready = [this] {
        return Visible() && state_.updateEnabled && state_.phase == EscPhase::Linked;
    };
    std::string refusal = RestoreRefusal(snapshot);
    if (refusal.empty() && !ready()) {
        refusal = kMsgEscRestoreUnread;
    }
    if (!refusal.empty()) {
        GetPrompt().Message(refusal, PromptIcon::Exclamation);
        return;
    }
    if (changes.empty()) {
        GetPrompt().Message(kMsgEscNothingToRestore, PromptIcon::Information);
        return;
    }
    // Timers and serial events run while the question is open; the ESC read
    // since may hold other values, so the changes asked about must still be them.
    const Bytes asked = lastRead_;
    if (!Confirm(kMsgEscConfirmRestore, PromptIcon::Exclamation, ChangesText(changes), true,
                 [&] { return ready() && lastRead_ == asked; })) {
        return;
    }
    restoring_ = true;
    SendWrite(RestoreBlock(table_, snapshot));
}

std::vector<MessageParts> EscParamSession::UpdateChanges() const {
    std::string refusal;
    const Bytes block = BuildWriteBlock(refusal);
    if (block.empty() || lastRead_.empty()) {
        return {};
    }
    return RestoreChanges(table_, lastRead_, block);
}

void EscParamSession::Keep(int reason, const Bytes& block) {
    if (history_ == nullptr || block.empty()) {
        return;
    }
    const std::string error = history_->Keep(static_cast<SnapshotReason>(reason), block);
    if (!error.empty()) {
        GetPrompt().Message(error, PromptIcon::Exclamation);
    }
}

void EscParamSession::OnUpdate() {
    const auto ready = [this] { return Visible() && state_.updateEnabled; };
    if (!ready()) {
        return;
    }
    // A typed value that the ESC cannot hold is refused before anything else.
    if (table_.temperatureOffset &&
        TemperatureOffsetValue(state_.Text(EscField::TemperatureOffset)) < 0) {
        GetPrompt().Message(kMsgTemperatureOffsetRange, PromptIcon::Exclamation);
        return;
    }
    // The question lists what the write changes in the ESC as last read.
    // Timers and serial events run while it is open; the ESC read since may
    // hold other values, so the changes asked about must still be them.
    const Bytes asked = lastRead_;
    if (!Confirm(kMsgEscConfirmUpdate, PromptIcon::Exclamation, ChangesText(UpdateChanges()), true,
                 [&] { return ready() && lastRead_ == asked; })) {
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
        SetReset(true);
        state_.connected = false;
        state_.updateEnabled = false;
        Notify();
        GetPrompt().Message(refusal, refusal == kMsgEscCalibrationOutOfOrder
                                         ? PromptIcon::None
                                         : PromptIcon::Exclamation);
        return;
    }
    restoring_ = false;
    SendWrite(block);
}

void EscParamSession::SendWrite(const Bytes& block) {
    // The ESC is read again over this port first: the block goes only to the
    // ESC whose values the page shows.
    state_.progress = 0;
    pendingWrite_ = block;
    lastWrite_.clear();  // set once the block has left
    notTaken_.clear();
    checking_ = true;
    state_.phase = EscPhase::Writing;
    Notify();
    Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void EscParamSession::TakeCheckRead(const Bytes& block) {
    checking_ = false;
    const EscBlockValues now = DecodeParamBlock(table_, block);
    const EscBlockValues shown = DecodeParamBlock(table_, lastRead_);
    if (!SameEscAsShown(block) || now.version != shown.version) {
        const std::string text = OtherEscText(IdentityOfBlock(block), IdentityOfBlock(lastRead_));
        // Nothing is sent; the page shows what the ESC holds now, or, for an
        // ESC of another series, nothing (its own page reads it when shown).
        pendingWrite_.clear();
        state_.progress = kActivityMax;
        if (SeriesOf(now.version) == table_.series) {
            TakeReadBlock(block);
            state_.connected = true;
            state_.updateEnabled = true;
            state_.phase = EscPhase::Linked;
        } else {
            TakeOtherSeriesRead(block);
        }
        Notify();
        GetPrompt().Message(text, PromptIcon::Exclamation);
        return;
    }
    lastWrite_ = pendingWrite_;
    pendingWrite_.clear();
    Keep(static_cast<int>(SnapshotReason::BeforeWrite), lastRead_);
    Request().Send(kCmdWriteBlock, kParamBlockAddress, kParamBlockSize, lastWrite_);
}

void EscParamSession::TakeReadBlock(const Bytes& block) {
    BlockRead(block);
    lastRead_ = block;
    otherSeriesRead_.clear();
    restoring_ = false;
    const EscBlockValues values = DecodeParamBlock(table_, block);
    ShowValues(state_, values);
    calibration_ = values.calibration;
}

void EscParamSession::TakeOtherSeriesRead(const Bytes& block) {
    BlockRead(block);
    ClearPage();
    lastRead_.clear();
    otherSeriesRead_ = block;
    restoring_ = false;
    SetReset(true);
    state_.phase = EscPhase::NotLinked;
}

void EscParamSession::OnWriteTaken() {
    // The ESC acknowledged the write; reading the block back shows whether
    // every byte took.
    verifying_ = true;
    Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
}

void EscParamSession::OnReadBack(const Bytes& block) {
    verifying_ = false;
    const bool restored = restoring_;
    notTaken_ = NotTaken(table_, lastWrite_, block);
    TakeReadBlock(block);
    state_.progress = kActivityMax;
    state_.connected = true;
    state_.updateEnabled = true;
    state_.phase = EscPhase::Linked;
    Notify();
    Keep(static_cast<int>(restored ? SnapshotReason::Restore : SnapshotReason::AfterWrite), block);
    if (notTaken_.empty()) {
        GetPrompt().Message(kMsgEscUpdateComplete, PromptIcon::Information);
    } else {
        GetPrompt().Message(FormatShown(kMsgEscNotTaken, NamesOf(table_, notTaken_).c_str()),
                            PromptIcon::Exclamation);
    }
}

void EscParamSession::OnComm() {
    const std::optional<DeviceReply> reply = Request().OnComm();
    if (!reply) {
        return;
    }
    if (reply->command == kCmdReadBlock && reply->data.size() == kParamBlockSize && checking_) {
        TakeCheckRead(reply->data);
    } else if (reply->command == kCmdReadBlock && reply->data.size() == kParamBlockSize &&
               verifying_) {
        OnReadBack(reply->data);
    } else if (reply->command == kCmdReadBlock && reply->data.size() == kParamBlockSize &&
               SeriesOf(DecodeParamBlock(table_, reply->data).version) != table_.series) {
        // An ESC of another series now on the port (swapped without Open
        // Device): this table would show and write its bytes as other
        // parameters. The device takes its identity; its own page reads it.
        TakeOtherSeriesRead(reply->data);
        state_.progress = 0;
        Notify();
        GetPrompt().Message(FormatShown(kFmtEscOtherSeriesRead,
                                        DescribeIdentity(IdentityOfBlock(reply->data)).c_str(),
                                        SeriesName(table_.series)),
                            PromptIcon::Exclamation);
    } else if (reply->command == kCmdReadBlock && reply->data.size() == kParamBlockSize) {
        // Also a reply that comes after its time-out: the ESC did answer.
        TakeReadBlock(reply->data);
        state_.progress = kActivityMax;
        state_.connected = true;
        state_.updateEnabled = true;
        SetReset(false);
        state_.phase = EscPhase::Linked;
        Notify();
        Keep(static_cast<int>(SnapshotReason::Read), reply->data);
    } else if (reply->command == kCmdWriteBlock) {
        // The write took, even when the reply comes after the time-out.
        state_.phase = EscPhase::Writing;
        OnWriteTaken();
        Notify();
    }
}

void EscParamSession::OnTimer(int id) {
    const TickOutcome outcome = CountTick(id);
    if (outcome == TickOutcome::Ignored) {
        return;
    }
    StepActivity(state_.progress);
    if (outcome == TickOutcome::Waiting) {
        Notify();
        return;
    }
    state_.connected = false;
    state_.updateEnabled = false;
    state_.progress = 0;
    otherSeriesRead_.clear();  // whatever answered before is not known to be there
    if (id == kCmdReadBlock && checking_) {
        // Nothing was written: the ESC did not answer the read before it.
        checking_ = false;
        pendingWrite_.clear();
        SetReset(true);
        state_.phase = EscPhase::NotLinked;
        Notify();
        GetPrompt().Message(kMsgEscUpdateTimeout, PromptIcon::Exclamation,
                            Request().TimeoutDetail(kDetailNothingWritten));
    } else if (id == kCmdReadBlock && verifying_) {
        // The write was acknowledged but what the ESC holds is unknown.
        verifying_ = false;
        SetReset(true);
        state_.phase = EscPhase::NotLinked;
        Notify();
        GetPrompt().Message(kMsgEscReadBackTimeout, PromptIcon::Exclamation,
                            Request().TimeoutDetail());
    } else if (id == kCmdReadBlock) {
        SetReset(true);
        state_.phase = EscPhase::NotLinked;
        Notify();
        GetPrompt().Message(kMsgConnectTimeout, PromptIcon::Exclamation, Request().TimeoutDetail());
    } else {
        // The values stay; the reset flag is not set, so no read runs on show.
        state_.phase = EscPhase::WriteFailed;
        Notify();
        GetPrompt().Message(kMsgEscUpdateTimeout, PromptIcon::Exclamation,
                            Request().TimeoutDetail(kDetailEscWriteUnknown));
    }
}

}  // namespace tavix
