#include "link/DeviceRequest.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/FormatText.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/ScriptedSerial.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "link/LinkMessages.h"

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

// An unplug in the middle of a reply: the time-out says the port went away,
// not that the device garbled its answer; opening again forgets it.
TEST_F(DeviceRequestTest, AnUnplugMidReplyIsNamedAsSuchAndForgottenOnTheNextOpen) {
    request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    const Bytes block = BlockReply();
    serial->Feed(Bytes(block.begin(), block.begin() + 100));
    serial->Unplug();
    timers.Advance(31 * kRequestTickMs);
    ASSERT_EQ(timeouts.size(), 1u);
    EXPECT_NE(request->TimeoutDetail().find("went away"), std::string::npos)
        << request->TimeoutDetail();
    EXPECT_EQ(request->TimeoutDetail().find("bytes came"), std::string::npos);

    std::string error;
    ASSERT_TRUE(comm->OpenPort(error));
    request->Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
    serial->Feed(Bytes(block.begin(), block.begin() + 100));
    timers.Advance(31 * kRequestTickMs);
    EXPECT_NE(request->TimeoutDetail().find("100 bytes came"), std::string::npos)
        << request->TimeoutDetail();
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

// A reply is taken only when its header names the request outstanding. One
// that answers another request (a late duplicate after a lost request) is
// dropped whole, counted and named below the time-out; the reply awaited that
// follows it is still taken.
struct Exchange {
    const char* name;
    std::uint8_t command;
    std::uint16_t address;
    std::uint16_t length;
    Bytes foreign;  // a whole reply with a good CRC, for another request
};

TEST_F(DeviceRequestTest, ARepliesHeaderMustNameTheRequestOutstanding) {
    const Bytes block(512, 7);
    const Exchange cases[] = {
        {"block read, other address", kCmdReadBlock, kParamBlockAddress, kParamBlockSize,
         Reply(kCmdReadBlock, 0x0C00, kParamBlockSize, block)},
        {"memory read, previous block", kCmdReadMemory, 576, 512,
         Reply(kCmdReadMemory, 64, 512, block)},
        {"memory read, other length", kCmdReadMemory, 0, 64,
         Reply(kCmdReadMemory, 0, 32, Bytes(32, 1))},
        {"logger write, other address", kCmdWriteMemory, 16, 8, Reply(kCmdWriteMemory, 31, 8, {})},
        {"block write, other address", kCmdWriteBlock, kParamBlockAddress, kParamBlockSize,
         Reply(kCmdWriteBlock, 0, kParamBlockSize, {})},
        {"firmware, previous block acknowledged", kCmdWriteFirmware, 1024, 512,
         Reply(kCmdWriteFirmware, 512, 512, {})},
        {"firmware, another command's reply", kCmdWriteFirmware, 1024, 512,
         Reply(kCmdWriteBlock, 1024, 512, {})},
    };
    for (const ReplyMatch match : {ReplyMatch::PendingCommand, ReplyMatch::OwnCommand}) {
        for (const Exchange& c : cases) {
            SCOPED_TRACE(c.name);
            Make(match);
            const bool write = c.command >= kCmdWriteMemory;
            const Bytes payload = write ? Bytes(c.length, 3) : Bytes{};
            const Bytes awaited = write ? Reply(c.command, c.address, c.length, {})
                                        : Reply(c.command, c.address, c.length, Bytes(c.length, 9));
            // Dropped, also when the awaited reply follows it in the same bytes.
            request->Send(c.command, c.address, c.length, payload);
            FeedInPieces(Concat({c.foreign, awaited}), 100);
            ASSERT_EQ(replies.size(), 1u);
            EXPECT_EQ(replies[0].address, c.address);
            const bool sameCommand = c.foreign[0] == c.command;
            // The engine that listens for the awaited command only never
            // looks at another command's reply.
            const int seen = sameCommand || match == ReplyMatch::OwnCommand ? 1 : 0;
            EXPECT_EQ(request->ForeignReplies(), seen);
            // Alone, it leaves the request to its time-out, which names it.
            replies.clear();
            request->Send(c.command, c.address, c.length, payload);
            serial->Feed(c.foreign);
            serial->Feed(c.foreign);
            timers.Advance(kTimeoutTick * kRequestTickMs);
            EXPECT_TRUE(replies.empty());
            ASSERT_EQ(timeouts.size(), 1u);
            EXPECT_EQ(request->ForeignReplies(), 2 * seen);
            if (seen > 0) {
                const std::string named = FormatText(kDetailForeignHeader, unsigned{c.foreign[0]},
                                                     unsigned((c.foreign[1] << 8) | c.foreign[2]),
                                                     unsigned((c.foreign[3] << 8) | c.foreign[4]));
                EXPECT_NE(request->TimeoutDetail().find("another request: 2 (" + named + ")"),
                          std::string::npos)
                    << request->TimeoutDetail();
            }
        }
    }
}

TEST_F(DeviceRequestTest, AWriteIsAcknowledgedByItsAddressWhateverItsLengthField) {
    request->Send(kCmdWriteFirmware, 512, 512, Bytes(512, 1));
    serial->Feed(Reply(kCmdWriteFirmware, 512, 0, {}));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(request->ForeignReplies(), 0);
}

}  // namespace
}  // namespace tavix
