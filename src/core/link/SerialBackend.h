#pragma once
// The byte pipe under CMSComm: a real serial port (QSerialPort) in production,
// the in-process device simulator for the demo device and the tests, or a
// scripted feeder in tests. Always "9600, n, 8, 1".

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Bytes.h"

namespace tavix {

class SerialBackend {
public:
    virtual ~SerialBackend() = default;

    // Opens `port` (a device path such as /dev/ttyUSB0, COM3, a pseudo-terminal,
    // or "demo"). On failure returns false and sets `error` to the backend's own
    // description of the problem, without a trailing "!".
    [[nodiscard]] virtual bool Open(const std::string& port, std::string& error) = 0;
    // After a failed Open: what on the system keeps `port` from opening, in a
    // few words ("in use by process 1234 (minicom)"); empty when unknown.
    [[nodiscard]] virtual std::string WhyNotOpen(const std::string& port) {
        (void)port;
        return std::string();
    }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual void Write(const Bytes& bytes) = 0;
    virtual std::size_t BytesWaiting() const = 0;
    // Takes everything waiting.
    virtual Bytes ReadAll() = 0;

    // The port went away while it was open (the adapter pulled out, the far
    // end of a pseudo-terminal closed): the backend closed it. A time-out
    // after this is an unplug, not a silent or garbled device. The next open
    // forgets it.
    virtual bool Vanished() const { return vanished_; }
    void ForgetVanished() { vanished_ = false; }

    // Called (on the UI thread, never from inside Write) whenever new bytes have
    // arrived. CMSComm turns this into its receive event once the threshold is met.
    void SetDataArrived(std::function<void()> callback) { dataArrived_ = std::move(callback); }

protected:
    void MarkVanished() { vanished_ = true; }
    void NotifyDataArrived() {
        if (dataArrived_) {
            dataArrived_();
        }
    }

private:
    std::function<void()> dataArrived_;
    bool vanished_ = false;
};

}  // namespace tavix
