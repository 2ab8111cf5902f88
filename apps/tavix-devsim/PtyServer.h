#pragma once
// One pseudo-terminal with the simulated device behind it: requests are read
// off the master as they come, parsed, answered by the device, and the replies
// written back at the pace and in the pieces its faults ask for.

#include <chrono>
#include <csignal>
#include <deque>
#include <string>

#include "RawPty.h"
#include "link/FrameParser.h"
#include "sim/SimDevice.h"

namespace tavix::sim {

class PtyServer {
public:
    using Clock = std::chrono::steady_clock;

    // With `verbose`, every request and reply is logged on stderr.
    PtyServer(SimDevice& device, bool verbose);

    // Opens the pseudo-terminal; `path` is what the program opens.
    bool Open(std::string& path, std::string& error);
    // Serves until `stop` becomes non-zero (set by a signal handler). Returns
    // the exit status. Each time `swap` is non-zero it is cleared and the
    // next series' ESC takes the place of the one on the line; each time
    // `fly` is, it is cleared and the logger records one more flight; each
    // time `unplug` is, it is cleared and the ESC goes silent, as if
    // unplugged, or answers again when it was silent.
    int Run(const volatile std::sig_atomic_t& stop, volatile std::sig_atomic_t& swap,
            volatile std::sig_atomic_t& fly, volatile std::sig_atomic_t& unplug);

private:
    struct Chunk {
        Clock::time_point due;
        Bytes bytes;
    };

    int Timeout(Clock::time_point now) const;
    void Receive();
    void Schedule(const Bytes& reply, std::size_t requestSize);
    void Flush(Clock::time_point now);

    RawPty pty_;
    SimDevice& device_;
    bool verbose_;
    int master_ = -1;
    FrameParser parser_{FrameDirection::Request};
    std::deque<Chunk> out_;
    Clock::time_point lineFree_{};
    Clock::time_point lastReceived_{};
};

}  // namespace tavix::sim
