// The logger page and the main form against one simulated logger on fake
// time: what Update writes is what the next header read returns, and "Clear
// Data" takes the port from the page and gives it back.
#include <gtest/gtest.h>

#include "core/logger/LoggerLinkFixture.h"
#include "logger/LoggerMessages.h"
#include "loggercfg/LoggerCfgTexts.h"
#include "loggercfg/LoggerParamSession.h"
#include "sim/SimSerialBackend.h"

namespace tavix {
namespace {

class LoggerParamSimTest : public test::LoggerLinkFixture {
protected:
    LoggerParamSimTest()
        : LoggerLinkFixture(MakeSim),
          pageComm(std::make_unique<sim::SimSerialBackend>(lastDevice, time.NewHost())),
          page(pageComm, *pageTimers, prompt, [] { return std::string(kDemoPort); }) {
        link.portOption = kDemoPort;
        link.hideLoggerPage = [this] { page.OnLendPort(); };
        link.reopenLoggerPage = [this] { page.OnPortReturned(); };
    }

    static std::unique_ptr<SerialBackend> MakeSim(test::FakeTimers& time) {
        lastDevice = std::make_shared<sim::SimDevice>(sim::Series::Tarrow);
        return std::make_unique<sim::SimSerialBackend>(lastDevice, time.NewHost());
    }

    bool WaitIdle() {
        return time.AdvanceUntil([&] { return !page.State().busy && !link.State().busy; }, 5000);
    }

    static inline std::shared_ptr<sim::SimDevice> lastDevice;
    sim::SimDevice& device = *lastDevice;
    std::unique_ptr<TimerHost> pageTimers = time.NewHost();
    CMSComm pageComm;
    LoggerParamSession page;
};

TEST_F(LoggerParamSimTest, WhatUpdateWritesIsWhatTheNextReadReturns) {
    const Bytes before(device.Memory().begin(), device.Memory().begin() + 64);
    page.OnShow(true);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(page.State().cycleIndex, 0);
    EXPECT_EQ(page.State().rateIndex, RateIndexOf(before[22]));
    EXPECT_EQ(page.State().flightCount, before[31]);

    page.OnCycleSelected(1);
    page.OnRateSelected(6);
    page.OnUpdate();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(prompt.Last(), kMsgLoggerUpdated);

    // A page that has never read the header reads it from the device.
    auto otherTimers = time.NewHost();
    page.OnHide();
    CMSComm otherComm(std::make_unique<sim::SimSerialBackend>(lastDevice, time.NewHost()));
    LoggerParamSession other(otherComm, *otherTimers, prompt, [] { return std::string("demo"); });
    other.OnShow(true);
    ASSERT_TRUE(time.AdvanceUntil([&] { return other.State().linked; }, 5000));
    EXPECT_EQ(other.State().cycleIndex, 1);
    EXPECT_EQ(other.State().rateIndex, 6);
    // Only bytes 20 and 22 changed.
    Bytes expected = before;
    expected[20] = 1;
    expected[22] = 30;
    EXPECT_EQ(Bytes(device.Memory().begin(), device.Memory().begin() + 64), expected);
}

TEST_F(LoggerParamSimTest, ClearDataTakesThePortFromThePageAndTheFlightCountReadsZero) {
    page.OnShow(true);
    ASSERT_TRUE(WaitIdle());
    ASSERT_GT(page.State().flightCount, 0);

    // The device can be open on one port at a time: the clear only gets
    // through when the page has let go of it.
    link.OnClearData();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{kMsgConfirmClear, kMsgCleared}));
    EXPECT_EQ(device.Memory()[31], 0);
    EXPECT_EQ(page.State().flightCount, 0);
    EXPECT_TRUE(page.State().portOpen);
    EXPECT_TRUE(page.State().updateEnabled);
}

TEST_F(LoggerParamSimTest, AClearWhosePortCannotOpenGivesThePageItsPortBack) {
    page.OnShow(true);
    ASSERT_TRUE(WaitIdle());
    link.portOption = "";
    config.comPort = 0;  // no port chosen
    link.OnClearData();
    EXPECT_EQ(prompt.Last(), std::string(kErrNoPortChosen) + "!");
    EXPECT_TRUE(page.State().portOpen);
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(page.State().updateEnabled);
    EXPECT_GT(device.Memory()[31], 0);
}

}  // namespace
}  // namespace tavix
