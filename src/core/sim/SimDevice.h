#pragma once
// The device side of the wire: an ESC of one series, optionally with its
// flight data logger, answering request frames from its own state.
//
//   3  read the 512-byte parameter block at 0x0E00   -> 519-byte reply
//   4  read logger memory (address, length)          -> length + 7 bytes
//   14 write logger memory (address, length, data)   -> 7-byte ack
//   15 replace the parameter block                   -> 7-byte ack
//   16 firmware block (offset, length, data)         -> 7-byte ack
//
// The ESC's firmware receiver takes the image in order: a block at address 0
// starts a new image, every other block must start where the one before it
// ended. A block out of order or after a gap is refused without a reply (the
// host's download then times out) and counted. The parameter-block write that
// ends a download carries the new firmware's version, which the next read of
// the block shows.
//
// A request with a bad CRC gets no reply; neither does a request the device
// cannot serve (command 3 or 15 at another address or length; 4 and 14 on an
// ESC without a logger). Logger reads beyond the physical memory read 0xFF and
// writes there are dropped, as on the real address space.
//
// The device holds no port and no clock: Answer() turns a request into reply
// bytes (faults applied), and PlanDelivery (SimFaults.h) says when they
// arrive. SimSerialBackend and tavix-devsim put it on a line.

#include <cstdint>
#include <string>
#include <vector>

#include "link/FrameParser.h"
#include "sim/DeviceProfile.h"
#include "sim/LoggerMemory.h"
#include "sim/SimFaults.h"

namespace tavix::sim {

class SimDevice {
public:
    // A device of `series` with its factory parameter block; the logger, if
    // the series has one, holds NormalMemoryPlan().
    explicit SimDevice(Series series = Series::Tarrow);

    Series GetSeries() const { return series_; }
    // Another ESC of `series`, with its factory block (and logger memory when
    // it has a logger), is now on the same line: a pilot swapping ESCs.
    void SwapEsc(Series series);
    const DeviceProfile& Profile() const { return ProfileFor(series_); }
    // The version text at offsets 256-271 of the parameter block (a firmware
    // download that ends with a block write changes it).
    std::string Version() const;
    bool HasLogger() const { return Profile().hasLogger; }

    const Bytes& ParamBlock() const { return paramBlock_; }
    // Takes exactly 512 bytes; other sizes are cut or padded with zeros.
    void SetParamBlock(const Bytes& block);

    // The logger memory (addresses 0..last), whatever the header says.
    const Bytes& Memory() const { return memory_; }
    void SetMemory(Bytes memory) { memory_ = std::move(memory); }
    void LoadMemory(const MemoryPlan& plan) { memory_ = GenerateLoggerMemory(plan).bytes; }
    // The pilot flew again: a new flight of `samples` after the last one
    // (AppendFlight). False when the logger could not take it.
    bool AppendFlight(int samples);

    struct FirmwareBlock {
        std::uint16_t address = 0;
        Bytes data;
    };
    // Every firmware block taken since the last block at address 0, in order.
    const std::vector<FirmwareBlock>& FirmwareBlocks() const { return firmware_; }
    // The blocks laid out by address (gaps zero): the image the ESC was sent.
    Bytes FirmwareImage() const;
    void ClearFirmware();
    // Firmware blocks refused because they did not continue the image.
    int FirmwareOrderErrors() const { return firmwareOrderErrors_; }
    // Parameter-block writes that ended a download (blocks came before them).
    int FirmwareInstalls() const { return firmwareInstalls_; }

    const SimFaults& Faults() const { return faults_; }
    // Replaces the faults; also plugs a disconnected device back in.
    void SetFaults(const SimFaults& faults);
    SimFaults& MutableFaults() { return faults_; }
    // The faults that time the delivery of the reply Answer just gave: the
    // stand-in for a lost request comes late.
    SimFaults DeliveryFaults() const;
    // Unplugged by the disconnect fault.
    bool Disconnected() const { return disconnected_; }
    void Reconnect();

    // The reply to one request (whose CRC has been checked), with the content
    // faults applied; empty for no reply. Timing faults are PlanDelivery's.
    Bytes Answer(const DeviceFrame& request);

    // Raw bytes in through the device's own frame parser; the reply of each
    // complete request out (empty replies left out). Requests with a bad CRC
    // are counted and go unanswered.
    std::vector<Bytes> Receive(const std::uint8_t* data, std::size_t size);
    // The line has been idle: a partial request is forgotten, as the device's
    // receiver does, so a corrupted request cannot swallow the next one.
    void ResetLine() { parser_.Reset(); }
    const FrameParser& Parser() const { return parser_; }

    // What the device has seen, for tests (the log keeps the last few thousand).
    const std::vector<DeviceFrame>& Requests() const { return requests_; }
    int RequestCount(std::uint8_t command) const;
    std::size_t RepliesSent() const { return repliesSent_; }
    void ClearLog();

private:
    friend class SimSerialBackend;

    Bytes Serve(const DeviceFrame& request);
    Bytes ReadMemory(std::uint16_t address, std::uint16_t length) const;
    void WriteMemory(std::uint16_t address, const Bytes& data);

    Series series_;
    Bytes paramBlock_;
    Bytes memory_;
    std::vector<FirmwareBlock> firmware_;
    std::size_t firmwareNext_ = 0;  // where the next firmware block must start
    bool firmwarePending_ = false;  // blocks came since the last parameter-block write
    int firmwareOrderErrors_ = 0;
    int firmwareInstalls_ = 0;
    int firmwareBlocksAnswered_ = 0;
    SimFaults faults_;
    bool disconnected_ = false;
    int blocksAnswered_ = 0;
    int requestsSeen_ = 0;  // since the faults were set, for loseRequest
    Bytes lastReply_;
    bool lateReply_ = false;
    FrameParser parser_;
    std::vector<DeviceFrame> requests_;
    std::size_t repliesSent_ = 0;
    int openCount_ = 0;        // backends holding the device open
    std::uint32_t flown_ = 0;  // flights appended so far
};

}  // namespace tavix::sim
