#include "logger/ProgressWatcher.h"

#include "shell/TimerHost.h"

namespace tavix {

ProgressWatcher::ProgressWatcher(TimerHost& timers, TransferState& state)
    : timers_(timers), state_(state) {
    progress_.emplace(state_);
    timers_.SetHandler([this](int id) { OnTimer(id); });
}

ProgressWatcher::~ProgressWatcher() {
    timers_.StopTimer(UploadProgress::kTimerId);
    timers_.SetHandler(nullptr);
}

void ProgressWatcher::Start(std::function<void(bool ok)> finished) {
    progress_.emplace(state_);
    finished_ = std::move(finished);
    running_ = true;
    timers_.StartTimer(UploadProgress::kTimerId, UploadProgress::kPollMs);
}

void ProgressWatcher::Cancel() {
    if (running_) {
        Finish(progress_->OnEscape());
    }
}

void ProgressWatcher::Accept() {
    if (running_) {
        Finish(progress_->OnEnter());
    }
}

void ProgressWatcher::OnTimer(int id) {
    if (id != UploadProgress::kTimerId || !running_) {
        return;
    }
    const UploadProgress::Result result = progress_->OnTick();
    if (onPoll) {
        onPoll(*progress_);
    }
    if (result != UploadProgress::Result::Running) {
        Finish(result);
    }
}

void ProgressWatcher::Finish(UploadProgress::Result result) {
    running_ = false;
    timers_.StopTimer(UploadProgress::kTimerId);
    if (finished_) {
        auto finished = std::move(finished_);
        finished_ = nullptr;
        finished(result == UploadProgress::Result::Ok);
    }
}

}  // namespace tavix
