// tavix-devsim as a user runs it: a separate process whose pseudo-terminal
// the real serial backend opens.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include "fakes/FakePrompt.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "platform/QtSerialBackend.h"
#include "sim/DeviceProfile.h"
#include "support/Devsim.h"

namespace tavix {
namespace {

using test::DevsimPath;

TEST(DevsimProcess, ServesTheChosenDeviceUntilTerminated) {
    ASSERT_TRUE(QFileInfo(DevsimPath()).isExecutable()) << DevsimPath().toStdString();
    QProcess devsim;
    devsim.start(DevsimPath(), {"--device", "velmor", "--pieces", "3", "--delay", "10"});
    ASSERT_TRUE(devsim.waitForStarted(3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return devsim.canReadLine(); }, 3000));
    const std::string path = devsim.readLine().trimmed().toStdString();
    ASSERT_FALSE(path.empty());

    CMSComm comm(std::make_unique<QtSerialBackend>());
    comm.SetCommPort(path);
    Bytes reply;
    int events = 0;
    comm.SetOnComm([&] {
        ++events;
        reply = comm.Input();
    });
    test::FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(comm, prompt, kMsgPortInUsePage)) << prompt.Last();
    comm.SetRThreshold(519);
    ASSERT_TRUE(comm.Output(BuildRequest(kCmdReadBlock, 0x0E00, 512)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return events > 0; }, 5000));
    EXPECT_EQ(events, 1);
    ASSERT_EQ(CheckReply(kCmdReadBlock, reply.data(), reply.size()), kCmdReadBlock);
    EXPECT_EQ(std::string(reply.begin() + 261, reply.begin() + 277), sim::kVelmorVersion);
    comm.ClosePort();

    devsim.terminate();
    ASSERT_TRUE(devsim.waitForFinished(3000));
    EXPECT_EQ(devsim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(devsim.exitCode(), 0);
}

TEST(DevsimProcess, PortOfADeviceThatGoesAwayReadsClosed) {
    ASSERT_TRUE(QFileInfo(DevsimPath()).isExecutable()) << DevsimPath().toStdString();
    QProcess devsim;
    devsim.start(DevsimPath(), {});
    ASSERT_TRUE(devsim.waitForStarted(3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return devsim.canReadLine(); }, 3000));
    const std::string path = devsim.readLine().trimmed().toStdString();

    CMSComm comm(std::make_unique<QtSerialBackend>());
    comm.SetCommPort(path);
    comm.SetOnComm([&] { comm.Input(); });
    test::FakePrompt prompt;
    ASSERT_TRUE(OpenDevicePort(comm, prompt, kMsgPortInUsePage)) << prompt.Last();
    devsim.terminate();
    ASSERT_TRUE(devsim.waitForFinished(3000));
    comm.SetRThreshold(519);
    comm.Output(BuildRequest(kCmdReadBlock, 0x0E00, 512));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !comm.GetPortOpen(); }, 3000));
}

TEST(DevsimProcess, UsageErrorsExitWithTwo) {
    ASSERT_TRUE(QFileInfo(DevsimPath()).isExecutable()) << DevsimPath().toStdString();
    for (const QStringList& args : {QStringList{"--device", "boat"}, QStringList{"--delay"},
                                    QStringList{"--pieces", "0"}, QStringList{"--frobnicate"}}) {
        QProcess devsim;
        devsim.start(DevsimPath(), args);
        ASSERT_TRUE(devsim.waitForFinished(3000));
        EXPECT_EQ(devsim.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(devsim.readAllStandardOutput().isEmpty());
        EXPECT_FALSE(devsim.readAllStandardError().isEmpty());
    }
}

}  // namespace
}  // namespace tavix
