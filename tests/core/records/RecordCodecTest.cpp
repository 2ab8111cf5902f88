// The record file's byte layout: each part at the offsets stored files have.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "core/records/RecordTestData.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"

namespace tavix {
namespace {

std::uint32_t U32At(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<std::uint8_t>(s[at + i]);
    }
    return v;
}

TEST(RecordCodec, PartsHaveTheirFileSizes) {
    auto record = test::MakeRecord(5, 10);
    std::string out;
    Encode(record->header, out);
    EXPECT_EQ(out.size(), 816u);
    Encode(record->logger, out);
    EXPECT_EQ(out.size(), 816u + 52u);
    Encode(record->ranges, out);
    EXPECT_EQ(out.size(), 932u);
    Encode(record->channels[0], out);
    EXPECT_EQ(out.size(), 932u + 88u);
}

TEST(RecordCodec, HeaderFieldsSitAtTheirOffsetsLittleEndian) {
    auto record = test::MakeRecord(5, 300);
    std::string h;
    Encode(record->header, h);
    EXPECT_EQ(static_cast<std::uint8_t>(h[0]), 0xC0);  // 1394193600 = 0x531997C0
    EXPECT_EQ(U32At(h, 0), 1394193600u);
    EXPECT_EQ(static_cast<std::uint8_t>(h[8]), 0x08);  // time B low byte first
    EXPECT_EQ(static_cast<std::uint8_t>(h[15]), 0x01);
    EXPECT_EQ(U32At(h, 16), 300u);
    EXPECT_EQ(U32At(h, 20), 5u);
    EXPECT_EQ(static_cast<std::uint8_t>(h[24]), 5);
    EXPECT_EQ(static_cast<std::uint8_t>(h[25]), 0xA1);  // padding carried
    EXPECT_EQ(U32At(h, 28), std::bit_cast<std::uint32_t>(2.5f));
    EXPECT_EQ(U32At(h, 32), 14u);
    EXPECT_EQ(h.substr(36, 17), std::string("TVKA20141L400312\0", 17));
    EXPECT_EQ(h.substr(291, 5), std::string("1L40\0", 5));
    EXPECT_EQ(h.substr(296, 23), "first flight of the day");
    EXPECT_EQ(static_cast<std::uint8_t>(h[296 + 515]), 0x5A);
    EXPECT_EQ(U32At(h, 812), 3u);
}

TEST(RecordCodec, LoggerBlockAndChannelInfoFieldsSitAtTheirOffsets) {
    auto record = test::MakeRecord(5, 10);
    std::string b;
    Encode(record->logger, b);
    EXPECT_EQ(static_cast<std::uint8_t>(b[0]), 0xFF);  // last address 0x1FFF, low byte first
    EXPECT_EQ(static_cast<std::uint8_t>(b[1]), 0x1F);
    EXPECT_EQ(static_cast<std::uint8_t>(b[2]), 64);
    EXPECT_EQ(U32At(b, 4), 5u);
    EXPECT_EQ(static_cast<std::uint8_t>(b[8]), 1);
    EXPECT_EQ(U32At(b, 12), 5u);
    EXPECT_EQ(static_cast<std::uint8_t>(b[16]), 2);
    // End addresses stay as the logger sent them, high byte first.
    EXPECT_EQ(static_cast<std::uint8_t>(b[17]), 0x10);
    EXPECT_EQ(static_cast<std::uint8_t>(b[48]), 0x2F);
    EXPECT_EQ(static_cast<std::uint8_t>(b[49]), 7);

    std::string c;
    Encode(record->channels[2], c);
    EXPECT_EQ(c.substr(0, 9), "Channel 2");
    EXPECT_EQ(c.substr(30, 2), " 2");
    EXPECT_EQ(U32At(c, 60), 1002u);
    EXPECT_EQ(static_cast<std::int32_t>(U32At(c, 64)), -2);
    EXPECT_EQ(U32At(c, 68), 62u);
    EXPECT_EQ(U32At(c, 72), 368u);
    EXPECT_EQ(U32At(c, 76), 0x00FF0000u >> 2);
    EXPECT_EQ(U32At(c, 80), 3u);
    EXPECT_EQ(static_cast<std::uint8_t>(c[84]), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(c[85]), 0xC0);
}

TEST(RecordCodec, EveryPartDecodesToWhatWasEncoded) {
    auto record = test::MakeRecord(8, 1);
    std::string bytes;
    Encode(record->header, bytes);
    Encode(record->logger, bytes);
    Encode(record->ranges, bytes);
    Encode(record->channels[5], bytes);
    std::string again;
    Encode(DecodeHeader(bytes), again);
    Encode(DecodeLoggerBlock(std::string_view(bytes).substr(816)), again);
    Encode(DecodeAxisRanges(std::string_view(bytes).substr(868)), again);
    Encode(DecodeChannelInfo(std::string_view(bytes).substr(932)), again);
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(DecodeAxisRanges(std::string_view(bytes).substr(868))[7].max, 802.0f);
}

TEST(RecordCodec, FileSizeFollowsChannelsAndSamples) {
    EXPECT_EQ(RecordFileSize(5, 16384), 329052u);
    auto record = test::MakeRecord(5, kMaxSamples);
    EXPECT_EQ(EncodeRecordFile(*record).size(), 329052u);
    record->header.channels = 3;
    record->header.samples = 100;
    const std::string bytes = EncodeRecordFile(*record);
    ASSERT_EQ(bytes.size(), 932u + 3u * (88u + 400u));
    // Channel 1's first sample follows channel 0's samples and channel 1's info.
    EXPECT_EQ(static_cast<std::int32_t>(U32At(bytes, 932 + 488 + 88)), record->raw[1][0]);
}

}  // namespace
}  // namespace tavix
