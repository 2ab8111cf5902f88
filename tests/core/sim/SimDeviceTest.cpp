#include "sim/SimDevice.h"

#include <gtest/gtest.h>

#include "link/Frame.h"

namespace tavix::sim {
namespace {

DeviceFrame Request(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                    Bytes data = {}) {
    return DeviceFrame{command, address, length, std::move(data)};
}

TEST(SimDevice, OneProfilePerSeries) {
    struct Expect {
        Series series;
        const char* version;
        const char* hw;
        const char* kind;
        bool logger;
    };
    for (const Expect& e : {Expect{Series::Tarrow, "TVKA20141L400312", "1L40", "KA", true},
                            Expect{Series::Velmor, "TVKB20140V200312", "0V20", "KB", false},
                            Expect{Series::Ostrin, "TVKC20140C300312", "0C30", "KC", false},
                            Expect{Series::Peldan, "TVZA20140P100312", "0P10", "ZA", false}}) {
        const DeviceProfile& p = ProfileFor(e.series);
        const std::string version = p.version;
        EXPECT_EQ(version, e.version);
        EXPECT_EQ(version.substr(8, 4), e.hw);
        EXPECT_EQ(std::string(p.hardwareCode), e.hw);
        EXPECT_EQ(version.substr(2, 2), e.kind);
        EXPECT_EQ(p.hasLogger, e.logger);
        EXPECT_EQ(p.hasLogger, version[8] == '1');
        EXPECT_EQ(SeriesFromName(p.name), e.series);

        SimDevice device(e.series);
        EXPECT_EQ(device.Version(), e.version);
        EXPECT_EQ(device.HasLogger(), e.logger);
    }
    EXPECT_EQ(SeriesFromName("Ostrin"), Series::Ostrin);
    EXPECT_FALSE(SeriesFromName("ostrich"));
}

TEST(SimDevice, FactoryBlocksHoldTheSeriesDefaults) {
    const Bytes tarrow = DefaultParamBlock(Series::Tarrow);
    ASSERT_EQ(tarrow.size(), 512u);
    EXPECT_EQ(tarrow[0], 0xFF);
    EXPECT_EQ(tarrow[1], 1);   // LVC 5.0V
    EXPECT_EQ(tarrow[4], 3);   // timing Auto
    EXPECT_EQ(tarrow[9], 80);  // 640 us throttle range
    const Bytes ostrin = DefaultParamBlock(Series::Ostrin);
    // Throttle calibration low byte first: reverse < neutral < forward.
    const int r = ostrin[128] | (ostrin[129] << 8);
    const int n = ostrin[130] | (ostrin[131] << 8);
    const int f = ostrin[132] | (ostrin[133] << 8);
    EXPECT_LT(r, n);
    EXPECT_LT(n, f);
    EXPECT_EQ(DefaultParamBlock(Series::Peldan)[1], 4);  // 4 cells
    EXPECT_EQ(std::string(ostrin.begin() + 256, ostrin.begin() + 272), kOstrinVersion);
}

TEST(SimDevice, AnswersTheIdentificationWithItsBlock) {
    SimDevice device(Series::Velmor);
    const Bytes reply = device.Answer(Request(kCmdReadBlock, 0x0E00, 512));
    ASSERT_EQ(reply.size(), 519u);
    EXPECT_EQ(CheckReply(kCmdReadBlock, reply.data(), reply.size()), kCmdReadBlock);
    EXPECT_EQ(std::string(reply.begin() + 261, reply.begin() + 277), kVelmorVersion);
    EXPECT_EQ(Bytes(reply.begin() + 5, reply.begin() + 517), device.ParamBlock());

    // Anything but the block address and size goes unanswered.
    EXPECT_TRUE(device.Answer(Request(kCmdReadBlock, 0x0F00, 512)).empty());
    EXPECT_TRUE(device.Answer(Request(kCmdReadBlock, 0x0E00, 16)).empty());
    EXPECT_EQ(device.RequestCount(kCmdReadBlock), 3);
}

TEST(SimDevice, ServesAndWritesLoggerMemory) {
    SimDevice device(Series::Tarrow);
    const Bytes memory = device.Memory();

    const Bytes header = device.Answer(Request(kCmdReadMemory, 0, 64));
    ASSERT_EQ(CheckReply(kCmdReadMemory, header.data(), header.size()), kCmdReadMemory);
    EXPECT_EQ(Bytes(header.begin() + 5, header.end() - 2),
              Bytes(memory.begin(), memory.begin() + 64));

    const Bytes block = device.Answer(Request(kCmdReadMemory, 64 + 512, 512));
    ASSERT_EQ(block.size(), 519u);
    EXPECT_EQ(Bytes(block.begin() + 5, block.end() - 2),
              Bytes(memory.begin() + 576, memory.begin() + 1088));

    // Past the physical memory the address space reads as erased flash.
    const std::uint16_t end = static_cast<std::uint16_t>(memory.size());
    const Bytes beyond = device.Answer(Request(kCmdReadMemory, end - 2, 4));
    EXPECT_EQ(Bytes(beyond.begin() + 5, beyond.end() - 2),
              (Bytes{memory[end - 2], memory[end - 1], 0xFF, 0xFF}));

    // Clearing sets the flight count to 0 and is acknowledged with 7 bytes.
    const Bytes ack = device.Answer(Request(kCmdWriteMemory, 31, 1, {0}));
    ASSERT_EQ(ack.size(), 7u);
    EXPECT_EQ(CheckReply(kCmdWriteMemory, ack.data(), ack.size()), kCmdWriteMemory);
    EXPECT_EQ(device.Memory()[31], 0);
    // The logger page's parameters go to offsets 16-23.
    device.Answer(
        Request(kCmdWriteMemory, 16, 8, {0x80, 0x00, 0x00, 0x40, 0x01, 0x00, 0x03, 0x00}));
    EXPECT_EQ(Bytes(device.Memory().begin() + 16, device.Memory().begin() + 24),
              (Bytes{0x80, 0x00, 0x00, 0x40, 0x01, 0x00, 0x03, 0x00}));
}

TEST(SimDevice, EscWithoutLoggerIgnoresLoggerCommands) {
    SimDevice device(Series::Peldan);
    EXPECT_TRUE(device.Answer(Request(kCmdReadMemory, 0, 64)).empty());
    EXPECT_TRUE(device.Answer(Request(kCmdWriteMemory, 31, 1, {0})).empty());
    EXPECT_FALSE(device.Answer(Request(kCmdReadBlock, 0x0E00, 512)).empty());
}

TEST(SimDevice, ParameterWriteReplacesTheBlockAndVersion) {
    SimDevice device(Series::Tarrow);
    Bytes block(512, 0);
    block[0] = 0xFF;
    block[3] = 2;
    const std::string version = "TVKA20141L400400";
    std::copy(version.begin(), version.end(), block.begin() + 256);
    const Bytes ack = device.Answer(Request(kCmdWriteBlock, 0x0E00, 512, block));
    EXPECT_EQ(CheckReply(kCmdWriteBlock, ack.data(), ack.size()), kCmdWriteBlock);
    EXPECT_EQ(device.ParamBlock(), block);
    EXPECT_EQ(device.Version(), version);

    // An ESC whose flash write fails still acknowledges, and keeps its block.
    device.MutableFaults().keepParamBlock = true;
    Bytes other = block;
    other[3] = 1;
    EXPECT_FALSE(device.Answer(Request(kCmdWriteBlock, 0x0E00, 512, other)).empty());
    EXPECT_EQ(device.ParamBlock(), block);
}

TEST(SimDevice, KeepsTheFirmwareItReceives) {
    SimDevice device(Series::Ostrin);
    const Bytes a(512, 0xAB);
    const Bytes b = {1, 2, 3};
    const Bytes ack = device.Answer(Request(kCmdWriteFirmware, 0, 512, a));
    EXPECT_EQ(CheckReply(kCmdWriteFirmware, ack.data(), ack.size()), kCmdWriteFirmware);
    device.Answer(Request(kCmdWriteFirmware, 512, 3, b));
    ASSERT_EQ(device.FirmwareBlocks().size(), 2u);
    EXPECT_EQ(device.FirmwareBlocks()[1].address, 512);
    Bytes image = a;
    image.insert(image.end(), b.begin(), b.end());
    EXPECT_EQ(device.FirmwareImage(), image);
    device.ClearFirmware();
    EXPECT_TRUE(device.FirmwareImage().empty());
}

TEST(SimDevice, FirmwareReceiverTakesBlocksOnlyInOrder) {
    SimDevice device(Series::Ostrin);
    EXPECT_FALSE(device.Answer(Request(kCmdWriteFirmware, 0, 4, Bytes(4, 1))).empty());
    // A gap, and a block sent twice, are refused without a reply.
    EXPECT_TRUE(device.Answer(Request(kCmdWriteFirmware, 8, 4, Bytes(4, 2))).empty());
    EXPECT_TRUE(device.Answer(Request(kCmdWriteFirmware, 0x0000 + 2, 2, Bytes(2, 2))).empty());
    EXPECT_EQ(device.FirmwareOrderErrors(), 2);
    EXPECT_FALSE(device.Answer(Request(kCmdWriteFirmware, 4, 4, Bytes(4, 3))).empty());
    EXPECT_EQ(device.FirmwareImage(), (Bytes{1, 1, 1, 1, 3, 3, 3, 3}));

    // The block write that follows installs it, with the version it carries.
    Bytes block = device.ParamBlock();
    const std::string version = "NEWFIRMWARE-0001";
    std::copy(version.begin(), version.end(), block.begin() + kBlockVersionOffset);
    EXPECT_FALSE(device.Answer(Request(kCmdWriteBlock, 0x0E00, 512, block)).empty());
    EXPECT_EQ(device.FirmwareInstalls(), 1);
    EXPECT_EQ(device.Version(), version);

    // Address 0 starts a new image.
    EXPECT_FALSE(device.Answer(Request(kCmdWriteFirmware, 0, 1, Bytes{9})).empty());
    EXPECT_EQ(device.FirmwareImage(), Bytes{9});
}

TEST(SimDevice, DisconnectsInTheMiddleOfAFirmwareDownload) {
    SimDevice device(Series::Ostrin);
    SimFaults faults;
    faults.disconnectAfterFirmwareBlocks = 1;
    device.SetFaults(faults);
    EXPECT_FALSE(device.Answer(Request(kCmdWriteFirmware, 0, 512, Bytes(512, 1))).empty());
    EXPECT_TRUE(device.Answer(Request(kCmdWriteFirmware, 512, 1, Bytes(1, 1))).empty());
    EXPECT_TRUE(device.Disconnected());
    EXPECT_TRUE(device.Answer(Request(kCmdReadBlock, 0x0E00, 512)).empty());
}

TEST(SimDevice, RawBytesWithABadCrcGetNoReply) {
    SimDevice device;
    Bytes bad = BuildRequest(kCmdReadBlock, 0x0E00, 512);
    bad[5] ^= 1;
    EXPECT_TRUE(device.Receive(bad.data(), bad.size()).empty());
    EXPECT_EQ(device.Parser().BadCrcFrames(), 1u);
    EXPECT_TRUE(device.Requests().empty());

    // What is left of the bad frame may look like the start of a longer one;
    // the line falling idle clears it, as on the real device.
    device.ResetLine();
    const Bytes good = BuildRequest(kCmdReadBlock, 0x0E00, 512);
    const auto replies = device.Receive(good.data(), good.size());
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].size(), 519u);
}

