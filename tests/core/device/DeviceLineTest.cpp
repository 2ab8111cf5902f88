// What every device page's session gets from its line: a question after which
// the state is checked again, and a device that stops answering or whose port
// will not open reported as lost to the main form.
#include "device/DeviceLine.h"

#include <gtest/gtest.h>

#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/ScriptedSerial.h"
#include "link/CMSComm.h"
#include "link/Frame.h"

namespace tavix {
namespace {

// The smallest page session: "Read" asks, then reads the parameter block.
class ReadingLine : public DeviceLine {
public:
    using DeviceLine::DeviceLine;

    void Show() {
        SetVisible(true);
        opened = OpenPort();
    }
    void Hide() {
        ClosePort();
        SetVisible(false);
    }
    void Read() {
        const auto ready = [this] { return Visible(); };
        if (ready() && Ask("Read?", PromptIcon::Question, ready)) {
            Request().Send(kCmdReadBlock, kParamBlockAddress, kParamBlockSize);
        }
    }
    void OnComm() override {
        if (Request().OnComm()) {
            ++replies;
        }
    }
    void OnTimer(int id) override {
        if (CountTick(id) == TickOutcome::TimedOut) {
            ++timeouts;
        }
    }

    bool opened = false;
    int replies = 0;
    int timeouts = 0;
};

class DeviceLineTest : public ::testing::Test {
protected:
    DeviceLineTest() {
        line.deviceLost = [this] { ++lost; };
    }

    std::unique_ptr<SerialBackend> MakeSerial() {
        auto backend = std::make_unique<test::ScriptedSerial>();
        serial = backend.get();
        return backend;
    }

    test::FakeTimers time;
    std::unique_ptr<TimerHost> timers = time.NewHost();
    test::FakePrompt prompt;
    test::ScriptedSerial* serial = nullptr;
    CMSComm comm{MakeSerial()};
    ReadingLine line{comm, *timers, prompt, [] { return std::string("/dev/ttyTEST"); }};
    int lost = 0;
};

TEST_F(DeviceLineTest, AYesAfterThePageWasHiddenDoesNothing) {
    line.Show();
    prompt.onShow = [this](const std::string&) { line.Hide(); };
    line.Read();
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Read?"});
    EXPECT_TRUE(serial->written.empty());
    EXPECT_EQ(time.RunningCount(), 0);
}

TEST_F(DeviceLineTest, ATimeOutLosesTheDeviceOnceAndAnAnswerDoesNot) {
    line.Show();
    line.Read();
    serial->Feed(BuildFrame(kCmdReadBlock, kParamBlockAddress, kParamBlockSize,
                            Bytes(kParamBlockSize, 1).data(), kParamBlockSize));
    EXPECT_EQ(line.replies, 1);
    EXPECT_EQ(lost, 0);

    line.Read();
    time.Advance(kTimeoutTick * kRequestTickMs + 1000);
    EXPECT_EQ(line.timeouts, 1);
    EXPECT_EQ(lost, 1);
}

TEST_F(DeviceLineTest, APortThatWillNotOpenLosesTheDevice) {
    serial->openError = "No such file or directory";
    line.Show();
    EXPECT_FALSE(line.opened);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(prompt.shown.size(), 1u);  // the reason, as the main form tells it

    // A line already open counts as open.
    serial->openError.clear();
    line.Show();
    line.Show();
    EXPECT_TRUE(line.opened);
    EXPECT_EQ(lost, 1);
}

// Destroying a session with a request outstanding stops its timer.
TEST_F(DeviceLineTest, GoingAwayStopsTheRequestsTimer) {
    auto other = std::make_unique<ReadingLine>(comm, *timers, prompt, [] { return std::string(); });
    other->Show();
    other->Read();
    EXPECT_EQ(time.RunningCount(), 1);
    other.reset();
    EXPECT_EQ(time.RunningCount(), 0);
}

}  // namespace
}  // namespace tavix
