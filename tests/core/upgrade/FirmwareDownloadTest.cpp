// Whole firmware downloads against the simulated ESC on fake time.
#include "upgrade/FirmwareDownload.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/FirmwareFixture.h"
#include "fakes/TempDir.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "sim/SimSerialBackend.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {
namespace {

constexpr const char* kNewVersion = "ZA20-NEWFW-00042";

class FirmwareDownloadTest : public ::testing::Test {
protected:
    FirmwareDownloadTest() {
        // Gear of the download: what the page shows changes at every step.
        session.changed = [this] { ++changes; };
    }

    std::string WriteFile(const std::string& name, const std::string& content) {
        const std::string path = dir.File(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    void ShowAndReadVersion() {
        session.OnShow(true);
        ASSERT_TRUE(time.AdvanceUntil([&] { return session.State().connected; }, 1000));
    }

    void Load(const Bytes& image, const std::string& version = kNewVersion) {
        session.OnBrowse(WriteFile("fw.Dlc", test::FirmwareText(test::HexText(image), version)));
        ASSERT_TRUE(session.State().startEnabled);
    }

    // Runs a started download until it ends.
    void Finish(std::int64_t limitMs = 60000) {
        ASSERT_TRUE(time.AdvanceUntil([&] { return !session.State().busy; }, limitMs, 10));
    }

    // Commands the ESC received after the version read.
    std::vector<DeviceFrame> DownloadFrames() const {
        std::vector<DeviceFrame> frames;
        for (const DeviceFrame& f : device->Requests()) {
            if (f.command != kCmdReadBlock) {
                frames.push_back(f);
            }
        }
        return frames;
    }

    test::FakeTimers time;
    std::shared_ptr<sim::SimDevice> device = std::make_shared<sim::SimDevice>(sim::Series::Ostrin);
    CMSComm comm{std::make_unique<sim::SimSerialBackend>(device, time.NewHost())};
    std::unique_ptr<TimerHost> host = time.NewHost();
    test::FakePrompt prompt;
    FirmwareDownload session{comm, *host, prompt, [] { return std::string("demo"); }};
    test::TempDir dir;
    int changes = 0;
};

TEST_F(FirmwareDownloadTest, ShowReadsTheVersionNowInTheEsc) {
    ShowAndReadVersion();
    const UpgradeState& s = session.State();
    EXPECT_EQ(JoinVersion(s.currentVersion), device->Version());
    EXPECT_EQ(s.progress, 100);
    EXPECT_TRUE(s.browseEnabled);
    EXPECT_FALSE(s.startEnabled);
    EXPECT_EQ(s.phase, UpgradePhase::Linked);
    EXPECT_EQ(session.StoredBlock(), device->ParamBlock());
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 1);
    EXPECT_TRUE(prompt.shown.empty());
}

struct SizeCase {
    std::size_t size;
    std::vector<std::uint16_t> blockSizes;
};

class DownloadSizes : public FirmwareDownloadTest,
                      public ::testing::WithParamInterface<SizeCase> {};

TEST_P(DownloadSizes, SendsTheImageInBlocksThenTheParameterBlock) {
    const SizeCase& c = GetParam();
    const Bytes image = test::PatternImage(c.size);
    const Bytes before = device->ParamBlock();
    ShowAndReadVersion();
    Load(image);
    session.OnStart();
    EXPECT_TRUE(session.State().busy);
    Finish();

    const std::vector<DeviceFrame> frames = DownloadFrames();
    ASSERT_EQ(frames.size(), c.blockSizes.size() + 1);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < c.blockSizes.size(); ++i) {
        EXPECT_EQ(frames[i].command, kCmdWriteFirmware);
        EXPECT_EQ(frames[i].address, offset);
        EXPECT_EQ(frames[i].length, c.blockSizes[i]);
        offset += c.blockSizes[i];
    }
    // Last the block as read, with only the version replaced.
    const DeviceFrame& write = frames.back();
    EXPECT_EQ(write.command, kCmdWriteBlock);
    EXPECT_EQ(write.address, kParamBlockAddress);
    Bytes expected = before;
    std::copy_n(kNewVersion, 16, expected.begin() + 256);
    EXPECT_EQ(write.data, expected);

    EXPECT_EQ(device->FirmwareImage(), image);
    EXPECT_EQ(device->FirmwareOrderErrors(), 0);
    EXPECT_EQ(device->Version(), kNewVersion);
    const UpgradeState& s = session.State();
    EXPECT_EQ(s.phase, UpgradePhase::Done);
    EXPECT_EQ(JoinVersion(s.currentVersion), kNewVersion);
    EXPECT_EQ(s.progress, 100);
    EXPECT_FALSE(s.stopEnabled);
    EXPECT_EQ(s.blocksSent, static_cast<int>(c.blockSizes.size()));
    EXPECT_EQ(s.SharePercent(), 100);
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{kMsgConfirmUpgrade, kMsgDownloadSuccessful}));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Information);

    // The next show of a fresh page reads the new version back.
    session.OnHide();
    EXPECT_FALSE(comm.GetPortOpen());
}