TEST(SimDevice, ContentFaults) {
    SimDevice device;
    const DeviceFrame identify = Request(kCmdReadBlock, 0x0E00, 512);
    const Bytes clean = device.Answer(identify);

    SimFaults faults;
    faults.silent = true;
    device.SetFaults(faults);
    EXPECT_TRUE(device.Answer(identify).empty());

    faults = {};
    faults.badCrc = true;
    device.SetFaults(faults);
    Bytes reply = device.Answer(identify);
    ASSERT_EQ(reply.size(), 519u);
    EXPECT_EQ(CheckReply(kCmdReadBlock, reply.data(), reply.size()), 0);
    EXPECT_EQ(Bytes(reply.begin(), reply.end() - 1), Bytes(clean.begin(), clean.end() - 1));

    faults = {};
    faults.wrongCommand = true;
    device.SetFaults(faults);
    reply = device.Answer(identify);
    EXPECT_NE(reply[0], kCmdReadBlock);
    EXPECT_EQ(CheckReply(kCmdReadBlock, reply.data(), reply.size()), 0);
    // The frame itself is whole: only its command byte is wrong.
    EXPECT_EQ(Crc16(reply.data(), 517), (reply[517] << 8) | reply[518]);

    faults = {};
    faults.strayBytes = 3;
    device.SetFaults(faults);
    reply = device.Answer(identify);
    ASSERT_EQ(reply.size(), 522u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 3), Bytes(3, kStrayByte));
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.end()), clean);
}

