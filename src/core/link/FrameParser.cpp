#include "link/FrameParser.h"

#include "link/Frame.h"

namespace tavix {

namespace {
constexpr std::size_t kParsedHeaderSize = 5;

std::uint16_t HeaderWord(const std::uint8_t* at) {
    return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}
}  // namespace

FrameParser::FrameParser(FrameDirection direction, std::size_t maxData)
    : direction_(direction), maxData_(maxData) {}

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
        const FrameAt at = CheckFrame(p, available, direction_, maxData_);
        if (at.check == FrameCheck::Incomplete) {
            return std::nullopt;
        }
        if (at.check != FrameCheck::Whole) {
            ++(at.check == FrameCheck::BadCrc ? badCrc_ : skipped_);
            Skip(1);
            continue;
        }
        const std::size_t total = at.size;
        DeviceFrame frame;
        frame.command = p[0];
        frame.address = HeaderWord(p + 1);
        frame.length = HeaderWord(p + 3);
        frame.data.assign(p + kParsedHeaderSize, p + total - 2);
        Skip(total);
        return frame;
    }
}

}  // namespace tavix
