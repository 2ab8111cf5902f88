#include "link/DeviceRequest.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/ScriptedSerial.h"
#include "link/CMSComm.h"
#include "link/Frame.h"

namespace tavix {
namespace {

using test::FakePrompt;
using test::FakeTimers;
using test::ScriptedSerial;

Bytes Reply(std::uint8_t command, std::uint16_t address, std::uint16_t length, const Bytes& data) {
    return BuildFrame(command, address, length, data.data(), data.size());
}

Bytes BlockReply(std::uint8_t fill = 0x5A) {
    return Reply(kCmdReadBlock, kParamBlockAddress, kParamBlockSize, Bytes(512, fill));
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// A port on a scripted line, a timer host on fake time and the engine, with
// every reply the engine hands out collected.
class DeviceRequestTest : public ::testing::Test {
protected:
    void Make(ReplyMatch match = ReplyMatch::PendingCommand) {
        request.reset();
        replies.clear();
        timeouts.clear();
        auto owned = std::make_unique<ScriptedSerial>();
        serial = owned.get();
        comm = std::make_unique<CMSComm>(std::move(owned));
        comm->SetCommPort("/dev/ttyUSB0");
        FakePrompt prompt;
        ASSERT_TRUE(OpenDevicePort(*comm, prompt, kMsgPortInUsePage));
        host = timers.NewHost();
        request = std::make_unique<DeviceRequest>(*comm, *host, match);
        comm->SetOnComm([this] {
            if (auto reply = request->OnComm()) {
                replies.push_back(*reply);
            }
        });
        host->SetHandler([this](int id) {
            if (request->OnTimer(id, timeoutTick) == TickOutcome::TimedOut) {
                timeouts.push_back(timers.Now());
            }
        });
    }
    void SetUp() override { Make(); }

    // Feeds `bytes` in pieces of at most `piece` bytes.
    void FeedInPieces(const Bytes& bytes, std::size_t piece) {
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            const std::size_t n = std::min(piece, bytes.size() - at);
            serial->Feed(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                               bytes.begin() + static_cast<std::ptrdiff_t>(at + n)));
        }
    }

    FakeTimers timers;
    std::unique_ptr<TimerHost> host;
    ScriptedSerial* serial = nullptr;
    std::unique_ptr<CMSComm> comm;
    std::unique_ptr<DeviceRequest> request;
    std::vector<DeviceReply> replies;
    std::vector<std::int64_t> timeouts;
    int timeoutTick = kTimeoutTick;
};

TEST_F(DeviceRequestTest, SendsTheFrameSetsTheThresholdAndStartsTheCommandsTimer) {
    EXPECT_TRUE(request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize));
    ASSERT_EQ(serial->written.size(), 1u);
    EXPECT_EQ(serial->written[0], (Bytes{0x03, 0x0E, 0x00, 0x02, 0x00, 0x88, 0x63}));
    EXPECT_EQ(comm->RThreshold(), 519);
    EXPECT_TRUE(host->IsRunning(kCmdReadBlock));
    EXPECT_EQ(request->Pending(), kCmdReadBlock);
}

TEST_F(DeviceRequestTest, StaleBytesOnTheLineAreDroppedBeforeSending) {
    serial->waiting = Bytes{0x03, 0x99};
    request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    serial->Feed(BlockReply());
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].data, Bytes(512, 0x5A));
}

TEST_F(DeviceRequestTest, AWholeReplyLeftOnTheLineIsNotTakenForTheNextRequest) {
    // A late answer to an earlier read of the same block, still unread.
    serial->waiting = BlockReply(0x11);
    request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    serial->Feed(BlockReply(0x5A));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].data, Bytes(512, 0x5A));
}

TEST_F(DeviceRequestTest, ASendToAClosedPortIsReportedAndStillTimesOut) {
    comm->ClosePort();
    EXPECT_FALSE(request->Send(kCmdWriteBlock, kParamBlockAddress, kParamBlockSize, Bytes(512)));
    timers.Advance(31 * kRequestTickMs);
    EXPECT_EQ(timeouts, (std::vector<std::int64_t>{3100}));
}

// The ways a reply can arrive, and whether the engine takes it.
struct Delivery {
    const char* name;
    Bytes line;         // what the device puts on the line
    std::size_t piece;  // delivered in pieces of this size
    bool accepted;
};

