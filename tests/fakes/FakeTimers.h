#pragma once
// Fake time for sessions: every TimerHost made here shares one time line, and
// Advance(ms) fires the due timers of all hosts in time order, instantly.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "shell/TimerHost.h"

namespace tavix::test {

class FakeTimers {
public:
    FakeTimers();
    ~FakeTimers();
    FakeTimers(const FakeTimers&) = delete;
    FakeTimers& operator=(const FakeTimers&) = delete;

    // A new host on this time line. The host must not outlive the FakeTimers.
    std::unique_ptr<TimerHost> NewHost();

    // Moves time forward by `ms`, firing every timer that falls due, in order
    // of due time (then of start order). Timers started by a handler count too.
    // Posted tasks run before any timer that falls due after they were posted.
    void Advance(std::int64_t ms);
    // Advances in steps until `done()` holds or `limitMs` has passed; returns done().
    template <typename Pred>
    bool AdvanceUntil(Pred done, std::int64_t limitMs, std::int64_t stepMs = 1) {
        for (std::int64_t t = 0; t < limitMs && !done(); t += stepMs) {
            Advance(stepMs);
        }
        return done();
    }

    std::int64_t Now() const { return now_; }
    // Number of running timers over all hosts.
    int RunningCount() const;

private:
    class Host;
    struct Entry {
        Host* host;
        int id;
        int period;
        std::int64_t due;
        std::uint64_t seq;
    };
    friend class Host;

    void Start(Host* host, int id, int ms);
    void Stop(Host* host, int id);
    bool IsRunning(const Host* host, int id) const;
    void Forget(Host* host);
    void Post(Host* host, std::function<void()> task);

    std::int64_t now_ = 0;
    std::uint64_t seq_ = 0;
    std::vector<Entry> entries_;
    struct Posted {
        Host* host;
        std::function<void()> task;
    };
    std::vector<Posted> posted_;
};

}  // namespace tavix::test
