// The real serial backend against the simulated device on a pseudo-terminal:
// the test holds the master side and serves the device from the Qt event
// loop; QSerialPort opens the slave path as it would open /dev/ttyUSB0.

#include <unistd.h>

#include <gtest/gtest.h>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include "RawPty.h"
#include "fakes/FakePrompt.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "platform/QtSerialBackend.h"
#include "sim/SimDevice.h"

namespace tavix {
namespace {

using test::FakePrompt;

class PtyDevice {
public:
    explicit PtyDevice(std::shared_ptr<sim::SimDevice> device) : device_(std::move(device)) {
        std::string error;
        if (!pty_.Open(error)) {
            return;
        }
        master_ = pty_.Master();
        path_ = pty_.Path();
        notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Serve(); });
    }
    ~PtyDevice() { notifier_.reset(); }

    bool Ok() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

private:
    void Serve() {
        std::uint8_t buf[1024];
        const ssize_t n = read(master_, buf, sizeof buf);
        if (n <= 0) {
            return;
        }
        for (const Bytes& reply : device_->Receive(buf, static_cast<std::size_t>(n))) {
            for (const auto& chunk : sim::PlanDelivery(reply, kFrameOverhead, device_->Faults())) {
                // The notifier is the context: a reply still pending when the
                // test ends is dropped with it.
                QTimer::singleShot(static_cast<int>(chunk.atUs / 1000), notifier_.get(),
                                   [this, bytes = chunk.bytes] {
                                       const ssize_t written =
                                           write(master_, bytes.data(), bytes.size());
                                       (void)written;
                                   });
            }
        }
    }

    std::shared_ptr<sim::SimDevice> device_;
    sim::RawPty pty_;
    int master_ = -1;
    std::string path_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

struct Identify {
    explicit Identify(const std::string& port) {
        auto owned = std::make_unique<QtSerialBackend>();
        comm = std::make_unique<CMSComm>(std::move(owned));
        comm->SetCommPort(port);
        comm->SetOnComm([this] {
            ++events;
            const Bytes input = comm->Input();
            buffer.insert(buffer.end(), input.begin(), input.end());
        });
    }
    bool Run(FakePrompt& prompt) {
        if (!OpenDevicePort(*comm, prompt, kMsgPortInUsePage)) {
            return false;
        }
        comm->SetRThreshold(519);
        return comm->Output(BuildRequest(kCmdReadBlock, 0x0E00, 512));
    }
    std::unique_ptr<CMSComm> comm;
    Bytes buffer;
    int events = 0;
};

TEST(QtSerialBackend, IdentifiesTheSimulatedDeviceThroughAPseudoTerminal) {
    auto device = std::make_shared<sim::SimDevice>(sim::Series::Ostrin);
    PtyDevice pty(device);
    ASSERT_TRUE(pty.Ok());

    Identify id(pty.Path());
    FakePrompt prompt;
    ASSERT_TRUE(id.Run(prompt)) << prompt.Last();
    EXPECT_EQ(id.events, 0);  // nothing arrives inside Output
    ASSERT_TRUE(QTest::qWaitFor([&] { return id.events > 0; }, 5000));
    ASSERT_EQ(id.buffer.size(), 519u);
    EXPECT_EQ(CheckReply(kCmdReadBlock, id.buffer.data(), id.buffer.size()), kCmdReadBlock);
    EXPECT_EQ(std::string(id.buffer.begin() + 261, id.buffer.begin() + 277), sim::kOstrinVersion);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 1);
}

TEST(QtSerialBackend, ReplyInPiecesIsTakenOnceWhole) {
    auto device = std::make_shared<sim::SimDevice>(sim::Series::Tarrow);
    sim::SimFaults faults;
    faults.pieces = 4;
    faults.delayMs = 20;
    device->SetFaults(faults);
    PtyDevice pty(device);
    ASSERT_TRUE(pty.Ok());

    Identify id(pty.Path());
    FakePrompt prompt;
    ASSERT_TRUE(id.Run(prompt)) << prompt.Last();
    ASSERT_TRUE(QTest::qWaitFor([&] { return id.events > 0; }, 5000));
    EXPECT_EQ(id.events, 1);
    EXPECT_EQ(CheckReply(kCmdReadBlock, id.buffer.data(), id.buffer.size()), kCmdReadBlock);
}

TEST(QtSerialBackend, OpenFailureGivesThePortsOwnWords) {
    QtSerialBackend backend;
    std::string error;
    EXPECT_FALSE(backend.Open("/dev/tavix-no-such-port", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error, backend.Port().errorString().toStdString());
    EXPECT_FALSE(backend.IsOpen());

    // Through the opening procedure: the port, those words, the cause, "!", the stop icon.
    CMSComm comm(std::make_unique<QtSerialBackend>());
    comm.SetCommPort("/dev/tavix-no-such-port");
    FakePrompt prompt;
    EXPECT_FALSE(OpenDevicePort(comm, prompt, kMsgPortInUsePage));
    ASSERT_EQ(prompt.shown.size(), 1u);
    const std::string text = prompt.shown[0].text;
    EXPECT_EQ(text.rfind("Port /dev/tavix-no-such-port: " + error + " (not found", 0), 0u) << text;
    EXPECT_EQ(text.back(), '!');
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Stop);
}

}  // namespace
}  // namespace tavix