INSTANTIATE_TEST_SUITE_P(All, DownloadSizes,
                         ::testing::Values(SizeCase{0, {}}, SizeCase{1, {1}}, SizeCase{512, {512}},
                                           SizeCase{513, {512, 1}}),
                         [](const auto& info) { return std::to_string(info.param.size); });

TEST_F(FirmwareDownloadTest, FirstBlockLeavesOnTheFirstTickAndEachNextAfterAReply) {
    ShowAndReadVersion();
    Load(test::PatternImage(513));
    sim::SimFaults faults;
    faults.delayMs = 20;
    device->SetFaults(faults);
    session.OnStart();
    time.Advance(99);
    EXPECT_TRUE(DownloadFrames().empty());
    time.Advance(1);
    ASSERT_EQ(DownloadFrames().size(), 1u);
    EXPECT_EQ(session.State().BlockText(), "block 1 of 2, 0%");
    // The reply comes 20 ms later; the next block waits for the next tick.
    time.Advance(50);
    EXPECT_EQ(session.State().BlockText(), "block 1 of 2, 99%");
    EXPECT_EQ(DownloadFrames().size(), 1u);
    time.Advance(69);
    EXPECT_EQ(DownloadFrames().size(), 1u);
    time.Advance(1);  // 100 ms after the reply
    EXPECT_EQ(DownloadFrames().size(), 2u);
    EXPECT_EQ(session.State().BlockText(), "block 2 of 2, 99%");
}

TEST_F(FirmwareDownloadTest, NoReplyEndsOnThe31stTickAndALateReplyStartsNothing) {
    ShowAndReadVersion();
    Load(test::PatternImage(2000));
    sim::SimFaults faults;
    faults.delayMs = 3300;  // the ack comes after the time-out
    device->SetFaults(faults);
    session.OnStart();
    time.Advance(100);  // the first block leaves
    time.Advance(3000);
    EXPECT_TRUE(session.State().busy);
    time.Advance(100);  // 31st tick
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    const UpgradeState& s = session.State();
    EXPECT_FALSE(s.busy);
    EXPECT_EQ(s.phase, UpgradePhase::Failed);
    EXPECT_EQ(s.progress, 0);
    EXPECT_FALSE(s.connected);
    EXPECT_TRUE(s.browseEnabled);
    time.Advance(5000);  // the late ack arrives
    EXPECT_EQ(device->RepliesSent(), 2u);
    EXPECT_EQ(DownloadFrames().size(), 1u);
    EXPECT_EQ(prompt.Texts().size(), 2u);
}

TEST_F(FirmwareDownloadTest, DisconnectMidDownloadTimesOutAndKeepsTheOldVersion) {
    const std::string oldVersion = device->Version();
    ShowAndReadVersion();
    Load(test::PatternImage(1500));
    sim::SimFaults faults;
    faults.disconnectAfterFirmwareBlocks = 2;
    device->SetFaults(faults);
    session.OnStart();
    Finish();
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    EXPECT_EQ(session.State().phase, UpgradePhase::Failed);
    EXPECT_EQ(session.State().BlockText(), "block 3 of 3, 68%");
    EXPECT_EQ(device->FirmwareBlocks().size(), 2u);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
    EXPECT_EQ(device->Version(), oldVersion);
    EXPECT_EQ(JoinVersion(session.State().currentVersion), oldVersion);
}

TEST_F(FirmwareDownloadTest, StopEndsTheDownloadAndStartBeginsAgainAtZero) {
    ShowAndReadVersion();
    Load(test::PatternImage(1500));
    session.OnStart();
    time.Advance(250);  // the first block and its reply, the second sent
    session.OnStop();
    EXPECT_FALSE(session.State().busy);
    EXPECT_EQ(session.State().phase, UpgradePhase::Stopped);
    EXPECT_FALSE(session.State().stopEnabled);
    EXPECT_TRUE(session.State().startEnabled);
    time.Advance(5000);
    const std::size_t sent = DownloadFrames().size();
    EXPECT_EQ(sent, 2u);
    EXPECT_TRUE(prompt.Texts().size() == 1);  // the question only

    session.OnStart();
    Finish();
    EXPECT_EQ(DownloadFrames()[sent].address, 0);
    EXPECT_EQ(device->FirmwareImage(), test::PatternImage(1500));
    EXPECT_EQ(prompt.Last(), kMsgDownloadSuccessful);
}

