#include "link/Frame.h"

#include <gtest/gtest.h>

#include <string>

namespace tavix {
namespace {

Bytes Hex(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

// A reply as the device would send it.
Bytes ReplyFrame(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                 const Bytes& data) {
    return BuildFrame(command, address, length, data.data(), data.size());
}

TEST(Frame, KnownAnswers) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc16(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0x4B37);
    EXPECT_EQ(Crc16(nullptr, 0), 0xFFFF);

    EXPECT_EQ(BuildRequest(kCmdReadBlock, 0x0E00, 512),
              Hex({0x03, 0x0E, 0x00, 0x02, 0x00, 0x88, 0x63}));
    EXPECT_EQ(BuildRequest(kCmdReadMemory, 0, 64), Hex({0x04, 0x00, 0x00, 0x00, 0x40, 0x30, 0xD4}));
    EXPECT_EQ(BuildRequest(kCmdWriteMemory, 31, 1, {0x00}),
              Hex({0x0E, 0x00, 0x1F, 0x00, 0x01, 0x00, 0x71, 0x07}));
}

TEST(Frame, WriteRequestCarriesItsPayloadAndCrcHighByteFirst) {
    const Bytes block(512, 0x5A);
    const Bytes frame = BuildRequest(kCmdWriteBlock, 0x0E00, 512, block);
    ASSERT_EQ(frame.size(), 519u);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 5), Hex({0x0F, 0x0E, 0x00, 0x02, 0x00}));
    const std::uint16_t crc = Crc16(frame.data(), 517);
    EXPECT_EQ(frame[517], crc >> 8);
    EXPECT_EQ(frame[518], crc & 0xFF);
}

TEST(Frame, RequestThatDoesNotCarryWhatItAnnouncesIsNotBuilt) {
    // A write announcing data it does not carry, or carrying a different amount.
    EXPECT_TRUE(BuildRequest(kCmdWriteMemory, 31, 1).empty());
    EXPECT_TRUE(BuildRequest(kCmdWriteFirmware, 0, 4, Hex({1, 2, 3})).empty());
    EXPECT_TRUE(BuildRequest(kCmdWriteBlock, 0x0E00, 512, Bytes(511, 0)).empty());
    // A read with data the device would take for the next request.
    EXPECT_TRUE(BuildRequest(kCmdReadMemory, 0, 64, Hex({1})).empty());
    // An empty firmware block is a valid (if odd) request.
    EXPECT_EQ(BuildRequest(kCmdWriteFirmware, 0, 0).size(), 7u);
}

TEST(Frame, ExpectedReplyLengths) {
    EXPECT_EQ(ExpectedReplyLength(kCmdReadBlock, 0), 519u);
    EXPECT_EQ(ExpectedReplyLength(kCmdReadMemory, 64), 71u);
    EXPECT_EQ(ExpectedReplyLength(kCmdReadMemory, 432), 439u);
    EXPECT_EQ(ExpectedReplyLength(kCmdWriteMemory, 8), 7u);
    EXPECT_EQ(ExpectedReplyLength(kCmdWriteBlock, 512), 7u);
    EXPECT_EQ(ExpectedReplyLength(kCmdWriteFirmware, 512), 7u);
    EXPECT_EQ(ExpectedReplyLength(9, 0), 1u);
}

TEST(Frame, CheckReplyAcceptsGoodRepliesOfEachCommand) {
    const Bytes block = ReplyFrame(kCmdReadBlock, 0x0E00, 512, Bytes(512, 0x31));
    EXPECT_EQ(CheckReply(kCmdReadBlock, block.data(), block.size()), kCmdReadBlock);

    const Bytes header = ReplyFrame(kCmdReadMemory, 0, 64, Bytes(64, 0x00));
    EXPECT_EQ(CheckReply(kCmdReadMemory, header.data(), header.size()), kCmdReadMemory);

    for (std::uint8_t command : {kCmdWriteMemory, kCmdWriteBlock, kCmdWriteFirmware}) {
        const Bytes ack = ReplyFrame(command, 0, 0, {});
        EXPECT_EQ(CheckReply(command, ack.data(), ack.size()), command);
    }
}

