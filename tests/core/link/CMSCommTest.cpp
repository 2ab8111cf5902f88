#include "link/CMSComm.h"

#include <gtest/gtest.h>

#include "fakes/FakePrompt.h"
#include "fakes/ScriptedSerial.h"
#include "link/Frame.h"

namespace tavix {
namespace {

using test::FakePrompt;
using test::ScriptedSerial;

struct Rig {
    Rig() {
        auto owned = std::make_unique<ScriptedSerial>();
        serial = owned.get();
        comm = std::make_unique<CMSComm>(std::move(owned));
        comm->SetCommPort("/dev/ttyUSB0");
        comm->SetOnComm([this] {
            eventsSeen.push_back(comm->CommEvent());
            if (comm->CommEvent() == kCommEvReceive) {
                inputs.push_back(comm->Input());
            }
        });
    }
    ScriptedSerial* serial;
    std::unique_ptr<CMSComm> comm;
    std::vector<int> eventsSeen;
    std::vector<Bytes> inputs;
};

TEST(CMSComm, ReceiveEventWaitsForTheThresholdAcrossPieces) {
    Rig rig;
    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    rig.comm->SetRThreshold(519);

    const Bytes block(512, 0x33);
    const Bytes reply = BuildFrame(kCmdReadBlock, 0x0E00, 512, block.data(), block.size());
    rig.serial->Feed(Bytes(reply.begin(), reply.begin() + 200));
    rig.serial->Feed(Bytes(reply.begin() + 200, reply.begin() + 518));
    EXPECT_TRUE(rig.inputs.empty());
    EXPECT_EQ(rig.comm->InBufferCount(), 518u);

    rig.serial->Feed(Bytes(reply.begin() + 518, reply.end()));
    ASSERT_EQ(rig.inputs.size(), 1u);
    EXPECT_EQ(rig.inputs[0], reply);
    EXPECT_EQ(rig.eventsSeen, std::vector<int>{kCommEvReceive});
    EXPECT_EQ(rig.comm->CommEvent(), 0);  // only during the event
    EXPECT_EQ(rig.comm->InBufferCount(), 0u);
}

TEST(CMSComm, StrayBytesCountTowardsTheThresholdAndReachTheHandler) {
    // The control counts bytes, not frames: noise in front makes the event
    // come early with a frame that then fails the reply check.
    Rig rig;
    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    rig.comm->SetRThreshold(7);
    const Bytes ack = BuildFrame(kCmdWriteBlock, 0x0E00, 512, nullptr, 0);
    Bytes noisy = {0xA5, 0xA5};
    noisy.insert(noisy.end(), ack.begin(), ack.end() - 2);
    rig.serial->Feed(noisy);
    ASSERT_EQ(rig.inputs.size(), 1u);
    EXPECT_EQ(CheckReply(kCmdWriteBlock, rig.inputs[0].data(), rig.inputs[0].size()), 0);
}

TEST(CMSComm, ThresholdZeroNeverFiresAndBytesStayWaiting) {
    Rig rig;
    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    rig.comm->SetRThreshold(0);
    rig.serial->Feed({1, 2, 3});
    EXPECT_TRUE(rig.eventsSeen.empty());
    rig.comm->SetInputLen(2);
    EXPECT_EQ(rig.comm->Input(), (Bytes{1, 2}));
    rig.comm->SetInputLen(0);
    EXPECT_EQ(rig.comm->Input(), (Bytes{3}));
    EXPECT_TRUE(rig.comm->Input().empty());
}

// A backend that (wrongly) answers from inside Write.
class EagerSerial : public ScriptedSerial {
public:
    void Write(const Bytes& bytes) override {
        ScriptedSerial::Write(bytes);
        Feed({0x0E, 0, 0, 0, 0});
    }
};

TEST(CMSComm, NoReceiveEventFromInsideOutput) {
    auto owned = std::make_unique<EagerSerial>();
    EagerSerial* serial = owned.get();
    CMSComm comm(std::move(owned));
    comm.SetCommPort("/dev/ttyUSB0");
    bool inOutput = false;
    int events = 0;
    int eventsInsideOutput = 0;
    comm.SetOnComm([&] {
        ++events;
        if (inOutput) {
            ++eventsInsideOutput;
        }
    });
    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(comm, prompt, kMsgPortInUsePage));
    comm.SetRThreshold(7);
    inOutput = true;
    EXPECT_TRUE(comm.Output(BuildRequest(kCmdWriteMemory, 31, 1, {0})));
    inOutput = false;
    EXPECT_EQ(events, 0);
    // The bytes that came early are still there for the next arrival.
    serial->Feed({0x71, 0x07});
    EXPECT_EQ(events, 1);
    EXPECT_EQ(eventsInsideOutput, 0);
    EXPECT_EQ(comm.InBufferCount(), 7u);
}

TEST(CMSComm, ArrivalDuringTheHandlerIsHandledAfterIt) {
    Rig rig;
    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    rig.comm->SetRThreshold(1);
    int depth = 0;
    int maxDepth = 0;
    std::vector<Bytes> got;
    rig.comm->SetOnComm([&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        got.push_back(rig.comm->Input());
        if (got.size() == 1) {
            rig.serial->Feed({9});  // e.g. while a message box of the handler is open
        }
        --depth;
    });
    rig.serial->Feed({1});
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(got, (std::vector<Bytes>{{1}, {9}}));
}

TEST(CMSComm, OutputNeedsAnOpenPortAndAFrame) {
    Rig rig;
    EXPECT_FALSE(rig.comm->Output(BuildRequest(kCmdReadBlock, 0x0E00, 512)));
    EXPECT_TRUE(rig.serial->written.empty());

    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    EXPECT_FALSE(rig.comm->Output(BuildRequest(kCmdWriteMemory, 31, 1)));  // refused request
    EXPECT_TRUE(rig.serial->written.empty());
    EXPECT_TRUE(rig.comm->Output(BuildRequest(kCmdReadBlock, 0x0E00, 512)));
    ASSERT_EQ(rig.serial->written.size(), 1u);
}

TEST(CMSComm, OpeningProcedure) {
    Rig rig;
    FakePrompt prompt;
    rig.serial->waiting = {0xEE, 0xEE};  // left on the line by someone before us
    ASSERT_TRUE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUseMainForm));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(rig.comm->GetPortOpen());
    EXPECT_EQ(rig.comm->Settings(), "9600, n, 8, 1");
    EXPECT_EQ(rig.comm->RThreshold(), 1);
    EXPECT_EQ(rig.comm->InBufferCount(), 0u);
    EXPECT_EQ(rig.serial->openedPorts, std::vector<std::string>{"/dev/ttyUSB0"});

    // Already open: the caller's text, and the port stays as it was.
    EXPECT_FALSE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUseMainForm));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Can't open the specified COM port !");
    EXPECT_TRUE(rig.comm->GetPortOpen());
    EXPECT_EQ(rig.serial->openedPorts.size(), 1u);

    // Open failure, in one line: which port (the words alone do not say), the
    // backend's own words, an exclamation mark, the stop icon.
    rig.comm->ClosePort();
    rig.serial->openError = "No such file or directory";
    EXPECT_FALSE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1].text, "Port /dev/ttyUSB0: No such file or directory!");
    EXPECT_EQ(prompt.shown[1].icon, PromptIcon::Stop);
    EXPECT_FALSE(rig.comm->GetPortOpen());
    // What on the system keeps it closed, when the backend can tell.
    rig.serial->openError = "Permission error while locking the device";
    rig.serial->cause = "in use by process 1234 (minicom)";
    EXPECT_FALSE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    EXPECT_EQ(prompt.shown.back().text,
              "Port /dev/ttyUSB0: Permission error while locking the device (in use by process "
              "1234 (minicom))!");
}

TEST(CMSComm, OpeningWithoutAPortSaysSo) {
    Rig rig;
    rig.comm->SetCommPort("");
    FakePrompt prompt;
    EXPECT_FALSE(OpenDevicePort(*rig.comm, prompt, kMsgPortInUsePage));
    EXPECT_EQ(prompt.Last(), std::string(kErrNoPortChosen) + "!");
    EXPECT_TRUE(rig.serial->openedPorts.empty());
}

}  // namespace
}  // namespace tavix
