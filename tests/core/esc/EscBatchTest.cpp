// Many ESCs in a row on fake time: asked every half second, one of another
// series refused without a write, each waited out until unplugged, a write
// that did not take not counted, and Stop never leaving an ESC half written.
#include "esc/EscBatch.h"

#include <gtest/gtest.h>

#include "esc/EscBatchWire.h"
#include "fakes/FakeTimers.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "sim/DeviceProfile.h"
#include "sim/SimDevice.h"
#include "sim/SimSerialBackend.h"

namespace tavix::test {
namespace {

class Batch : public ::testing::Test, public EscBatchLink {
protected:
    void Identify() override { ++identifies; }
    void Write() override { ++writes; }

    // One ESC plugged in and taken: identified on the next question, then unplugged.
    void Unplug() {
        timers.Advance(kBatchPollMs);
        batch.OnNoAnswer();
        ASSERT_EQ(batch.Phase(), EscBatchPhase::WaitingForEsc);
    }

    FakeTimers timers;
    std::unique_ptr<TimerHost> host = timers.NewHost();
    EscBatch batch{VelmorTable(), 2, *this, *host};
    int identifies = 0;
    int writes = 0;
};

TEST_F(Batch, WritesEscAfterEscRefusingOtherSeriesUntilTheCountIsReached) {
    host->SetHandler([this](int id) { batch.OnTimer(id); });
    batch.Start();
    EXPECT_EQ(batch.Line(), kBatchWaiting);
    EXPECT_EQ(identifies, 1);
    timers.Advance(kBatchPollMs * 3);
    EXPECT_EQ(identifies, 1);  // never a second question over an unanswered one
    batch.OnNoAnswer();
    timers.Advance(kBatchPollMs - 1);
    EXPECT_EQ(identifies, 1);
    timers.Advance(1);
    EXPECT_EQ(identifies, 2);

    batch.OnIdentified(sim::kVelmorVersion);
    EXPECT_EQ(batch.Phase(), EscBatchPhase::Writing);
    EXPECT_EQ(writes, 1);
    batch.OnWritten({});
    EXPECT_EQ(batch.Phase(), EscBatchPhase::WaitingForUnplug);
    // Still on the line: not met again.
    timers.Advance(kBatchPollMs);
    batch.OnIdentified(sim::kVelmorVersion);
    EXPECT_EQ(writes, 1);
    Unplug();

    timers.Advance(kBatchPollMs);
    batch.OnIdentified(sim::kOstrinVersion);
    EXPECT_EQ(batch.Phase(), EscBatchPhase::WaitingForUnplug);
    EXPECT_EQ(batch.Line(),
              "ESC 2 is of the Ostrin series, not Velmor: nothing written. Unplug it.");
    EXPECT_EQ(writes, 1);
    Unplug();

    timers.Advance(kBatchPollMs);
    batch.OnIdentified(sim::kVelmorVersion);
    batch.OnWritten({"PWM Rate", "LVC"});  // did not take: not counted
    EXPECT_EQ(batch.Written(), 1);
    Unplug();
    timers.Advance(kBatchPollMs);
    batch.OnIdentified(sim::kVelmorVersion);
    batch.OnWritten({});
    EXPECT_TRUE(batch.Succeeded());
    EXPECT_EQ(batch.Line(), "Done: 2 of 2 ESCs written and read back.");
    EXPECT_FALSE(host->IsRunning(kBatchPollTimer));
    EXPECT_EQ(batch.ReportCsv(), std::string("esc,version,series,result,not_taken\n") + "1," +
                                     sim::kVelmorVersion + ",Velmor,written,\n" + "2," +
                                     sim::kOstrinVersion + ",Ostrin,refused,\n" + "3," +
                                     sim::kVelmorVersion + ",Velmor,failed,PWM Rate; LVC\n" + "4," +
                                     sim::kVelmorVersion + ",Velmor,written,\n");
}

TEST_F(Batch, StopEndsBetweenEscsAndNeverInTheMiddleOfAWrite) {
    host->SetHandler([this](int id) { batch.OnTimer(id); });
    batch.Start();
    batch.OnIdentified(sim::kVelmorVersion);
    batch.Stop();
    EXPECT_EQ(batch.Phase(), EscBatchPhase::Writing);
    batch.OnWriteFailed("Time out");
    EXPECT_EQ(batch.Phase(), EscBatchPhase::Stopped);
    EXPECT_FALSE(batch.Succeeded());
    EXPECT_EQ(batch.Rows().at(0).result, "failed");

    batch.Start();
    EXPECT_EQ(batch.Rows().size(), 0u);
    batch.OnNoAnswer();
    batch.Stop();
    EXPECT_EQ(batch.Line(), "Stopped: 0 of 2 ESCs written and read back.");
    const int asked = identifies;
    timers.Advance(kBatchPollMs * 4);
    EXPECT_EQ(identifies, asked);
}

// The window's link on the simulated line: an ESC swapped and unplugged by
// hand, the other series refused unwritten, the settings in each Tarrow.
TEST(BatchWire, WritesEachEscOfTheSeriesOnTheLineAndWaitsForItsUnplug) {
    FakeTimers time;
    auto device = std::make_shared<sim::SimDevice>(sim::Series::Tarrow);
    CMSComm comm(std::make_unique<sim::SimSerialBackend>(device, time.NewHost()));
    const auto timers = time.NewHost();
    EscSetting pwm;
    ASSERT_EQ(CheckSetting(TarrowTable(), "PWM Rate", "16 KHz", pwm), "");
    EscBatchWire wire(
        TarrowTable(), {pwm}, comm, *timers, [] { return std::string("demo"); }, nullptr);
    const auto batchTimers = time.NewHost();
    EscBatch batch(TarrowTable(), 2, wire, *batchTimers);
    wire.SetBatch(batch);
    batchTimers->SetHandler([&batch](int id) { batch.OnTimer(id); });
    const auto until = [&](EscBatchPhase phase) {
        return time.AdvanceUntil([&] { return batch.Phase() == phase; }, 10000, 50);
    };

    batch.Start();
    ASSERT_TRUE(until(EscBatchPhase::WaitingForUnplug)) << batch.Line();
    EXPECT_EQ(device->ParamBlock()[8], 2);
    time.Advance(2000);  // still on the line: asked again, not written again
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 1);
    device->MutableFaults().silent = true;
    ASSERT_TRUE(until(EscBatchPhase::WaitingForEsc));

    device->SwapEsc(sim::Series::Velmor);
    device->MutableFaults().silent = false;
    ASSERT_TRUE(until(EscBatchPhase::WaitingForUnplug));
    EXPECT_EQ(batch.Rows().back().result, "refused");
    device->MutableFaults().silent = true;
    ASSERT_TRUE(until(EscBatchPhase::WaitingForEsc));

    device->SwapEsc(sim::Series::Tarrow);
    device->MutableFaults().silent = false;
    ASSERT_TRUE(until(EscBatchPhase::Done)) << batch.ReportCsv();
    EXPECT_EQ(device->ParamBlock()[8], 2);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 2);
    ASSERT_EQ(batch.Rows().size(), 3u);
    EXPECT_EQ(batch.Rows()[0].result, "written");
    EXPECT_EQ(batch.Rows()[2].result, "written");
}

}  // namespace
}  // namespace tavix::test
