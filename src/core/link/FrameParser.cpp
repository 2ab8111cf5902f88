#include "link/FrameParser.h"

#include "link/Frame.h"

namespace tavix {

namespace {
constexpr std::size_t kHeaderSize = 5;
}  // namespace

FrameParser::FrameParser(FrameDirection direction, std::size_t maxData)
    : direction_(direction), maxData_(maxData) {}

bool FrameParser::IsKnownCommand(std::uint8_t command) {
    return command == kCmdReadBlock || command == kCmdReadMemory || command == kCmdWriteMemory ||
           command == kCmdWriteBlock || command == kCmdWriteFirmware;
}

void FrameParser::Feed(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    // Drop what has been consumed before the buffer grows again.
    if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), data, data + size);
}

void FrameParser::Reset() {
    buffer_.clear();
    start_ = 0;
}

void FrameParser::Skip(std::size_t count) {
    start_ += count;
    if (start_ >= buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
}

std::optional<DeviceFrame> FrameParser::Next() {
    for (;;) {
        const std::size_t available = buffer_.size() - start_;
        if (available == 0) {
            return std::nullopt;
        }
        const std::uint8_t* p = buffer_.data() + start_;
        if (!IsKnownCommand(p[0])) {
            ++skipped_;
            Skip(1);
            continue;
        }
        if (available < kHeaderSize) {
            return std::nullopt;
        }
        const auto address = static_cast<std::uint16_t>((p[1] << 8) | p[2]);
        const auto length = static_cast<std::uint16_t>((p[3] << 8) | p[4]);
        const std::size_t dataSize = direction_ == FrameDirection::Request
                                         ? RequestDataLength(p[0], length)
                                         : ReplyDataLength(p[0], length);
        if (dataSize > maxData_) {
            ++skipped_;
            Skip(1);
            continue;
        }
        const std::size_t total = kHeaderSize + dataSize + 2;
        if (available < total) {
            return std::nullopt;
        }
        const std::uint16_t crc = Crc16(p, total - 2);
        const auto sent = static_cast<std::uint16_t>((p[total - 2] << 8) | p[total - 1]);
        if (crc != sent) {
            ++badCrc_;
            Skip(1);
            continue;
        }
        DeviceFrame frame;
        frame.command = p[0];
        frame.address = address;
        frame.length = length;
        frame.data.assign(p + kHeaderSize, p + kHeaderSize + dataSize);
        Skip(total);
        return frame;
    }
}

}  // namespace tavix
