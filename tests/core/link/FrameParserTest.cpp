#include "link/FrameParser.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/Frame.h"

namespace tavix {
namespace {

std::vector<DeviceFrame> Drain(FrameParser& parser) {
    std::vector<DeviceFrame> frames;
    while (auto frame = parser.Next()) {
        frames.push_back(*frame);
    }
    return frames;
}

Bytes Joined(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TEST(FrameParser, RequestsComeOutTheSameWhetherFedWholeOrByteByByte) {
    const Bytes stream = Joined({
        BuildRequest(kCmdReadBlock, 0x0E00, 512),
        BuildRequest(kCmdWriteBlock, 0x0E00, 512, Bytes(512, 0x42)),
        BuildRequest(kCmdReadMemory, 64, 512),
        BuildRequest(kCmdWriteMemory, 31, 1, {0}),
        BuildRequest(kCmdWriteFirmware, 0x0200, 3, {1, 2, 3}),
    });

    FrameParser whole;
    whole.Feed(stream);
    const auto expected = Drain(whole);
    ASSERT_EQ(expected.size(), 5u);
    EXPECT_EQ(expected[1].command, kCmdWriteBlock);
    EXPECT_EQ(expected[1].data, Bytes(512, 0x42));
    EXPECT_EQ(expected[2].address, 64);
    EXPECT_EQ(expected[2].length, 512);
    EXPECT_TRUE(expected[2].data.empty());
    EXPECT_EQ(expected[4].data, (Bytes{1, 2, 3}));

    FrameParser bytewise;
    std::vector<DeviceFrame> got;
    for (std::uint8_t b : stream) {
        bytewise.Feed(&b, 1);
        for (auto& f : Drain(bytewise)) {
            got.push_back(f);
        }
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(bytewise.Buffered(), 0u);
    EXPECT_EQ(bytewise.SkippedBytes(), 0u);
}

TEST(FrameParser, ResynchronisesAfterNoiseAndBadFrames) {
    Bytes corrupt = BuildRequest(kCmdReadMemory, 0, 64);
    corrupt[6] ^= 0xFF;
    const Bytes good = BuildRequest(kCmdReadBlock, 0x0E00, 512);
    // Noise, a corrupted request, a header announcing more data than any
    // request carries, then a good request.
    const Bytes oversized = {kCmdWriteFirmware, 0x00, 0x00, 0x7F, 0xFF};
    FrameParser parser;
    parser.Feed(Joined({{0xA5, 0x00, 0xFF}, corrupt, oversized, good}));
    const auto frames = Drain(parser);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].command, kCmdReadBlock);
    EXPECT_EQ(parser.BadCrcFrames(), 1u);
    EXPECT_GE(parser.SkippedBytes(), 3u + 5u);
    EXPECT_EQ(parser.Buffered(), 0u);
}

TEST(FrameParser, WaitsForTheRestAndForgetsOnReset) {
    const Bytes request = BuildRequest(kCmdWriteBlock, 0x0E00, 512, Bytes(512, 1));
    FrameParser parser;
    parser.Feed(request.data(), 300);
    EXPECT_FALSE(parser.Next());
    EXPECT_EQ(parser.Buffered(), 300u);
    parser.Reset();
    EXPECT_EQ(parser.Buffered(), 0u);
    parser.Feed(request);
    EXPECT_TRUE(parser.Next());
}

TEST(FrameParser, RepliesCarryTheDataOfReads) {
    const Bytes block(512, 0x30);
    const Bytes memory(100, 0x07);
    const Bytes stream = Joined({
        BuildFrame(kCmdReadBlock, 0x0E00, 512, block.data(), block.size()),
        BuildFrame(kCmdReadMemory, 64, 100, memory.data(), memory.size()),
        BuildFrame(kCmdWriteBlock, 0x0E00, 512, nullptr, 0),
    });
    FrameParser parser(FrameDirection::Reply);
    parser.Feed(stream);
    const auto frames = Drain(parser);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].data, block);
    EXPECT_EQ(frames[1].data, memory);
    EXPECT_TRUE(frames[2].data.empty());
}

}  // namespace
}  // namespace tavix
