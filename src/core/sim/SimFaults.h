#pragma once
// Faults the simulated device can show, switchable at any time, and the plan
// of when each byte of a reply reaches the host.

#include <cstdint>
#include <vector>

#include "link/SerialBackend.h"

namespace tavix::sim {

// 9600 baud with 8N1 framing moves 960 bytes a second.
inline constexpr int kLineBytesPerSecond = 960;
// Time between the pieces of a split reply when the line is not paced.
inline constexpr std::int64_t kPieceGapUs = 1000;
// When paced and not split otherwise, a reply arrives in chunks of this many
// bytes, as a USB serial adapter hands them over.
inline constexpr std::size_t kPacedChunk = 16;
// How late a lost request's stand-in reply (the previous reply sent again) comes.
inline constexpr int kLateReplyMs = 400;
// The line noise put in front of a reply.
inline constexpr std::uint8_t kStrayByte = 0xA5;

struct SimFaults {
    bool silent = false;        // never answer
    bool badCrc = false;        // the reply's CRC is wrong
    bool wrongCommand = false;  // the reply's command byte is wrong (its CRC matches it)
    int pieces = 0;             // split each reply into this many pieces (0 or 1: whole)
    bool byteByByte = false;    // hand over each reply byte on its own
    int strayBytes = 0;         // this many noise bytes in front of each reply
    int delayMs = 0;            // wait this long before the first byte of a reply
    // Stop answering (as if unplugged) after this many record blocks (command-4
    // reads of address 64 or above) have been answered; -1: never.
    int disconnectAfterBlocks = -1;
    // Stop answering (as if unplugged in the middle of a firmware download)
    // after this many firmware blocks (command 16) have been answered; -1: never.
    int disconnectAfterFirmwareBlocks = -1;
    bool pace = false;  // 960 bytes/s both ways, like a 9600-baud line
    // Acknowledge a parameter block write but keep the old block, as an ESC
    // whose flash write failed does.
    bool keepParamBlock = false;
    // Lose the request with this number (1 = the first one after the faults
    // were set; 0: none): the device never sees it, and the reply it sent to
    // the request before comes again kLateReplyMs late, as a line that drops a
    // frame and repeats an old one does.
    int loseRequest = 0;

    bool operator==(const SimFaults&) const = default;
};

struct TimedChunk {
    std::int64_t atUs = 0;  // after the request's last byte left the host
    Bytes bytes;
};

// When each part of `reply` arrives: the request first crosses the line (when
// paced), then the delay, then the reply in its pieces. Chunks are in time
// order and together hold exactly the reply's bytes.
std::vector<TimedChunk> PlanDelivery(const Bytes& reply, std::size_t requestSize,
                                     const SimFaults& faults);

}  // namespace tavix::sim
