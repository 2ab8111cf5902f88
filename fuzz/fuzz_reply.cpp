// Bytes from the line as the program takes them: the request engine (the one
// path every device exchange uses) awaiting a reply while arbitrary bytes come
// in arbitrary pieces, the reply check it is built on, the frame parser in
// both directions, and the simulated device answering whatever arrives.
//
// Input: [request][piece seed][bytes on the line...]. The request byte picks
// the command awaited (and its length) and whether replies are matched by the
// awaited command or by their own; the piece seed varies how the line's bytes
// are split into receive events.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fakes/ScriptedSerial.h"
#include "link/CMSComm.h"
#include "link/DeviceRequest.h"
#include "link/Frame.h"
#include "link/FrameParser.h"
#include "shell/TimerHost.h"
#include "sim/SimDevice.h"

namespace {

using namespace tavix;

// Timers that never fire: the fuzzer looks at the replies, not the time-outs.
class StillTimers : public TimerHost {
public:
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    bool IsRunning(int) const override { return false; }
    void Post(std::function<void()> task) override { task(); }
};

struct Awaited {
    std::uint8_t command;
    std::uint16_t address;
    std::uint16_t length;
};
constexpr Awaited kAwaited[] = {
    {kCmdReadBlock, kParamBlockAddress, kParamBlockSize},
    {kCmdReadMemory, 0, 64},
    {kCmdReadMemory, 64, 512},
    {kCmdWriteMemory, 0, 8},
    {kCmdWriteBlock, kParamBlockAddress, kParamBlockSize},
    {kCmdWriteFirmware, 0, 512},
    {kCmdReadMemory, 0, 1017},
    {kCmdReadBlock, kParamBlockAddress, kParamBlockSize},
};

// Every piece of the line through the request engine, as the serial control
// delivers it. A reply it hands out must pass the reply check on its own.
void DriveRequestEngine(std::uint8_t request, std::uint8_t pieceSeed, const std::uint8_t* line,
                        std::size_t size) {
    const Awaited awaited = kAwaited[request % 8];
    const ReplyMatch match =
        (request & 8) != 0 ? ReplyMatch::OwnCommand : ReplyMatch::PendingCommand;
    auto owned = std::make_unique<test::ScriptedSerial>();
    test::ScriptedSerial* serial = owned.get();
    CMSComm comm(std::move(owned));
    comm.SetCommPort("fuzz");
    std::string error;
    if (!comm.OpenPort(error)) {
        __builtin_trap();
    }
    StillTimers timers;
    DeviceRequest engine(comm, timers, match);
    std::size_t replies = 0;
    comm.SetOnComm([&] {
        const std::optional<DeviceReply> reply = engine.OnComm();
        if (!reply) {
            return;
        }
        ++replies;
        if (match == ReplyMatch::PendingCommand && reply->command != awaited.command) {
            __builtin_trap();
        }
        const Bytes frame = BuildFrame(reply->command, reply->address, reply->length,
                                       reply->data.data(), reply->data.size());
        if (CheckReply(reply->command, frame.data(), frame.size()) != reply->command) {
            __builtin_trap();
        }
    });
    const Bytes payload = awaited.command == kCmdWriteMemory || awaited.command == kCmdWriteBlock ||
                                  awaited.command == kCmdWriteFirmware
                              ? Bytes(awaited.length, 0)
                              : Bytes();
    engine.Send(awaited.command, awaited.address, awaited.length, payload);
    for (std::size_t i = 0; i < size;) {
        const std::size_t piece = 1 + (line[i] ^ pieceSeed) % 64;
        const std::size_t n = piece < size - i ? piece : size - i;
        serial->Feed(Bytes(line + i, line + i + n));
        i += n;
    }
    // Every reply is at least a header and a CRC long, and the search for
    // them spends at most one receive buffer of CRC work per byte.
    if (replies * kFrameOverhead > size || engine.CheckedBytes() > size * kReceiveBufferSize) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // An exact-size copy of the line, so reading one byte too far is caught.
    const std::vector<std::uint8_t> reply(data + 2, data + size);
    const std::size_t lineSize = reply.size();
    const std::uint8_t* bytes = reply.empty() ? nullptr : reply.data();

    DriveRequestEngine(data[0], data[1], bytes, lineSize);

    for (int pending = 0; pending < 256; ++pending) {
        const std::uint8_t got = CheckReply(static_cast<std::uint8_t>(pending), bytes, lineSize);
        if (got != 0 && got != pending) {
            __builtin_trap();
        }
    }
    const std::uint8_t own = CheckReplyOwnCommand(bytes, lineSize);
    if (own != 0 && (lineSize == 0 || own != reply[0])) {
        __builtin_trap();
    }

    // Piece sizes come from the data itself, so splitting is fuzzed too.
    for (FrameDirection direction : {FrameDirection::Request, FrameDirection::Reply}) {
        FrameParser parser(direction);
        std::size_t frames = 0;
        for (std::size_t i = 0; i < lineSize;) {
            const std::size_t piece = 1 + reply[i] % 64;
            const std::size_t n = piece < lineSize - i ? piece : lineSize - i;
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
        if (frames * kFrameOverhead > lineSize) {
            __builtin_trap();
        }
    }

    // Copied from one prototype: generating the logger memory every run would be slow.
    static const sim::SimDevice prototype(sim::Series::Tarrow);
    sim::SimDevice device = prototype;
    for (const Bytes& out : device.Receive(bytes, lineSize)) {
        // Whatever the device answers is a frame that passes its own check,
        // as long as it fits a receive buffer.
        if (out.size() <= kReceiveBufferSize && CheckReplyOwnCommand(out.data(), out.size()) == 0) {
            __builtin_trap();
        }
    }
    return 0;
}