TEST(SimDevice, DisconnectsAfterTheGivenNumberOfRecordBlocks) {
    SimDevice device;
    SimFaults faults;
    faults.disconnectAfterBlocks = 2;
    device.SetFaults(faults);

    EXPECT_FALSE(device.Answer(Request(kCmdReadMemory, 0, 64)).empty());  // header: not a block
    EXPECT_FALSE(device.Answer(Request(kCmdReadMemory, 64, 512)).empty());
    EXPECT_FALSE(device.Answer(Request(kCmdReadMemory, 576, 512)).empty());
    EXPECT_TRUE(device.Answer(Request(kCmdReadMemory, 1088, 512)).empty());
    EXPECT_TRUE(device.Disconnected());
    // Unplugged: nothing answers any more.
    EXPECT_TRUE(device.Answer(Request(kCmdReadBlock, 0x0E00, 512)).empty());

    device.Reconnect();
    EXPECT_FALSE(device.Answer(Request(kCmdReadMemory, 1088, 512)).empty());
    EXPECT_EQ(device.RepliesSent(), 4u);
}

TEST(SimFaults, DeliveryPlans) {
    const Bytes reply(519, 0x11);
    auto joined = [](const std::vector<TimedChunk>& chunks) {
        Bytes all;
        std::int64_t last = -1;
        for (const auto& c : chunks) {
            EXPECT_GE(c.atUs, last);
            last = c.atUs;
            all.insert(all.end(), c.bytes.begin(), c.bytes.end());
        }
        return all;
    };

    SimFaults f;
    auto plan = PlanDelivery(reply, 7, f);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].atUs, 0);

    f.pieces = 4;
    f.delayMs = 250;
    plan = PlanDelivery(reply, 7, f);
    ASSERT_EQ(plan.size(), 4u);
    EXPECT_EQ(plan[0].atUs, 250000);
    EXPECT_EQ(plan[3].atUs, 250000 + 3 * kPieceGapUs);
    EXPECT_EQ(joined(plan), reply);

    f = {};
    f.byteByByte = true;
    plan = PlanDelivery(reply, 7, f);
    EXPECT_EQ(plan.size(), 519u);
    EXPECT_EQ(joined(plan), reply);

    // Paced: request and reply each cross a 960 bytes/s line.
    f = {};
    f.pace = true;
    plan = PlanDelivery(reply, 7, f);
    EXPECT_EQ(plan.back().atUs, (7 + 519) * 1000000 / 960);
    EXPECT_EQ(plan.front().bytes.size(), kPacedChunk);
    EXPECT_EQ(joined(plan), reply);

    EXPECT_TRUE(PlanDelivery({}, 7, f).empty());
}

}  // namespace
}  // namespace tavix::sim
