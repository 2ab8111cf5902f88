#pragma once
// Window timers as the device pages use them: a timer id doubles as the command
// code being awaited, and a session counts its own ticks. Production code runs
// these on QTimer; tests advance fake time instantly.

#include <functional>

namespace tavix {

class TimerHost {
public:
    using Handler = std::function<void(int id)>;

    virtual ~TimerHost() = default;

    // Starts (or restarts) the periodic timer `id` with a period of `ms` milliseconds.
    virtual void StartTimer(int id, int ms) = 0;
    // Stops the timer `id`; stopping a timer that is not running does nothing.
    virtual void StopTimer(int id) = 0;
    virtual bool IsRunning(int id) const = 0;
    // Runs `task` soon, after the handler now running has returned (the
    // equivalent of posting a window message to oneself).
    virtual void Post(std::function<void()> task) = 0;

    // The owner's OnTimer(id). Set once, before the first StartTimer.
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

protected:
    void Fire(int id) {
        if (handler_) {
            handler_(id);
        }
    }

private:
    Handler handler_;
};

}  // namespace tavix
