#pragma once
// The device frame, the same in both directions:
//   [command][address hi][address lo][length hi][length lo][data ...][crc hi][crc lo]
// The CRC is CRC-16/MODBUS (init 0xFFFF, reflected poly 0xA001, no final xor)
// over every byte before it, sent high byte first (unlike Modbus).

#include <cstddef>
#include <cstdint>

#include "link/SerialBackend.h"

namespace tavix {

// Command codes the device understands.
enum DeviceCommand : std::uint8_t {
    kCmdReadBlock = 3,     // read the 512-byte block at 0x0E00 (identification, ESC parameters)
    kCmdReadMemory = 4,    // read logger memory
    kCmdWriteMemory = 14,  // write logger memory
    kCmdWriteBlock = 15,   // write the ESC parameter block
    kCmdWriteFirmware = 16,
};

inline constexpr std::uint16_t kParamBlockAddress = 0x0E00;
inline constexpr std::uint16_t kParamBlockSize = 512;
// Where the device keeps its 16-character version string inside that block.
inline constexpr std::size_t kBlockVersionOffset = 256;
inline constexpr std::size_t kBlockVersionSize = 16;
inline constexpr std::size_t kFrameOverhead = 7;  // header 5 + CRC 2
inline constexpr std::size_t kReceiveBufferSize = 1024;

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size);

// Builds a frame without any check: [command][address][length][payload][crc].
// The simulator uses it for replies; the program sends requests through BuildRequest.
Bytes BuildFrame(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                 const std::uint8_t* payload, std::size_t payloadSize);

// Builds a request frame. The payload travels with the request, so a request
// that announces data it does not carry cannot be built: a write (14, 15, 16)
// whose payload size differs from `length`, or a read (3, 4) with a payload,
// gives an empty frame, which CMSComm::Output refuses to send.
Bytes BuildRequest(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                   const Bytes& payload = {});

// Number of data bytes that follow the 5-byte header of a request: the writes
// (14, 15, 16) carry `length` bytes, every other command none.
std::size_t RequestDataLength(std::uint8_t command, std::uint16_t length);
// Number of data bytes that follow the header of a reply: 3 -> 512, 4 -> `length`,
// every other command none.
std::size_t ReplyDataLength(std::uint8_t command, std::uint16_t length);

// Number of reply bytes to wait for after sending `command` with `length`:
// 3 -> 519, 4 -> length + 7, 14/15/16 -> 7, any other -> 1.
std::size_t ExpectedReplyLength(std::uint8_t command, std::uint16_t length);

// Which way a frame travels: it decides which commands carry data (a request:
// the writes 14, 15, 16; a reply: the reads 3 and 4).
enum class FrameDirection { Request, Reply };

// The data a reply may carry and still fit the receive buffer.
inline constexpr std::size_t kMaxReplyData = kReceiveBufferSize - kFrameOverhead;

// What the bytes at one position hold.
enum class FrameCheck {
    Whole,       // a frame with a good CRC, `size` bytes long
    Incomplete,  // a frame may start here; `size` is its length once the header is in, else 0
    NoFrame,     // no frame starts here: an unknown command, or more data than `maxData`
    BadCrc,      // a frame's length of bytes is here, but its CRC does not match
};
struct FrameAt {
    FrameCheck check = FrameCheck::NoFrame;
    std::size_t size = 0;
};

// The one rule for recognising a frame: the command at `bytes[0]` must be one
// the device knows, the header gives the data length for `direction` (at most
// `maxData`), and the CRC over all but the last two bytes of that length must
// match them. Bytes past the frame are not looked at. A frame whose bytes have
// not all arrived costs no CRC, so a caller that keeps the position and asks
// again once `size` bytes are there examines each byte a bounded number of times.
// The frame parser, the reply checks below and the request engine's search
// for a reply behind noise are all built on it.
FrameAt CheckFrame(const std::uint8_t* bytes, std::size_t available, FrameDirection direction,
                   std::size_t maxData);

// Whether `command` can start a frame at all.
bool IsFrameCommand(std::uint8_t command);

// The reply check: takes the expected length for `pending` (for command 4 from
// the reply's own length field), recomputes the CRC over all but the last two
// bytes of that length and compares it with them. Returns `pending` when the
// CRC matches and byte 0 equals `pending`, else 0. A reply shorter than its
// expected length, or whose length field reaches past the receive buffer,
// fails the check.
// An expected length too short to hold a header and a CRC (1, for an unknown
// command) fails too.
std::uint8_t CheckReply(std::uint8_t pending, const std::uint8_t* reply, std::size_t received);

// The check of the logger page: the reply's own byte 0 is taken as the command,
// so only the CRC (over the length that command implies) decides. Returns that
// command, or 0.
std::uint8_t CheckReplyOwnCommand(const std::uint8_t* reply, std::size_t received);

}  // namespace tavix
