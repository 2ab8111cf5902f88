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
inline constexpr std::size_t kFrameOverhead = 7;       // header 5 + CRC 2
inline constexpr std::size_t kReceiveBufferSize = 1024;

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size);

// Builds a request frame. `payload` may be empty.
Bytes BuildRequest(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                   const Bytes& payload = {});

// Number of reply bytes to wait for after sending `command` with `length`:
// 3 -> 519, 4 -> length + 7, 14/15/16 -> 7, any other -> 1.
std::size_t ExpectedReplyLength(std::uint8_t command, std::uint16_t length);

// The reply check: takes the expected length for `pending` (for command 4 from
// the reply's own length field), recomputes the CRC over all but the last two
// bytes of that length and compares it with them. Returns `pending` when the
// CRC matches and byte 0 equals `pending`, else 0. A reply shorter than its
// expected length, or whose length field reaches past the receive buffer,
// fails the check.
std::uint8_t CheckReply(std::uint8_t pending, const std::uint8_t* reply, std::size_t received);

}  // namespace tavix