TEST_F(FirmwareDownloadTest, AShortVersionTextSendsNoBlockWriteAndTimesOut) {
    ShowAndReadVersion();
    Load(test::PatternImage(3), "1.2");
    EXPECT_EQ(session.State().firmwareVersion, (VersionGroups{"1.2", "", "", ""}));
    session.OnStart();
    time.Advance(200);  // block, reply, then the end of the image
    EXPECT_EQ(prompt.Last(), kMsgInvalidVersion);
    time.Advance(3000);
    EXPECT_TRUE(session.State().busy);
    time.Advance(100);
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST_F(FirmwareDownloadTest, AnswerNoStartsNothing) {
    ShowAndReadVersion();
    Load(test::PatternImage(10));
    prompt.answers = {false};
    session.OnStart();
    time.Advance(1000);
    EXPECT_FALSE(session.State().busy);
    EXPECT_TRUE(DownloadFrames().empty());
}

TEST_F(FirmwareDownloadTest, ConnectTimeOutAndALateVersionReply) {
    sim::SimFaults faults;
    faults.delayMs = 3500;
    device->SetFaults(faults);
    session.OnShow(true);
    time.Advance(3000);
    EXPECT_TRUE(prompt.shown.empty());
    time.Advance(100);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgConnectTimeout});
    EXPECT_FALSE(session.State().browseEnabled);
    EXPECT_EQ(session.State().phase, UpgradePhase::NotLinked);
    // The reply still comes on the open port and is taken in full.
    time.Advance(1000);
    EXPECT_TRUE(session.State().connected);
    EXPECT_TRUE(session.State().browseEnabled);
    EXPECT_EQ(JoinVersion(session.State().currentVersion), device->Version());
}

TEST_F(FirmwareDownloadTest, HidingDuringADownloadClosesThePortAndEndsInTheTimeOut) {
    ShowAndReadVersion();
    Load(test::PatternImage(1500));
    session.OnStart();
    time.Advance(150);
    session.OnHide();
    EXPECT_FALSE(comm.GetPortOpen());
    Finish();
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST(FirmwareDownloadPort, APortThatDoesNotOpenIsToldThenTheConnectTimeOutFollows) {
    test::FakeTimers time;
    auto device = std::make_shared<sim::SimDevice>();
    CMSComm comm{std::make_unique<sim::SimSerialBackend>(device, time.NewHost())};
    const std::unique_ptr<TimerHost> host = time.NewHost();
    test::FakePrompt prompt;
    FirmwareDownload session{comm, *host, prompt, [] { return std::string(); }};
    session.OnShow(true);
    EXPECT_FALSE(session.State().getVersionEnabled);
    time.Advance(3100);
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{std::string(kErrNoPortChosen) + "!", kMsgConnectTimeout}));
    EXPECT_TRUE(device->Requests().empty());
}

TEST_F(FirmwareDownloadTest, BrowseTakesValidFilesAndRefusesOthers) {
    ShowAndReadVersion();
    Load(test::PatternImage(4));
    const std::string good = session.State().filePath;

    // A file that cannot be read: the loaded one stays, Start with it.
    session.OnBrowse(dir.File("missing.Dlc"));
    EXPECT_EQ(prompt.Last(), kMsgInvalidDownloadFile);
    EXPECT_EQ(session.State().filePath, dir.File("missing.Dlc"));
    EXPECT_TRUE(session.State().startEnabled);

    // An invalid file: Start off; its version shows when the third colon was found.
    session.OnBrowse(WriteFile("bad.Dlc", "0102:4:ABCDEFGHIJKLMNOP:1:"));
    EXPECT_EQ(prompt.Last(), kMsgInvalidFirmwareFile);
    EXPECT_FALSE(session.State().startEnabled);
    EXPECT_EQ(JoinVersion(session.State().firmwareVersion), "ABCDEFGHIJKLMNOP");
    session.OnBrowse(WriteFile("nocolon.Dlc", "0102"));
    EXPECT_EQ(JoinVersion(session.State().firmwareVersion), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(prompt.Texts().size(), 3u);

    // Cancelled dialog: nothing changes.
    session.OnBrowse("");
    EXPECT_EQ(prompt.Texts().size(), 3u);

    // While a download runs the file cannot change under it.
    session.OnBrowse(good);
    session.OnStart();
    time.Advance(100);
    EXPECT_FALSE(session.State().browseEnabled);
    session.OnBrowse(WriteFile("other.Dlc", test::FirmwareText("FFFF", kNewVersion)));
    EXPECT_EQ(session.State().filePath, good);
    Finish();
    EXPECT_EQ(device->FirmwareImage(), test::PatternImage(4));
}

TEST_F(FirmwareDownloadTest, ShowingAgainKeepsVersionsAndFileAndReopensThePort) {
    ShowAndReadVersion();
    Load(test::PatternImage(4));
    session.OnHide();
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_FALSE(session.State().getVersionEnabled);
    session.OnShow(true);
    EXPECT_TRUE(comm.GetPortOpen());
    EXPECT_TRUE(session.State().getVersionEnabled);
    EXPECT_TRUE(session.State().startEnabled);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 1);  // no second read
    // Hidden, the buttons do nothing.
    session.OnHide();
    session.OnStart();
    EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace tavix