TEST(Frame, CheckReplyRefusesBadOnes) {
    Bytes block = ReplyFrame(kCmdReadBlock, 0x0E00, 512, Bytes(512, 0x31));

    // Wrong CRC.
    Bytes bad = block;
    bad[518] ^= 1;
    EXPECT_EQ(CheckReply(kCmdReadBlock, bad.data(), bad.size()), 0);
    // A good frame of another command.
    const Bytes ack = ReplyFrame(kCmdWriteBlock, 0x0E00, 512, {});
    EXPECT_EQ(CheckReply(kCmdReadBlock, ack.data(), ack.size()), 0);
    // Not all there yet.
    EXPECT_EQ(CheckReply(kCmdReadBlock, block.data(), 518), 0);
    // Stray bytes in front shift the frame: it fails.
    Bytes shifted = block;
    shifted.insert(shifted.begin(), 0xA5);
    EXPECT_EQ(CheckReply(kCmdReadBlock, shifted.data(), shifted.size()), 0);
    // No command pending, or a command without a reply frame: nothing to check against.
    EXPECT_EQ(CheckReply(0, block.data(), block.size()), 0);
    const Bytes one = Hex({0x09});
    EXPECT_EQ(CheckReply(9, one.data(), one.size()), 0);
    EXPECT_EQ(CheckReply(kCmdReadBlock, nullptr, 0), 0);
}

TEST(Frame, CheckReplyLooksOnlyAtTheExpectedLength) {
    Bytes ack = ReplyFrame(kCmdWriteBlock, 0x0E00, 512, {});
    ack.push_back(0x77);  // the start of something else
    EXPECT_EQ(CheckReply(kCmdWriteBlock, ack.data(), ack.size()), kCmdWriteBlock);
}

TEST(Frame, MemoryReplyLengthFieldMustStayWithinWhatArrivedAndTheBuffer) {
    // The length field says 64 but only the header of the reply arrived.
    const Bytes header = ReplyFrame(kCmdReadMemory, 0, 64, Bytes(64, 0x11));
    EXPECT_EQ(CheckReply(kCmdReadMemory, header.data(), 40), 0);
    EXPECT_EQ(CheckReply(kCmdReadMemory, header.data(), 4), 0);

    // A frame that fills the 1024-byte receive buffer exactly is checked...
    const Bytes largest = ReplyFrame(kCmdReadMemory, 64, 1017, Bytes(1017, 0x22));
    ASSERT_EQ(largest.size(), 1024u);
    EXPECT_EQ(CheckReply(kCmdReadMemory, largest.data(), largest.size()), kCmdReadMemory);
    // ...one byte more cannot be in that buffer, whatever arrived.
    const Bytes tooLong = ReplyFrame(kCmdReadMemory, 64, 1018, Bytes(1018, 0x22));
    EXPECT_EQ(CheckReply(kCmdReadMemory, tooLong.data(), tooLong.size()), 0);

    // A length field corrupted to a huge value.
    Bytes corrupt = header;
    corrupt[3] = 0xFF;
    EXPECT_EQ(CheckReply(kCmdReadMemory, corrupt.data(), corrupt.size()), 0);
}

TEST(Frame, OwnCommandCheckTakesByteZero) {
    const Bytes ack = ReplyFrame(kCmdWriteMemory, 16, 8, {});
    EXPECT_EQ(CheckReplyOwnCommand(ack.data(), ack.size()), kCmdWriteMemory);
    const Bytes header = ReplyFrame(kCmdReadMemory, 0, 64, Bytes(64, 0x01));
    EXPECT_EQ(CheckReplyOwnCommand(header.data(), header.size()), kCmdReadMemory);

    Bytes bad = header;
    bad[20] ^= 0x10;
    EXPECT_EQ(CheckReplyOwnCommand(bad.data(), bad.size()), 0);
    const Bytes unknown = Hex({0x83, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(CheckReplyOwnCommand(unknown.data(), unknown.size()), 0);
    EXPECT_EQ(CheckReplyOwnCommand(nullptr, 0), 0);
}

}  // namespace
}  // namespace tavix
