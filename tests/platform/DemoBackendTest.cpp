#include <gtest/gtest.h>
#include <QTest>

#include "fakes/FakePrompt.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "platform/SerialBackendFactory.h"
#include "sim/SimSerialBackend.h"

namespace tavix {
namespace {

using test::FakePrompt;

TEST(SerialBackendFactory, DemoPortReachesTheSharedDemoDevice) {
    SetDemoDevice(nullptr);  // start from the default demo device
    EXPECT_EQ(DemoDevice().Version(), sim::kTarrowVersion);

    CMSComm comm(MakeSerialBackend("demo"));
    comm.SetCommPort("demo");
    Bytes reply;
    comm.SetOnComm([&] { reply = comm.Input(); });
    FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(comm, prompt, kMsgPortInUseMainForm));
    comm.SetRThreshold(519);
    ASSERT_TRUE(comm.Output(BuildRequest(kCmdReadBlock, 0x0E00, 512)));
    EXPECT_TRUE(reply.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reply.empty(); }, 3000));
    EXPECT_EQ(CheckReply(kCmdReadBlock, reply.data(), reply.size()), kCmdReadBlock);

    // A second control on the demo port is refused while the first holds it.
    CMSComm other(MakeSerialBackend("demo"));
    other.SetCommPort("demo");
    EXPECT_FALSE(OpenDevicePort(other, prompt, kMsgPortInUsePage));
    EXPECT_EQ(prompt.Last(), "Port demo: " + std::string(sim::kSimPortBusy) + "!");
    comm.ClosePort();
    EXPECT_TRUE(OpenDevicePort(other, prompt, kMsgPortInUsePage));
    other.ClosePort();
}

TEST(SerialBackendFactory, OneControlFollowsAChangeOfPort) {
    SetDemoDevice(std::make_shared<sim::SimDevice>(sim::Series::Peldan));
    CMSComm comm(MakeSerialBackend("/dev/ttyUSB0"));
    FakePrompt prompt;
    comm.SetCommPort("/dev/tavix-no-such-port");
    EXPECT_FALSE(OpenDevicePort(comm, prompt, kMsgPortInUsePage));

    comm.SetCommPort("DEMO");
    ASSERT_TRUE(OpenDevicePort(comm, prompt, kMsgPortInUsePage));
    Bytes reply;
    comm.SetOnComm([&] { reply = comm.Input(); });
    comm.SetRThreshold(519);
    comm.Output(BuildRequest(kCmdReadBlock, 0x0E00, 512));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reply.empty(); }, 3000));
    EXPECT_EQ(std::string(reply.begin() + 261, reply.begin() + 277), sim::kPeldanVersion);
    comm.ClosePort();
    SetDemoDevice(nullptr);
}

}  // namespace
}  // namespace tavix
