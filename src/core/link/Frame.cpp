#include "link/Frame.h"

#include <array>

namespace tavix {

namespace {

bool IsWriteCommand(std::uint8_t command) {
    return command == kCmdWriteMemory || command == kCmdWriteBlock || command == kCmdWriteFirmware;
}

bool IsReadCommand(std::uint8_t command) {
    return command == kCmdReadBlock || command == kCmdReadMemory;
}

constexpr std::size_t kHeaderSize = 5;

std::uint16_t Word(const std::uint8_t* at) {
    return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}

}  // namespace

// The CRC of each byte value, so a byte costs one lookup instead of eight
// shifts: the search for a reply behind noise runs one CRC per received byte.
constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (std::uint32_t value = 0; value < 256; ++value) {
        auto crc = static_cast<std::uint16_t>(value);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                                 : static_cast<std::uint16_t>(crc >> 1);
        }
        table[value] = crc;
    }
    return table;
}
constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    }
    return crc;
}

Bytes BuildFrame(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                 const std::uint8_t* payload, std::size_t payloadSize) {
    Bytes frame;
    frame.reserve(kFrameOverhead + payloadSize);
    frame.push_back(command);
    frame.push_back(static_cast<std::uint8_t>(address >> 8));
    frame.push_back(static_cast<std::uint8_t>(address & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(length >> 8));
    frame.push_back(static_cast<std::uint8_t>(length & 0xFF));
    if (payloadSize > 0) {
        frame.insert(frame.end(), payload, payload + payloadSize);
    }
    const std::uint16_t crc = Crc16(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return frame;
}

Bytes BuildRequest(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                   const Bytes& payload) {
    if (IsWriteCommand(command) && payload.size() != length) {
        return {};
    }
    if (IsReadCommand(command) && !payload.empty()) {
        return {};
    }
    return BuildFrame(command, address, length, payload.data(), payload.size());
}

std::size_t RequestDataLength(std::uint8_t command, std::uint16_t length) {
    return IsWriteCommand(command) ? length : 0;
}

std::size_t ReplyDataLength(std::uint8_t command, std::uint16_t length) {
    switch (command) {
        case kCmdReadBlock:
            return kParamBlockSize;
        case kCmdReadMemory:
            return length;
        default:
            return 0;
    }
}

std::size_t ExpectedReplyLength(std::uint8_t command, std::uint16_t length) {
    switch (command) {
        case kCmdReadBlock:
            return kParamBlockSize + kFrameOverhead;
        case kCmdReadMemory:
            return static_cast<std::size_t>(length) + kFrameOverhead;
        case kCmdWriteMemory:
        case kCmdWriteBlock:
        case kCmdWriteFirmware:
            return kFrameOverhead;
        default:
            return 1;
    }
}

bool IsFrameCommand(std::uint8_t command) {
    return IsReadCommand(command) || IsWriteCommand(command);
}

FrameAt CheckFrame(const std::uint8_t* bytes, std::size_t available, FrameDirection direction,
                   std::size_t maxData) {
    if (bytes == nullptr || available == 0) {
        return {FrameCheck::Incomplete, 0};
    }
    if (!IsFrameCommand(bytes[0])) {
        return {FrameCheck::NoFrame, 0};
    }
    if (available < kHeaderSize) {
        return {FrameCheck::Incomplete, 0};
    }
    const std::uint16_t length = Word(bytes + 3);
    const std::size_t data = direction == FrameDirection::Request
                                 ? RequestDataLength(bytes[0], length)
                                 : ReplyDataLength(bytes[0], length);
    if (data > maxData) {
        return {FrameCheck::NoFrame, 0};
    }
    const std::size_t size = kHeaderSize + data + 2;
    if (available < size) {
        return {FrameCheck::Incomplete, size};
    }
    const bool good = Crc16(bytes, size - 2) == Word(bytes + size - 2);
    return {good ? FrameCheck::Whole : FrameCheck::BadCrc, size};
}

std::uint8_t CheckReply(std::uint8_t pending, const std::uint8_t* reply, std::size_t received) {
    // A reply must name the command awaited, must have arrived whole, and must
    // fit the receive buffer it was copied into.
    if (pending == 0 || reply == nullptr || received == 0 || reply[0] != pending) {
        return 0;
    }
    const FrameAt frame = CheckFrame(reply, received, FrameDirection::Reply, kMaxReplyData);
    return frame.check == FrameCheck::Whole ? pending : 0;
}

std::uint8_t CheckReplyOwnCommand(const std::uint8_t* reply, std::size_t received) {
    if (reply == nullptr || received == 0) {
        return 0;
    }
    return CheckReply(reply[0], reply, received);
}

}  // namespace tavix
