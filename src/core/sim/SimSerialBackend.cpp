#include "sim/SimSerialBackend.h"

#include "link/Frame.h"

namespace tavix::sim {

namespace {

constexpr int kDeliveryTimer = 1;
constexpr int kIdleTimer = 2;

std::int64_t CeilMs(std::int64_t us) {
    return (us + 999) / 1000;
}

}  // namespace

SimSerialBackend::SimSerialBackend(std::shared_ptr<SimDevice> device,
                                   std::unique_ptr<TimerHost> timers)
    : device_(std::move(device)), timers_(std::move(timers)), parser_(FrameDirection::Request) {
    timers_->SetHandler([this](int id) {
        if (id == kDeliveryTimer) {
            timers_->StopTimer(kDeliveryTimer);
            armed_ = false;
            DeliverNext();
        } else if (id == kIdleTimer) {
            timers_->StopTimer(kIdleTimer);
            parser_.Reset();
        }
    });
}

SimSerialBackend::~SimSerialBackend() {
    Close();
    timers_->SetHandler(nullptr);
}

bool SimSerialBackend::Open(const std::string& port, std::string& error) {
    if (open_) {
        return true;
    }
    if (port.empty()) {
        error = "No such file or directory";
        return false;
    }
    if (device_->openCount_ > 0) {
        error = kSimPortBusy;
        return false;
    }
    ++device_->openCount_;
    open_ = true;
    waiting_.clear();
    queue_.clear();
    parser_.Reset();
    return true;
}

void SimSerialBackend::Close() {
    if (!open_) {
        return;
    }
    open_ = false;
    --device_->openCount_;
    ++generation_;
    timers_->StopTimer(kDeliveryTimer);
    timers_->StopTimer(kIdleTimer);
    armed_ = false;
    queue_.clear();
    waiting_.clear();
    parser_.Reset();
}

void SimSerialBackend::Write(const Bytes& bytes) {
    if (!open_) {
        return;
    }
    parser_.Feed(bytes);
    while (auto frame = parser_.Next()) {
        const std::size_t requestSize = kFrameOverhead + frame->data.size();
        const Bytes reply = device_->Answer(*frame);
        if (!reply.empty()) {
            Schedule(PlanDelivery(reply, requestSize, device_->DeliveryFaults()));
        }
    }
    if (parser_.Buffered() > 0) {
        timers_->StartTimer(kIdleTimer, kIdleResetMs);
    } else {
        timers_->StopTimer(kIdleTimer);
    }
}

Bytes SimSerialBackend::ReadAll() {
    Bytes all;
    all.swap(waiting_);
    return all;
}

std::size_t SimSerialBackend::BytesInFlight() const {
    std::size_t total = 0;
    for (const auto& p : queue_) {
        total += p.bytes.size();
    }
    return total;
}

void SimSerialBackend::Schedule(const std::vector<TimedChunk>& chunks) {
    std::int64_t previousMs = 0;
    for (const auto& chunk : chunks) {
        const std::int64_t atMs = CeilMs(chunk.atUs);
        queue_.push_back(Pending{static_cast<int>(atMs - previousMs), chunk.bytes});
        previousMs = atMs;
    }
    if (!armed_) {
        ArmNext();
    }
}

void SimSerialBackend::ArmNext() {
    if (queue_.empty() || !open_) {
        armed_ = false;
        return;
    }
    armed_ = true;
    const int gap = queue_.front().gapMs;
    if (gap > 0) {
        timers_->StartTimer(kDeliveryTimer, gap);
        return;
    }
    const std::uint64_t generation = generation_;
    timers_->Post([this, generation] {
        if (generation == generation_) {
            armed_ = false;
            DeliverNext();
        }
    });
}

void SimSerialBackend::DeliverNext() {
    if (queue_.empty() || !open_) {
        return;
    }
    Pending chunk = std::move(queue_.front());
    queue_.pop_front();
    waiting_.insert(waiting_.end(), chunk.bytes.begin(), chunk.bytes.end());
    // Arm the next piece first: the receive handler may write a new request,
    // whose reply then queues behind what is still on its way.
    ArmNext();
    NotifyDataArrived();
}

}  // namespace tavix::sim
