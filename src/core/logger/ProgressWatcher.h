#pragma once
// The progress window's rules without a window, for the command-line tool and
// the tests: every 50 ms it polls the transfer state as the window does and,
// once the window would close, reports OK or Cancel.

#include <functional>
#include <optional>

#include "shell/UploadProgress.h"

namespace tavix {

class TimerHost;

class ProgressWatcher {
public:
    // Takes over `timers`' handler (a host of its own, as the window has).
    ProgressWatcher(TimerHost& timers, TransferState& state);
    ~ProgressWatcher();
    ProgressWatcher(const ProgressWatcher&) = delete;
    ProgressWatcher& operator=(const ProgressWatcher&) = delete;

    // Starts polling; `finished(ok)` is called once when it ends.
    void Start(std::function<void(bool ok)> finished);
    // What Esc does in the window: ends it with Cancel.
    void Cancel();
    // What Enter does: ends it with OK.
    void Accept();
    bool Running() const { return running_; }
    const UploadProgress& Progress() const { return *progress_; }

    // Called after every poll (a text progress line, for example).
    std::function<void(const UploadProgress&)> onPoll;

private:
    void OnTimer(int id);
    void Finish(UploadProgress::Result result);

    TimerHost& timers_;
    TransferState& state_;
    std::optional<UploadProgress> progress_;  // one per run of the window
    bool running_ = false;
    std::function<void(bool ok)> finished_;
};

}  // namespace tavix