TEST_F(DeviceRequestTest, RepliesAreTakenWholeAfterPiecesAndNoiseButNeverWhenGarbled) {
    const Bytes block = BlockReply();
    Bytes badCrc = block;
    badCrc.back() ^= 0xFF;
    Bytes wrongCommand = BlockReply();
    wrongCommand[0] = kCmdReadMemory;
    const Delivery cases[] = {
        {"whole", BlockReply(), 1024, true},
        {"in pieces of 7", BlockReply(), 7, true},
        {"byte by byte", BlockReply(), 1, true},
        {"one noise byte in front", Concat({Bytes{0x00}, BlockReply()}), 1024, true},
        {"noise in front, in pieces", Concat({Bytes{0xFF, 0x03, 0x42}, BlockReply()}), 100, true},
        {"a broken reply in front",
         Concat({Bytes(block.begin(), block.begin() + 300), BlockReply()}), 64, true},
        {"wrong CRC", badCrc, 1024, false},
        {"wrong command byte", wrongCommand, 1024, false},
        {"cut short", Bytes(block.begin(), block.end() - 1), 1024, false},
        {"noise only", Bytes(600, 0x03), 50, false},
    };
    for (const Delivery& c : cases) {
        SCOPED_TRACE(c.name);
        Make();
        const std::int64_t sentAt = timers.Now();
        request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
        FeedInPieces(c.line, c.piece);
        timers.Advance(40 * kRequestTickMs);
        if (c.accepted) {
            ASSERT_EQ(replies.size(), 1u);
            EXPECT_EQ(replies[0].command, kCmdReadBlock);
            EXPECT_EQ(replies[0].address, kParamBlockAddress);
            EXPECT_EQ(replies[0].data, Bytes(512, 0x5A));
            EXPECT_TRUE(timeouts.empty());
            EXPECT_FALSE(host->IsRunning(kCmdReadBlock));
            EXPECT_EQ(request->Pending(), 0);
        } else {
            EXPECT_TRUE(replies.empty());
            EXPECT_EQ(timeouts, (std::vector<std::int64_t>{sentAt + 3100}));
            EXPECT_GT(request->UnusedBytes(), 0u);
        }
    }
}

// A device or adapter that sends the awaited command byte without pause: every
// byte may start a reply, yet each costs at most one reply's length of CRC
// work, and the reply behind the flood is still found.
TEST_F(DeviceRequestTest, AFloodOfNoiseCostsBoundedWorkPerByte) {
    for (const ReplyMatch match : {ReplyMatch::PendingCommand, ReplyMatch::OwnCommand}) {
        Make(match);
        request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
        const Bytes line = Concat({Bytes(1200, kCmdReadBlock), BlockReply()});
        FeedInPieces(line, 1);
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replies[0].data, Bytes(512, 0x5A));
        EXPECT_LE(request->CheckedBytes(), line.size() * BlockReply().size());
    }
}

TEST_F(DeviceRequestTest, TimesOutOnTheChosenTickCountingOnlyItsOwnTimer) {
    for (int tick : {kIdentifyTimeoutTick, kTimeoutTick}) {
        SCOPED_TRACE(tick);
        Make();
        timeoutTick = tick;
        host->StartTimer(55, 200);  // another timer of the same page
        const std::int64_t sentAt = timers.Now();
        request->Send(kCmdReadMemory, 0, 64);
        timers.Advance(tick * kRequestTickMs - 1);
        EXPECT_TRUE(timeouts.empty());
        timers.Advance(1);
        EXPECT_EQ(timeouts, (std::vector<std::int64_t>{sentAt + tick * kRequestTickMs}));
        EXPECT_EQ(request->Ticks(), tick);
        EXPECT_FALSE(host->IsRunning(kCmdReadMemory));
        timers.Advance(1000);
        EXPECT_EQ(timeouts.size(), 1u);
    }
}

TEST_F(DeviceRequestTest, ALateReplyIsTakenAfterATimeOutButNotAfterCancel) {
    request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    timers.Advance(3200);
    ASSERT_EQ(timeouts.size(), 1u);
    EXPECT_TRUE(request->TimedOut());
    serial->Feed(BlockReply());
    EXPECT_EQ(replies.size(), 1u);

    request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    timers.Advance(3200);
    request->Cancel();
    serial->Feed(BlockReply());
    EXPECT_EQ(replies.size(), 1u);
}

TEST_F(DeviceRequestTest, AMemoryReplyForAnotherLengthIsNotTaken) {
    request->Send(kCmdReadMemory, 0, 64);
    serial->Feed(Reply(kCmdReadMemory, 0, 32, Bytes(32, 1)));
    EXPECT_TRUE(replies.empty());
    serial->Feed(Reply(kCmdReadMemory, 0, 64, Bytes(64, 2)));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].length, 64);
    EXPECT_EQ(replies[0].data, Bytes(64, 2));
}

TEST_F(DeviceRequestTest, MatchingByTheRepliesOwnCommandTakesAnotherCommandsReply) {
    Make(ReplyMatch::OwnCommand);
    request->Send(kCmdReadMemory, 0, 64);
    host->StartTimer(kCmdWriteMemory, kRequestTickMs);
    serial->Feed(Reply(kCmdWriteMemory, 16, 8, {}));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].command, kCmdWriteMemory);
    EXPECT_FALSE(host->IsRunning(kCmdWriteMemory));
    // The header read is still awaited and ends in its own time-out.
    EXPECT_EQ(request->Pending(), kCmdReadMemory);
    timers.Advance(3100);
    EXPECT_EQ(timeouts.size(), 1u);
}

}  // namespace
}  // namespace tavix
