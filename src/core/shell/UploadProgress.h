#pragma once
// The rules of the small window shown while the logger's flight memory is
// uploaded. The window owns no part of the transfer: every 50 ms it looks at
// the transfer state kept by the upload code, moves its bar and closes itself
// when the transfer is over. The upload code learns the outcome from the
// window's result: OK when the transfer ended (finished, or stopped by its
// own time-out, which has already said so), Cancel when the logger had no
// flight or the user gave up.
//
// With a timer host the object plays the whole window without one (for the
// command-line tool and the tests) and the window itself runs on it: Start
// polls every 50 ms until the result is known and reports it once.
//
// Beyond the bar, the window tells how much has arrived and about how long the
// rest will take ("12.5 of 31.9 KB, about 20 s left"), estimated from the time
// the transfer has been running so far.

#include <cstdint>
#include <functional>
#include <string>

namespace tavix {

class TimerHost;

// What the upload code owns and the progress window reads. Addresses and
// lengths are those of the block read, in device bytes.
struct TransferState {
    bool running = false;       // set when an upload starts, cleared by its time-out
    bool noData = false;        // the logger holds no flight; the window clears it
    std::uint16_t start = 0;    // first address of the block read
    std::uint16_t current = 0;  // address of the block being read
    std::uint16_t total = 0;    // bytes to read
    bool completion = false;    // the data are all in and being processed
};

class UploadProgress {
public:
    static constexpr int kTimerId = 99;
    static constexpr int kPollMs = 50;
    static constexpr int kBarMax = 100;

    enum class Result { Running, Ok, Cancel };

    // With `timers`, Start polls by itself on timer 99 (the handler of
    // `timers` is taken over: a host of its own, as the window has).
    explicit UploadProgress(TransferState& state, TimerHost* timers = nullptr);
    ~UploadProgress();
    UploadProgress(const UploadProgress&) = delete;
    UploadProgress& operator=(const UploadProgress&) = delete;

    // Opens the window afresh and polls until it closes; `finished(ok)` is
    // called once then (also when Enter or Esc closed it).
    void Start(std::function<void(bool ok)> finished);
    bool Running() const { return started_ && !Finished(); }
    // Called after every poll (the window redraws, the CLI prints a line).
    std::function<void()> onPoll;

    // One poll of the transfer state. Returns the result once the window is to
    // close; after that further polls change nothing.
    Result OnTick();
    // Enter ends the window with OK, Esc with Cancel, at any time.
    Result OnEnter();
    Result OnEscape();

    Result GetResult() const { return result_; }
    bool Finished() const { return result_ != Result::Running; }
    int Position() const { return position_; }
    // The line under the bar: what has arrived and the time left, or that the
    // logger has not yet said how much there is.
    std::string DetailText() const;

private:
    void Finish(Result result);

    TransferState& state_;
    TimerHost* timers_ = nullptr;
    bool started_ = false;
    std::function<void(bool ok)> finished_;
    Result result_ = Result::Running;
    int position_ = 0;
    int ticks_ = 0;
    // Set on the first poll that saw a length to read: the estimate counts from there.
    int firstTotalTick_ = -1;
    std::uint16_t done_ = 0;
    std::uint16_t total_ = 0;
};

// "12.5 of 31.9 KB, about 20 s left"; without an estimate (nothing arrived yet,
// or too early to tell) only the amounts. `elapsedMs` is the time since the
// block read began.
std::string FormatTransferText(std::uint32_t done, std::uint32_t total, std::int64_t elapsedMs);

}  // namespace tavix
