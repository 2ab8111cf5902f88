#include "shell/UploadProgress.h"

#include <cstdio>

#include "shell/TimerHost.h"

namespace tavix {

namespace {

// Under a second of data the rate says little; the estimate waits for it.
constexpr std::int64_t kMinEstimateMs = 1000;
constexpr const char* kWaitingText = "Waiting for the logger ...";

}  // namespace

UploadProgress::UploadProgress(TransferState& state, TimerHost* timers)
    : state_(state), timers_(timers) {
    if (timers_) {
        timers_->SetHandler([this](int id) {
            if (id == kTimerId && Running()) {
                OnTick();
                if (onPoll) {
                    onPoll();
                }
            }
        });
    }
}

UploadProgress::~UploadProgress() {
    if (timers_) {
        timers_->StopTimer(kTimerId);
        timers_->SetHandler(nullptr);
    }
}

void UploadProgress::Start(std::function<void(bool ok)> finished) {
    result_ = Result::Running;
    position_ = 0;
    ticks_ = 0;
    firstTotalTick_ = -1;
    done_ = 0;
    total_ = 0;
    started_ = true;
    finished_ = std::move(finished);
    if (timers_) {
        timers_->StartTimer(kTimerId, kPollMs);
    }
}

void UploadProgress::Finish(Result result) {
    result_ = result;
    if (timers_) {
        timers_->StopTimer(kTimerId);
    }
    if (finished_) {
        auto finished = std::move(finished_);
        finished_ = nullptr;
        finished(result == Result::Ok);
    }
}

UploadProgress::Result UploadProgress::OnTick() {
    if (Finished()) {
        return result_;
    }
    ++ticks_;
    if (!state_.running) {
        Finish(Result::Ok);
        return result_;
    }
    const std::uint16_t total = state_.total;
    std::uint16_t done = static_cast<std::uint16_t>(state_.current - state_.start);
    if (state_.noData) {
        state_.noData = false;
        Finish(Result::Cancel);
        return result_;
    }
    if (done > total || state_.completion) {
        done = total;
    }
    done_ = done;
    total_ = total;
    if (total == 0) {
        return result_;
    }
    if (firstTotalTick_ < 0) {
        firstTotalTick_ = ticks_;
    }
    const int p = static_cast<int>(static_cast<std::uint32_t>(done) * 100u / total);
    // The bar steps forward through the positions below p (it never moves back).
    if (p - 1 > position_) {
        position_ = p - 1;
    }
    if (done == total) {
        Finish(Result::Ok);
    }
    return result_;
}

UploadProgress::Result UploadProgress::OnEnter() {
    if (!Finished()) {
        Finish(Result::Ok);
    }
    return result_;
}

UploadProgress::Result UploadProgress::OnEscape() {
    if (!Finished()) {
        Finish(Result::Cancel);
    }
    return result_;
}

std::string UploadProgress::DetailText() const {
    if (firstTotalTick_ < 0) {
        return kWaitingText;
    }
    const std::int64_t elapsed = static_cast<std::int64_t>(ticks_ - firstTotalTick_) * kPollMs;
    return FormatTransferText(done_, total_, elapsed);
}

std::string FormatTransferText(std::uint32_t done, std::uint32_t total, std::int64_t elapsedMs) {
    char text[96];
    const double kb = 1024.0;
    int n = std::snprintf(text, sizeof text, "%.1f of %.1f KB", done / kb, total / kb);
    if (done > 0 && done < total && elapsedMs >= kMinEstimateMs) {
        // Bytes still to come at the rate seen so far, rounded up to whole seconds.
        const double leftMs = static_cast<double>(total - done) * elapsedMs / done;
        const long long seconds = static_cast<long long>((leftMs + 999.0) / 1000.0);
        if (seconds >= 60) {
            std::snprintf(text + n, sizeof text - n, ", about %lld min %lld s left", seconds / 60,
                          seconds % 60);
        } else {
            std::snprintf(text + n, sizeof text - n, ", about %lld s left", seconds);
        }
    }
    return text;
}

}  // namespace tavix
