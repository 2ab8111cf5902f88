#pragma once
// Cuts a byte stream into device frames, with no port, no timer and no
// callback inside: bytes go in with Feed, whole frames come out of Next.
//
// The header tells how many data bytes follow: a request carries data only for
// the writes (14, 15, 16), a reply only for the reads (3: 512 bytes, 4: the
// length field). Resynchronisation: a byte that cannot start a frame (an
// unknown command code, or a header announcing more data than `maxData`) is
// skipped, and so is the first byte of a frame whose CRC does not match, after
// which the scan starts again at the next byte. Line noise in front of a frame
// therefore costs only the noise itself.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "link/Frame.h"
#include "link/SerialBackend.h"

namespace tavix {

struct DeviceFrame {
    std::uint8_t command = 0;
    std::uint16_t address = 0;
    std::uint16_t length = 0;
    Bytes data;  // the bytes between the header and the CRC

    bool operator==(const DeviceFrame&) const = default;
};

class FrameParser {
public:
    explicit FrameParser(FrameDirection direction = FrameDirection::Request,
                         std::size_t maxData = 1024);

    void Feed(const std::uint8_t* data, std::size_t size);
    void Feed(const Bytes& bytes) { Feed(bytes.data(), bytes.size()); }

    // The next complete frame with a good CRC, or nothing while more bytes are needed.
    std::optional<DeviceFrame> Next();

    // Forgets every byte received so far (a new connection).
    void Reset();

    // Bytes waiting for the rest of their frame.
    std::size_t Buffered() const { return buffer_.size() - start_; }
    // Bytes skipped while looking for a frame start, and frames refused for their CRC.
    std::size_t SkippedBytes() const { return skipped_; }
    std::size_t BadCrcFrames() const { return badCrc_; }

private:
    void Skip(std::size_t count);

    FrameDirection direction_;
    std::size_t maxData_;
    Bytes buffer_;
    std::size_t start_ = 0;
    std::size_t skipped_ = 0;
    std::size_t badCrc_ = 0;
};

}  // namespace tavix
