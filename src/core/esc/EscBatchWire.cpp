#include "esc/EscBatchWire.h"

#include <algorithm>

#include "esc/EscPageEdits.h"
#include "esc/EscParamBlock.h"
#include "shell/TimerHost.h"

namespace tavix {

EscBatchWire::EscBatchWire(const EscSeriesTable& table, std::vector<EscSetting> settings,
                           CMSComm& comm, TimerHost& timers, PortSource port, EscHistory* history)
    : settings_(std::move(settings)),
      timers_(timers),
      session_(table, comm, timers, prompt_, std::move(port)) {
    session_.SetHistory(history);
    session_.changed = [this] { OnChanged(); };
}

EscBatchWire::~EscBatchWire() {
    *alive_ = false;
    session_.changed = nullptr;
}

void EscBatchWire::Answer(std::function<void(EscBatch&)> answer) {
    pending_ = Pending::None;
    std::weak_ptr<bool> alive = alive_;
    timers_.Post([this, alive, answer = std::move(answer)] {
        if (!alive.expired() && batch_ != nullptr) {
            answer(*batch_);
        }
    });
}

void EscBatchWire::Identify() {
    pending_ = Pending::Read;
    // A session that read nothing yet (or lost its ESC) opens the port and
    // reads afresh; one that has read reads again on the open port.
    if (session_.State().resetFlag || !session_.Visible()) {
        session_.OnShow(true);
    } else {
        session_.OnConnect();
    }
}

void EscBatchWire::Write() {
    // The settings notify as they are picked; the write is waited for only
    // once they are all on the page.
    pending_ = Pending::None;
    for (const EscSetting& setting : settings_) {
        ApplySetting(session_, setting);
    }
    prompt_.last.clear();
    sawWriting_ = false;
    pending_ = Pending::Write;
    session_.OnUpdate();
    if (pending_ == Pending::Write && !sawWriting_) {
        Answer([why = prompt_.last](EscBatch& batch) { batch.OnWriteFailed(why); });
    }
}

void EscBatchWire::Close() {
    pending_ = Pending::None;
    session_.OnHide();
}

void EscBatchWire::OnChanged() {
    const EscPhase phase = session_.State().phase;
    if (pending_ == Pending::Read && phase != EscPhase::Reading) {
        // An ESC of another series is not shown by the page, but it answered:
        // the batch names and refuses it.
        const Bytes& block =
            phase == EscPhase::Linked ? session_.LastRead() : session_.OtherSeriesRead();
        if (block.size() >= kBlockVersionOffset + kBlockVersionSize) {
            const auto at = block.begin() + static_cast<std::ptrdiff_t>(kBlockVersionOffset);
            const std::string version(at, at + static_cast<std::ptrdiff_t>(kBlockVersionSize));
            Answer([version](EscBatch& batch) { batch.OnIdentified(version); });
        } else {
            Answer([](EscBatch& batch) { batch.OnNoAnswer(); });
        }
    } else if (pending_ == Pending::Write && phase == EscPhase::Writing) {
        sawWriting_ = true;
    } else if (pending_ == Pending::Write && sawWriting_) {
        if (phase == EscPhase::Linked && !session_.LastWrite().empty()) {
            std::vector<std::string> names;
            for (std::size_t offset : session_.NotTakenOffsets()) {
                const std::string name = OffsetName(session_.Table(), offset);
                if (std::find(names.begin(), names.end(), name) == names.end()) {
                    names.push_back(name);
                }
            }
            Answer([names](EscBatch& batch) { batch.OnWritten(names); });
        } else {
            Answer([why = prompt_.last](EscBatch& batch) { batch.OnWriteFailed(why); });
        }
    }
}

}  // namespace tavix
