// Reply frames and request streams from the line: the reply check for every
// command that can be pending, the logger page's own-command check, the frame
// parser in both directions fed in arbitrary pieces, and the simulated device
// answering whatever arrives.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/Frame.h"
#include "link/FrameParser.h"
#include "sim/SimDevice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavix;
    // An exact-size copy, so reading one byte too far is caught.
    const std::vector<std::uint8_t> reply(data, data + size);
    const std::uint8_t* bytes = reply.empty() ? nullptr : reply.data();

    for (int pending = 0; pending < 256; ++pending) {
        const std::uint8_t got = CheckReply(static_cast<std::uint8_t>(pending), bytes, size);
        if (got != 0 && got != pending) {
            __builtin_trap();
        }
    }
    const std::uint8_t own = CheckReplyOwnCommand(bytes, size);
    if (own != 0 && (size == 0 || own != reply[0])) {
        __builtin_trap();
    }

    // Piece sizes come from the data itself, so splitting is fuzzed too.
    for (FrameDirection direction : {FrameDirection::Request, FrameDirection::Reply}) {
        FrameParser parser(direction);
        std::size_t frames = 0;
        for (std::size_t i = 0; i < size;) {
            const std::size_t piece = 1 + reply[i] % 64;
            const std::size_t n = piece < size - i ? piece : size - i;
            parser.Feed(reply.data() + i, n);
            i += n;
            while (auto frame = parser.Next()) {
                const std::size_t expected = direction == FrameDirection::Request
                                                 ? RequestDataLength(frame->command, frame->length)
                                                 : ReplyDataLength(frame->command, frame->length);
                if (frame->data.size() != expected) {
                    __builtin_trap();
                }
                ++frames;
            }
        }
        if (frames * kFrameOverhead > size) {
            __builtin_trap();
        }
    }

    // Copied from one prototype: generating the logger memory every run would be slow.
    static const sim::SimDevice prototype(sim::Series::Tarrow);
    sim::SimDevice device = prototype;
    for (const Bytes& out : device.Receive(bytes, size)) {
        // Whatever the device answers is a frame that passes its own check,
        // as long as it fits a receive buffer.
        if (out.size() <= kReceiveBufferSize && CheckReplyOwnCommand(out.data(), out.size()) == 0) {
            __builtin_trap();
        }
    }
    return 0;
}
