#pragma once
// The one account of the ESC on the port: which port is in use, what was read
// from it (version, series, hardware code, logger or not), the parameter
// block last read and when, and where the connection stands. The app root
// owns it; the status bar and every device page show it, and nothing else
// keeps an identity of its own.
//
//   NotOpened --Opening(port)--> Reading --Identify(block)--> Identified
//       ^                           |                            |
//       |                           +--------- Lose() -----------+--> Lost
//       +-- SetPort(another port): whatever was known ends      |
//                                                                +--BlockRead(other version):
//                                                                   the identity is replaced
//
// Every end or change of the identity bumps Generation(). A page remembers
// the generation it last read under; when it differs, what the page shows
// belongs to an ESC that is no longer known to be there, so the page clears
// it and reads again before it shows a version or values. A write first reads
// the block over its own port and goes on only when the identity is still
// the one the page showed (DeviceLine::SameEscAsShown).

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "base/Bytes.h"

namespace tavix {

enum class DeviceState { NotOpened, Reading, Identified, Lost };

struct DeviceIdentity {
    std::string version;  // the 16 bytes as read, zero bytes included
    int series = -1;      // kSeriesTarrow.. or kSeriesUnknown
    std::string hardwareCode;
    bool hasLogger = false;

    bool operator==(const DeviceIdentity&) const = default;
};

// What the 512-byte block at 0x0E00 says of the ESC that sent it.
DeviceIdentity IdentityOfBlock(const Bytes& block);
// "TVKB20140V200312 (Velmor, hardware 0V20)" for a message.
std::string DescribeIdentity(const DeviceIdentity& identity);
// What a write says when the ESC it read first is not the one the page showed.
std::string OtherEscText(const DeviceIdentity& found, const DeviceIdentity& shown);

class Clock;

class ConnectedDevice {
public:
    // `clock` stamps each block read (none: stamped 0).
    explicit ConnectedDevice(const Clock* clock = nullptr) : clock_(clock) {}

    DeviceState State() const { return state_; }
    bool IsIdentified() const { return state_ == DeviceState::Identified; }
    const std::string& Port() const { return port_; }
    // Empty unless identified.
    const DeviceIdentity& Identity() const { return identity_; }
    const Bytes& Block() const { return block_; }
    // When the block was last read (the clock's seconds; 0: never).
    std::int64_t BlockReadAt() const { return blockReadAt_; }
    unsigned Generation() const { return generation_; }

    // Open Device starts on `port`: the identity read before ends at once.
    void Opening(const std::string& port);
    // The identification read answered with `block`.
    void Identify(const Bytes& block);
    // The identification found no usable ESC (no profile, unknown series):
    // nothing is identified, the port stays the one in use.
    void Refused();
    // The port did not open, a request timed out, the adapter was pulled out.
    void Lose();
    // The user chose another port: whatever was known of the old one ends.
    void SetPort(const std::string& port);
    // A page read the block over its own port. The same ESC: block and time
    // are kept. Another ESC (a swap on the same port): the identity becomes
    // this one and every page reads again. Not identified: nothing changes,
    // only Open Device identifies.
    void BlockRead(const Bytes& block);

    // Called after every change; returns a token for Unwatch.
    int Watch(std::function<void()> changed);
    void Unwatch(int token);

private:
    void EndIdentity(DeviceState next);
    void Changed();

    const Clock* clock_;
    DeviceState state_ = DeviceState::NotOpened;
    std::string port_;
    DeviceIdentity identity_;
    Bytes block_;
    std::int64_t blockReadAt_ = 0;
    unsigned generation_ = 0;
    std::map<int, std::function<void()>> watchers_;
    int nextToken_ = 1;
};

}  // namespace tavix
