#include "sim/SimSerialBackend.h"

#include <gtest/gtest.h>

#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "link/CMSComm.h"
#include "link/Frame.h"

namespace tavix::sim {
namespace {

using test::FakePrompt;
using test::FakeTimers;

// One page's serial control on the simulated device, counting receive events
// the way a page handles them: take everything once the threshold is met.
struct Page {
    Page(FakeTimers& timers, std::shared_ptr<SimDevice> device) {
        auto owned = std::make_unique<SimSerialBackend>(std::move(device), timers.NewHost());
        backend = owned.get();
        backend->SetDataArrived(nullptr);
        comm = std::make_unique<CMSComm>(std::move(owned));
        comm->SetCommPort("demo");
        comm->SetOnComm([this] {
            ++events;
            received.push_back(comm->Input());
        });
    }
    bool Open() { return OpenDevicePort(*comm, prompt, kMsgPortInUsePage); }
    void Send(const Bytes& request, int threshold) {
        comm->SetRThreshold(threshold);
        comm->Output(request);
    }

    SimSerialBackend* backend;
    std::unique_ptr<CMSComm> comm;
    FakePrompt prompt;
    int events = 0;
    std::vector<Bytes> received;
};

const Bytes kIdentify = BuildRequest(kCmdReadBlock, 0x0E00, 512);

TEST(SimSerialBackend, RepliesArriveLaterNeverInsideWrite) {
    FakeTimers timers;
    Page page(timers, std::make_shared<SimDevice>());
    ASSERT_TRUE(page.Open());
    page.Send(kIdentify, 519);
    EXPECT_EQ(page.comm->InBufferCount(), 0u);
    EXPECT_EQ(page.backend->BytesInFlight(), 519u);
    EXPECT_EQ(page.events, 0);

    timers.Advance(0);
    ASSERT_EQ(page.events, 1);
    EXPECT_EQ(CheckReply(kCmdReadBlock, page.received[0].data(), page.received[0].size()),
              kCmdReadBlock);
    EXPECT_EQ(std::string(page.received[0].begin() + 261, page.received[0].begin() + 277),
              kTarrowVersion);
}

TEST(SimSerialBackend, PiecesReachTheHandlerOnlyOnceTheThresholdIsMet) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    SimFaults faults;
    faults.pieces = 5;
    device->SetFaults(faults);
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.Send(kIdentify, 519);
    timers.Advance(3);
    EXPECT_EQ(page.events, 0);
    EXPECT_GT(page.comm->InBufferCount(), 0u);
    timers.Advance(1);
    ASSERT_EQ(page.events, 1);
    EXPECT_EQ(page.received[0].size(), 519u);
}

TEST(SimSerialBackend, ByteByByteGivesTheSameReplyAsWhole) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    const Bytes request = BuildRequest(kCmdReadMemory, 64, 512);

    Page whole(timers, device);
    ASSERT_TRUE(whole.Open());
    whole.Send(request, 519);
    timers.Advance(0);
    whole.comm->ClosePort();

    SimFaults faults;
    faults.byteByByte = true;
    device->SetFaults(faults);
    Page bytewise(timers, device);
    ASSERT_TRUE(bytewise.Open());
    bytewise.Send(request, 519);
    timers.Advance(1000);
    ASSERT_EQ(bytewise.events, 1);
    EXPECT_EQ(bytewise.received, whole.received);
}

TEST(SimSerialBackend, DelayAndPacingTakeTheirTime) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    SimFaults faults;
    faults.delayMs = 300;
    faults.pace = true;
    device->SetFaults(faults);
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.Send(kIdentify, 519);
    // 300 ms, then 526 bytes across a 960 bytes/s line: about 848 ms in all.
    timers.Advance(840);
    EXPECT_EQ(page.events, 0);
    EXPECT_GT(page.comm->InBufferCount(), 400u);
    timers.Advance(10);
    EXPECT_EQ(page.events, 1);
}

TEST(SimSerialBackend, StrayBytesComeFirstAndFailTheCheck) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    SimFaults faults;
    faults.strayBytes = 2;
    device->SetFaults(faults);
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.Send(kIdentify, 519);
    timers.Advance(0);
    ASSERT_EQ(page.events, 1);
    EXPECT_EQ(page.received[0].size(), 521u);
    EXPECT_EQ(CheckReply(kCmdReadBlock, page.received[0].data(), page.received[0].size()), 0);
}

TEST(SimSerialBackend, SilentDeviceNeverAnswers) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    SimFaults faults;
    faults.silent = true;
    device->SetFaults(faults);
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.Send(kIdentify, 519);
    timers.Advance(5000);
    EXPECT_EQ(page.events, 0);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 1);
}

