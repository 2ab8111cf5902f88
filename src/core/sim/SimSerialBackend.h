#pragma once
// A serial backend whose far end is a simulated device in the same process.
//
// Write() hands each complete request to the device at once, but the reply
// comes back later, through the backend's own TimerHost, chunk by chunk as
// PlanDelivery times it (delay, pieces, 960 bytes/s pacing). Nothing is ever
// delivered inside Write, just as a real port never answers synchronously.
// With FakeTimers a test drives the session and the device on one time line;
// the GUI gives it a Qt timer host.
//
// Several backends may share one device, as the pages of the program each own
// a serial control on the one port. Like a real serial port the device can be
// open through only one backend at a time: a second Open fails with
// kSimPortBusy until the first is closed, which catches a page that forgot to
// close its port as the real port would. Closing drops whatever was still on
// its way; opening starts with an empty line.
//
// Like the device's own receiver, the backend forgets a partial request once
// the line has been idle for kIdleResetMs, so a corrupted request cannot hold
// on to the start of the next one.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "link/FrameParser.h"
#include "link/SerialBackend.h"
#include "shell/TimerHost.h"
#include "sim/SimDevice.h"

namespace tavix::sim {

inline constexpr const char* kSimPortBusy = "Device or resource busy";
inline constexpr int kIdleResetMs = 50;

class SimSerialBackend : public SerialBackend {
public:
    // `timers` is used by this backend alone (it takes the host's handler).
    SimSerialBackend(std::shared_ptr<SimDevice> device, std::unique_ptr<TimerHost> timers);
    ~SimSerialBackend() override;
    SimSerialBackend(const SimSerialBackend&) = delete;
    SimSerialBackend& operator=(const SimSerialBackend&) = delete;

    // Any non-empty port name reaches the device (normally "demo").
    bool Open(const std::string& port, std::string& error) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    // Ignored while closed.
    void Write(const Bytes& bytes) override;
    std::size_t BytesWaiting() const override { return waiting_.size(); }
    Bytes ReadAll() override;

    SimDevice& Device() { return *device_; }
    // Reply bytes planned but not yet delivered.
    std::size_t BytesInFlight() const;

private:
    struct Pending {
        int gapMs;  // after the chunk before it (the first: after the request)
        Bytes bytes;
    };

    // A reply's chunks queue behind those still on their way: the device
    // answers one request after the other on its one line.
    void Schedule(const std::vector<TimedChunk>& chunks);
    void ArmNext();
    void DeliverNext();

    std::shared_ptr<SimDevice> device_;
    std::unique_ptr<TimerHost> timers_;
    FrameParser parser_;
    bool open_ = false;
    Bytes waiting_;
    std::deque<Pending> queue_;
    bool armed_ = false;
    std::uint64_t generation_ = 0;  // bumped on close, so a stale posted delivery does nothing
};

}  // namespace tavix::sim