TEST(SimSerialBackend, ReadsTheWholeMemoryBlockByBlockUntilDisconnected) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    const Bytes& memory = device->Memory();
    Page page(timers, device);
    ASSERT_TRUE(page.Open());

    // Every block answered, as an upload reads them: 512 bytes at a time.
    Bytes image;
    for (std::size_t address = 64; address < memory.size(); address += 512) {
        const auto length =
            static_cast<std::uint16_t>(std::min<std::size_t>(512, memory.size() - address));
        page.Send(BuildRequest(kCmdReadMemory, static_cast<std::uint16_t>(address), length),
                  length + 7);
        timers.Advance(0);
        ASSERT_EQ(page.received.size(), image.size() / 512 + 1);
        const Bytes& r = page.received.back();
        ASSERT_EQ(CheckReply(kCmdReadMemory, r.data(), r.size()), kCmdReadMemory);
        image.insert(image.end(), r.begin() + 5, r.end() - 2);
    }
    EXPECT_EQ(image, Bytes(memory.begin() + 64, memory.end()));

    // Unplugged after two more blocks.
    SimFaults faults;
    faults.disconnectAfterBlocks = 2;
    device->SetFaults(faults);
    const int before = page.events;
    for (int i = 0; i < 3; ++i) {
        page.Send(BuildRequest(kCmdReadMemory, 64, 512), 519);
        timers.Advance(100);
    }
    EXPECT_EQ(page.events, before + 2);
}

TEST(SimSerialBackend, PagesShareTheDeviceOneOpenAtATime) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>(Series::Velmor);
    Page first(timers, device);
    Page second(timers, device);
    ASSERT_TRUE(first.Open());

    // Like a real port, the device cannot be opened twice.
    EXPECT_FALSE(second.Open());
    EXPECT_NE(second.prompt.Last().find(std::string(kSimPortBusy) + "!"), std::string::npos);

    // What one page writes, the next page reads.
    Bytes block = device->ParamBlock();
    block[3] = 2;
    first.Send(BuildRequest(kCmdWriteBlock, 0x0E00, 512, block), 7);
    timers.Advance(0);
    ASSERT_EQ(first.events, 1);
    first.comm->ClosePort();

    ASSERT_TRUE(second.Open());
    second.Send(kIdentify, 519);
    timers.Advance(0);
    ASSERT_EQ(second.events, 1);
    EXPECT_EQ(second.received[0][5 + 3], 2);
}

TEST(SimSerialBackend, ClosingDropsWhatWasOnItsWay) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    SimFaults faults;
    faults.delayMs = 50;
    device->SetFaults(faults);
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.Send(kIdentify, 519);
    timers.Advance(20);
    page.comm->ClosePort();
    EXPECT_EQ(page.backend->BytesInFlight(), 0u);
    ASSERT_TRUE(page.Open());
    timers.Advance(200);
    EXPECT_EQ(page.events, 0);
    EXPECT_EQ(page.comm->InBufferCount(), 0u);
    // A write to the closed port goes nowhere.
    page.comm->ClosePort();
    page.backend->Write(kIdentify);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 1);
}

TEST(SimSerialBackend, RequestsWrittenInPiecesAreAnsweredOnceWhole) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.comm->SetRThreshold(7);
    const Bytes request = BuildRequest(kCmdWriteMemory, 31, 1, {0});
    page.backend->Write(Bytes(request.begin(), request.begin() + 3));
    timers.Advance(10);
    EXPECT_EQ(page.events, 0);
    page.backend->Write(Bytes(request.begin() + 3, request.end()));
    timers.Advance(0);
    EXPECT_EQ(page.events, 1);
    EXPECT_EQ(device->Memory()[31], 0);
}

}  // namespace
}  // namespace tavix::sim

namespace tavix::sim {
namespace {

TEST(SimSerialBackend, CorruptedRequestIsForgottenWhenTheLineFallsIdle) {
    FakeTimers timers;
    auto device = std::make_shared<SimDevice>();
    Page page(timers, device);
    ASSERT_TRUE(page.Open());
    page.comm->SetRThreshold(519);
    Bytes bad = kIdentify;
    bad[5] ^= 1;  // its tail now reads like the header of a long memory write
    page.comm->Output(bad);
    timers.Advance(kIdleResetMs + 1);
    page.comm->Output(kIdentify);
    timers.Advance(0);
    EXPECT_EQ(page.events, 1);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 1);
    EXPECT_EQ(timers.RunningCount(), 0);
}

}  // namespace
}  // namespace tavix::sim
