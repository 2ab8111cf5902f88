// Whole firmware downloads against the simulated ESC on fake time.
#include "upgrade/FirmwareDownload.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/FormatText.h"
#include "device/ConnectedDevice.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/FirmwareFixture.h"
#include "fakes/TempDir.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "sim/DeviceProfile.h"
#include "sim/SimSerialBackend.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix {
namespace {

// A newer build for the simulated Ostrin ESC (series KC, hardware 0C30).
constexpr const char* kNewVersion = "TVKC20140C300420";

class FirmwareDownloadTest : public ::testing::Test {
protected:
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

    // Start, and its read of the ESC answered (the first block leaves with it).
    void Start() {
        session.OnStart();
        time.Advance(0);
    }

    // Runs a started download (Start's read of the ESC first) until it ends.
    void Finish(std::int64_t limitMs = 60000) {
        ASSERT_TRUE(time.AdvanceUntil(
            [&] {
                return !session.State().busy &&
                       session.State().phase != UpgradePhase::ReadingVersion;
            },
            limitMs, 10));
    }

    // Commands the ESC received after the reads of the version (on show and
    // the one Start makes first).
    std::vector<DeviceFrame> DownloadFrames() const {
        std::vector<DeviceFrame> frames = device->Requests();
        while (!frames.empty() && frames.front().command == kCmdReadBlock) {
            frames.erase(frames.begin());
        }
        return frames;
    }

    void ExpectEndedAndRestartable(UpgradePhase phase) {
        const UpgradeState& s = session.State();
        EXPECT_EQ(s.phase, phase);
        EXPECT_FALSE(s.busy);
        EXPECT_FALSE(s.stopEnabled);
        EXPECT_TRUE(s.startEnabled);
        EXPECT_TRUE(s.browseEnabled);
    }

    test::FakeTimers time;
    std::shared_ptr<sim::SimDevice> device = std::make_shared<sim::SimDevice>(sim::Series::Ostrin);
    CMSComm comm{std::make_unique<sim::SimSerialBackend>(device, time.NewHost())};
    std::unique_ptr<TimerHost> host = time.NewHost();
    test::FakePrompt prompt;
    FirmwareDownload session{comm, *host, prompt, [] { return std::string("demo"); }};
    std::shared_ptr<ConnectedDevice> esc = std::make_shared<ConnectedDevice>();
    test::TempDir dir;
};

TEST_F(FirmwareDownloadTest, ShowReadsTheVersionNowInTheEsc) {
    ShowAndReadVersion();
    const UpgradeState& s = session.State();
    EXPECT_EQ(JoinVersion(s.currentVersion), device->Version());
    EXPECT_EQ(s.progress, 100);
    EXPECT_EQ(s.BarValue(), 0);  // idle: an empty bar beside an empty label
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

TEST_P(DownloadSizes, SendsTheImageThenTheBlockThenReadsItBack) {
    const SizeCase& c = GetParam();
    const Bytes image = test::PatternImage(c.size);
    const Bytes before = device->ParamBlock();
    ShowAndReadVersion();
    Load(image);
    std::string installed;
    session.installed = [&](const std::string& version) {
        installed = version;
        EXPECT_TRUE(prompt.shown.size() == 1);  // before the success is shown
    };
    session.OnStart();
    Finish();

    const std::vector<DeviceFrame> frames = DownloadFrames();
    ASSERT_EQ(frames.size(), c.blockSizes.size() + 2);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < c.blockSizes.size(); ++i) {
        EXPECT_EQ(frames[i].command, kCmdWriteFirmware);
        EXPECT_EQ(frames[i].address, offset);
        EXPECT_EQ(frames[i].length, c.blockSizes[i]);
        offset += c.blockSizes[i];
    }
    // Then the block as read, with only the version replaced, and its read-back.
    const DeviceFrame& write = frames[frames.size() - 2];
    EXPECT_EQ(write.command, kCmdWriteBlock);
    EXPECT_EQ(write.address, kParamBlockAddress);
    Bytes expected = before;
    std::copy_n(kNewVersion, 16, expected.begin() + 256);
    EXPECT_EQ(write.data, expected);
    EXPECT_EQ(frames.back().command, kCmdReadBlock);

    EXPECT_EQ(device->FirmwareImage(), image);
    EXPECT_EQ(device->Version(), kNewVersion);
    EXPECT_EQ(installed, kNewVersion);
    const UpgradeState& s = session.State();
    ExpectEndedAndRestartable(UpgradePhase::Done);
    EXPECT_EQ(JoinVersion(s.currentVersion), kNewVersion);
    EXPECT_EQ(s.progress, 100);
    EXPECT_EQ(s.blocksSent, static_cast<int>(c.blockSizes.size()));
    EXPECT_EQ(s.SharePercent(), 100);
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{kMsgConfirmUpgrade, kMsgDownloadSuccessful}));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Information);
}

INSTANTIATE_TEST_SUITE_P(All, DownloadSizes,
                         ::testing::Values(SizeCase{1, {1}}, SizeCase{512, {512}},
                                           SizeCase{513, {512, 1}}),
                         [](const auto& info) { return std::to_string(info.param.size); });

// A file that fails a check: nothing of it, nor of the file before it, stays
// on the page, the detail names the check, and Start sends nothing.
struct RefusalCase {
    const char* name;
    std::string content;  // empty: the file does not exist
    const char* message;
    const char* detailStart;
};

class Refusals : public FirmwareDownloadTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, ClearThePageBeforeAnythingIsSent) {
    const RefusalCase& c = GetParam();
    ShowAndReadVersion();
    Load(test::PatternImage(600));
    const std::string path =
        c.content.empty() ? dir.File("missing.Dlc") : WriteFile("bad.Dlc", c.content);
    session.OnBrowse(path);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.Last(), c.message);
    EXPECT_EQ(prompt.shown.back().detail.rfind(path + (c.content.empty() ? "" : "\n"), 0), 0u);
    EXPECT_NE(prompt.shown.back().detail.find(c.detailStart), std::string::npos)
        << prompt.shown.back().detail;
    const UpgradeState& s = session.State();
    EXPECT_EQ(s.filePath, "");
    EXPECT_EQ(s.firmwareVersion, VersionGroups{});
    EXPECT_FALSE(s.startEnabled);
    EXPECT_EQ(s.phase, UpgradePhase::Linked);
    session.OnStart();
    time.Advance(5000);
    EXPECT_TRUE(DownloadFrames().empty());
    EXPECT_EQ(prompt.shown.size(), 1u);
}

std::string WithVersion(const std::string& version) {
    return test::FirmwareText("0102", version);
}

INSTANTIATE_TEST_SUITE_P(
    All, Refusals,
    ::testing::Values(
        RefusalCase{"EightCharacterVersion", WithVersion("1.2.3.45"), kMsgInvalidFirmwareFile,
                    "Version: the version text has 8 characters"},
        RefusalCase{"SeventeenCharacters", WithVersion(std::string(kNewVersion) + "X"),
                    kMsgInvalidFirmwareFile, "has 17 characters"},
        RefusalCase{"ZeroByteInVersion",
                    WithVersion(std::string("TVKC\0"
                                            "0140C300420",
                                            16)),
                    kMsgInvalidFirmwareFile, "zero byte at character 5"},
        RefusalCase{"WrongChecksum", "0102:4:TVKC20140C300420:1:", kMsgInvalidFirmwareFile,
                    "Checksum:"},
        RefusalCase{"LengthField", "0102:5:TVKC20140C300420:1:", kMsgInvalidFirmwareFile,
                    "Length: the length field does not give the 4 image characters"},
        RefusalCase{"NoColon", "0102", kMsgInvalidFirmwareFile, "Layout: the file has no colon"},
        RefusalCase{"NoVersionEnd", "0102:4:TVKC", kMsgInvalidFirmwareFile, "Layout: no colon"},
        RefusalCase{"TooLarge",
                    test::FirmwareText(std::string(2 * (kMaxFirmwareImage + 1), '0'), kNewVersion),
                    kMsgInvalidFirmwareFile, "Size: the image is 65537 bytes"},
        RefusalCase{"Unreadable", "", kMsgInvalidDownloadFile, "missing.Dlc"}),
    [](const auto& info) { return std::string(info.param.name); });

// The question before Start names both versions; a file for another series
// or hardware is said to be so, with No as the default answer.
struct QuestionCase {
    const char* name;
    const char* fileVersion;
    const char* shown;  // as the question shows it
    bool otherHardware;
};

class Questions : public FirmwareDownloadTest,
                  public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(Questions, NameBothVersionsAndWarnOfOtherHardware) {
    const QuestionCase& c = GetParam();
    ShowAndReadVersion();
    Load(test::PatternImage(100), c.fileVersion);
    prompt.answers = {false};
    Start();
    ASSERT_EQ(prompt.shown.size(), 1u);
    const test::FakePrompt::Shown& asked = prompt.shown[0];
    EXPECT_TRUE(asked.question);
    EXPECT_EQ(asked.text, c.otherHardware ? kMsgOtherHardware : kMsgConfirmUpgrade);
    EXPECT_EQ(asked.defaultYes, !c.otherHardware);
    const std::string versions = FormatText(kFmtUpgradeVersions, "TVKC 2014 0C30 0312", c.shown);
    EXPECT_EQ(asked.detail.rfind(versions, 0), 0u) << asked.detail;
    EXPECT_EQ(asked.detail.find("The ESC: series KC, hardware 0C30") != std::string::npos,
              c.otherHardware);
    // No: nothing is sent, the page stays ready.
    time.Advance(1000);
    EXPECT_TRUE(DownloadFrames().empty());
    EXPECT_EQ(session.State().phase, UpgradePhase::Ready);
}

INSTANTIATE_TEST_SUITE_P(
    All, Questions,
    ::testing::Values(QuestionCase{"SameHardware", kNewVersion, "TVKC 2014 0C30 0420", false},
                      QuestionCase{"OtherSeries", "TVKA20140C300420", "TVKA 2014 0C30 0420", true},
                      QuestionCase{"OtherHardware", "TVKC20141L400420", "TVKC 2014 1L40 0420",
                                   true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FirmwareDownloadTest, AWriteTheEscDoesNotKeepIsAFailureNamingBothVersions) {
    const std::string oldVersion = device->Version();
    ShowAndReadVersion();
    Load(test::PatternImage(700));
    device->MutableFaults().keepParamBlock = true;
    bool installed = false;
    session.installed = [&](const std::string&) { installed = true; };
    session.OnStart();
    Finish();
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 1);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 3);  // on show, before Start, the read-back
    EXPECT_EQ(prompt.Last(),
              FormatText(kFmtVersionNotKept, "TVKC 2014 0C30 0312", "TVKC 2014 0C30 0420"));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Exclamation);
    EXPECT_FALSE(installed);
    ExpectEndedAndRestartable(UpgradePhase::Failed);
    // The block still names the old firmware, but the image may not be whole.
    EXPECT_TRUE(JoinVersion(session.State().currentVersion).empty());
    EXPECT_EQ(session.State().VersionNote(), kTextIncompleteVersion);
    EXPECT_EQ(session.State().progress, 0);
    EXPECT_LT(session.State().SharePercent(), 100);

    // Start again: from the first block, and this time the ESC keeps it.
    device->MutableFaults().keepParamBlock = false;
    const std::size_t sent = DownloadFrames().size();
    session.OnStart();
    Finish();
    EXPECT_EQ(DownloadFrames()[sent].command, kCmdReadBlock);  // Start's read
    EXPECT_EQ(DownloadFrames()[sent + 1].address, 0);
    EXPECT_EQ(prompt.Last(), kMsgDownloadSuccessful);
}

TEST_F(FirmwareDownloadTest, EachFrameLeavesOnTheReplyBeforeItNotOnATick) {
    ShowAndReadVersion();
    Load(test::PatternImage(1100));
    device->MutableFaults().delayMs = 30;  // each reply comes 30 ms after its request
    session.OnStart();
    EXPECT_TRUE(DownloadFrames().empty());
    time.Advance(30);  // Start's read of the ESC is answered
    // The first block leaves with the answer Yes, without waiting for a tick.
    ASSERT_EQ(DownloadFrames().size(), 1u);
    EXPECT_EQ(session.State().BlockText(), "block 1 of 3, 0%");
    time.Advance(29);
    EXPECT_EQ(DownloadFrames().size(), 1u);
    time.Advance(1);  // the reply: the next block at the same moment
    ASSERT_EQ(DownloadFrames().size(), 2u);
    EXPECT_EQ(session.State().BlockText(), "block 2 of 3, 46%");
    EXPECT_EQ(session.State().progress, 46);
    time.Advance(30);
    EXPECT_EQ(DownloadFrames().size(), 3u);
    time.Advance(30);  // the last block's reply: the version write
    EXPECT_EQ(DownloadFrames().back().command, kCmdWriteBlock);
    EXPECT_EQ(session.State().progress, 99);
    time.Advance(30);  // its reply: the read-back
    EXPECT_EQ(DownloadFrames().back().command, kCmdReadBlock);
    EXPECT_TRUE(session.State().busy);
    time.Advance(30);  // the verdict with the last reply
    EXPECT_EQ(prompt.Last(), kMsgDownloadSuccessful);
    EXPECT_EQ(time.RunningCount(), 0);
}

TEST_F(FirmwareDownloadTest, APacedDownloadTakesTheLinesOwnTime) {
    ShowAndReadVersion();
    Load(test::PatternImage(8192));
    device->MutableFaults().pace = true;
    session.nowMs = [&] { return time.Now(); };
    session.OnStart();
    // Timed from the first block, which leaves with the answer to Start's read.
    ASSERT_TRUE(time.AdvanceUntil([&] { return session.State().busy; }, 5000, 1));
    const std::int64_t start = time.Now();
    time.Advance(4000);  // the pace is known: the time left is told
    EXPECT_NE(session.State().BlockText().find(" s left"), std::string::npos)
        << session.State().BlockText();
    Finish(120000);
    ASSERT_EQ(prompt.Last(), kMsgDownloadSuccessful);
    // Every frame and its reply, at 960 bytes a second.
    std::size_t bytes = 0;
    for (const DeviceFrame& f : DownloadFrames()) {
        bytes += kFrameOverhead + f.data.size() + ExpectedReplyLength(f.command, f.length);
    }
    const std::int64_t wireMs = static_cast<std::int64_t>(bytes) * 1000 / 960;
    EXPECT_GE(time.Now() - start, wireMs);
    // Fake time steps by 10 ms: at most one step per frame beyond the wire time.
    EXPECT_LE(time.Now() - start, wireMs + 10 * static_cast<std::int64_t>(DownloadFrames().size()));
}

TEST_F(FirmwareDownloadTest, NoReplyEndsOnThe31stTickAndALateReplyStartsNothing) {
    ShowAndReadVersion();
    Load(test::PatternImage(2000));
    session.OnStart();
    device->MutableFaults().delayMs = 3300;  // Start's read is answered, the ack comes late
    time.Advance(3000);
    EXPECT_TRUE(session.State().busy);
    time.Advance(100);  // 31st tick
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    EXPECT_EQ(prompt.shown.back().detail.rfind("No reply to block 1 of 4.", 0), 0u);
    ExpectEndedAndRestartable(UpgradePhase::Failed);
    EXPECT_EQ(session.State().progress, 0);
    EXPECT_FALSE(session.State().connected);
    time.Advance(5000);  // the late ack arrives
    EXPECT_EQ(device->RepliesSent(), 3u);
    EXPECT_EQ(DownloadFrames().size(), 1u);
    EXPECT_EQ(prompt.Texts().size(), 2u);
}

TEST_F(FirmwareDownloadTest, DisconnectMidDownloadTimesOutAndKeepsTheOldVersion) {
    const std::string oldVersion = device->Version();
    ShowAndReadVersion();
    Load(test::PatternImage(1500));
    device->MutableFaults().disconnectAfterFirmwareBlocks = 2;
    session.OnStart();
    Finish();
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    ExpectEndedAndRestartable(UpgradePhase::Failed);
    EXPECT_EQ(session.State().BlockText(), "block 3 of 3, 68%");
    EXPECT_EQ(device->FirmwareBlocks().size(), 2u);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
    EXPECT_EQ(device->Version(), oldVersion);
    // The block still names the old firmware, but the image may not be whole.
    EXPECT_TRUE(JoinVersion(session.State().currentVersion).empty());
    EXPECT_EQ(session.State().VersionNote(), kTextIncompleteVersion);
}

TEST_F(FirmwareDownloadTest, ALostBlockAcknowledgedByTheOneBeforeNeverSucceeds) {
    const std::string oldVersion = device->Version();
    // Lose the second block, or the last one (whose ack would start the
    // parameter-block write): the ack of the block before comes again.
    // Start's read of the version is request 1 after the fault is set.
    session.SetDevice(esc);
    for (const int lost : {3, 4}) {
        SCOPED_TRACE(lost);
        prompt.shown.clear();
        session.OnShow(true);
        session.OnGetVersion();
        ASSERT_TRUE(time.AdvanceUntil([&] { return session.State().connected; }, 1000));
        Load(test::PatternImage(1500));
        device->MutableFaults().loseRequest = lost;
        session.OnStart();
        Finish();
        EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
        EXPECT_NE(prompt.shown.back().detail.find("another request: 1"), std::string::npos)
            << prompt.shown.back().detail;
        ExpectEndedAndRestartable(UpgradePhase::Failed);
        EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
        EXPECT_EQ(device->Version(), oldVersion);
        EXPECT_EQ(session.State().VersionNote(), kTextIncompleteVersion);
        device->SetFaults({});
        session.OnHide();
    }
}

// The page and the one connected device: Open Device identified the ESC.
class UpgradeIdentityTest : public FirmwareDownloadTest {
protected:
    void SetUp() override {
        session.SetDevice(esc);
        OpenDevice();
    }
    void OpenDevice() {
        esc->Opening("demo");
        esc->Identify(device->ParamBlock());
    }
    int VersionReads() const { return device->RequestCount(kCmdReadBlock); }
};

TEST_F(UpgradeIdentityTest, ShownAfterAnotherEscWasIdentifiedThePageReadsItFirst) {
    ShowAndReadVersion();
    session.OnHide();
    device->SwapEsc(sim::Series::Velmor);
    OpenDevice();
    const int reads = VersionReads();
    EXPECT_TRUE(session.State().currentVersion[0].empty());  // cleared at once
    session.OnShow(true);
    EXPECT_FALSE(session.State().connected);
    ASSERT_TRUE(time.AdvanceUntil([&] { return session.State().connected; }, 1000));
    EXPECT_EQ(VersionReads(), reads + 1);
    EXPECT_EQ(JoinVersion(session.State().currentVersion), device->Version());
    // An Ostrin file into the Velmor: asked plainly, No by default, and No sends nothing.
    Load(test::PatternImage(600));
    prompt.answers = {false};
    session.OnStart();
    time.Advance(500);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back().text, kMsgOtherHardware);
    EXPECT_FALSE(prompt.shown.back().defaultYes);
    EXPECT_NE(prompt.shown.back().detail.find(device->Version().substr(0, 4)), std::string::npos);
    EXPECT_TRUE(DownloadFrames().empty());
}

TEST_F(UpgradeIdentityTest, StartReadsTheEscAgainAndSendsNothingToAnotherOne) {
    ShowAndReadVersion();
    Load(test::PatternImage(600));
    device->SwapEsc(sim::Series::Velmor);  // no Open Device: the page still shows the Ostrin
    session.OnStart();
    time.Advance(500);
    EXPECT_TRUE(DownloadFrames().empty());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(prompt.shown[0].question);
    EXPECT_EQ(prompt.shown[0].text.rfind("The ESC on the port is now TVKB", 0), 0u)
        << prompt.shown[0].text;
    // The page and the device now tell of the Velmor.
    EXPECT_EQ(JoinVersion(session.State().currentVersion), device->Version());
    EXPECT_EQ(esc->Identity().version, device->Version());
}

TEST_F(UpgradeIdentityTest, AnIdlePageClearsAtOnceWhenTheDeviceIsLost) {
    ShowAndReadVersion();
    esc->Lose();
    const UpgradeState& s = session.State();
    EXPECT_TRUE(JoinVersion(s.currentVersion).empty());
    EXPECT_FALSE(s.connected);
    EXPECT_FALSE(s.startEnabled);
    EXPECT_EQ(s.phase, UpgradePhase::NotLinked);
}

TEST_F(UpgradeIdentityTest, AStoppedDownloadLeavesTheFirmwareUnknownUntilOneSucceeds) {
    ShowAndReadVersion();
    Load(test::PatternImage(1500));
    // Idle with a file: an empty label and a bar that agrees.
    EXPECT_EQ(session.State().StatusText(), "");
    EXPECT_EQ(session.State().Warning(), "");
    device->MutableFaults().delayMs = 100;
    session.OnStart();
    time.Advance(250);  // the read, the first block's reply, the second block sent
    session.OnStop();
    device->MutableFaults().delayMs = 0;
    const UpgradeState& s = session.State();
    ASSERT_EQ(s.phase, UpgradePhase::Stopped);
    EXPECT_TRUE(JoinVersion(s.currentVersion).empty());
    EXPECT_EQ(s.VersionNote(), kTextIncompleteVersion);
    EXPECT_EQ(s.Warning(), kMsgFirmwareIncomplete);
    EXPECT_EQ(s.StatusText(), s.BlockText());
    EXPECT_EQ(s.BarValue(), s.SharePercent());
    // Read again, the block still names the old firmware: not shown.
    session.OnGetVersion();
    time.Advance(500);
    EXPECT_TRUE(JoinVersion(s.currentVersion).empty());
    EXPECT_EQ(s.VersionNote(), kTextIncompleteVersion);
    session.OnStart();
    Finish();
    EXPECT_EQ(s.phase, UpgradePhase::Done);
    EXPECT_EQ(s.VersionNote(), "");
    EXPECT_EQ(s.Warning(), "");
    EXPECT_EQ(JoinVersion(s.currentVersion), kNewVersion);
}

TEST_F(FirmwareDownloadTest, StopEndsTheDownloadAndStartBeginsAgainAtZero) {
    ShowAndReadVersion();
    Load(test::PatternImage(1500));
    device->MutableFaults().delayMs = 100;
    session.OnStart();
    time.Advance(250);  // Start's read, the first block and its reply, the second sent
    session.OnStop();
    ExpectEndedAndRestartable(UpgradePhase::Stopped);
    time.Advance(5000);
    const std::size_t sent = DownloadFrames().size();
    EXPECT_EQ(sent, 2u);
    EXPECT_TRUE(prompt.Texts().size() == 1);  // the question only

    device->MutableFaults().delayMs = 0;
    session.OnStart();
    Finish();
    EXPECT_EQ(DownloadFrames()[sent].command, kCmdReadBlock);  // Start's read
    EXPECT_EQ(DownloadFrames()[sent + 1].address, 0);
    EXPECT_EQ(device->FirmwareImage(), test::PatternImage(1500));
    EXPECT_EQ(prompt.Last(), kMsgDownloadSuccessful);
}

TEST_F(FirmwareDownloadTest, ConnectTimeOutAndALateVersionReply) {
    device->MutableFaults().delayMs = 3500;
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
    device->MutableFaults().delayMs = 50;
    session.OnStart();
    time.Advance(70);  // Start's read answered, the first block on its way
    session.OnHide();
    EXPECT_FALSE(comm.GetPortOpen());
    Finish();
    EXPECT_EQ(prompt.Last(), kMsgDownloadTimeout);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST(FirmwareDownloadPort, APortThatDoesNotOpenIsToldOnceAndNothingIsSent) {
    test::FakeTimers time;
    auto device = std::make_shared<sim::SimDevice>();
    CMSComm comm{std::make_unique<sim::SimSerialBackend>(device, time.NewHost())};
    const std::unique_ptr<TimerHost> host = time.NewHost();
    test::FakePrompt prompt;
    FirmwareDownload session{comm, *host, prompt, [] { return std::string(); }};
    session.OnShow(true);
    EXPECT_FALSE(session.State().getVersionEnabled);
    time.Advance(3100);
    EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{std::string(kErrNoPortChosen) + "!"}));
    EXPECT_TRUE(device->Requests().empty());
}

TEST_F(FirmwareDownloadTest, BrowseIsRefusedWhileADownloadRunsAndACancelChangesNothing) {
    ShowAndReadVersion();
    Load(test::PatternImage(4));
    const std::string good = session.State().filePath;
    session.OnBrowse("");  // the dialog was cancelled
    EXPECT_EQ(session.State().filePath, good);
    EXPECT_TRUE(session.State().startEnabled);

    device->MutableFaults().delayMs = 50;
    session.OnStart();
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

TEST(UpgradeShare, PercentOfTheImageAndHundredOnlyWhenDone) {
    struct Case {
        std::size_t acknowledged, size;
        UpgradePhase phase;
        int percent;
    };
    for (const Case& c :
         {Case{0, 0, UpgradePhase::Transferring, 0}, Case{0, 0, UpgradePhase::Done, 100},
          Case{512, 1100, UpgradePhase::Transferring, 46},
          Case{1100, 1100, UpgradePhase::Transferring, 99},
          Case{1100, 1100, UpgradePhase::Failed, 99},
          Case{65535, 65536, UpgradePhase::Transferring, 99}}) {
        UpgradeState s;
        s.bytesAcknowledged = c.acknowledged;
        s.imageSize = c.size;
        s.phase = c.phase;
        EXPECT_EQ(s.SharePercent(), c.percent) << c.acknowledged << "/" << c.size;
    }
}

TEST(UpgradeShare, TimeLeftAtThePaceSeenOnceASecondHasPassed) {
    struct Case {
        std::size_t acknowledged;
        std::int64_t elapsedMs;
        bool busy;
        const char* text;
    };
    for (const Case& c : {Case{16384, 17500, true, "block 33 of 128, 25%, about 53 s left"},
                          Case{1024, 1000, true, "block 33 of 128, 1%, about 1 min 3 s left"},
                          Case{1024, 999, true, "block 33 of 128, 1%"},
                          Case{16384, 17500, false, "block 33 of 128, 25%"}}) {
        UpgradeState s;
        s.blocksSent = 33;
        s.blockCount = 128;
        s.imageSize = 65536;
        s.bytesAcknowledged = c.acknowledged;
        s.elapsedMs = c.elapsedMs;
        s.busy = c.busy;
        s.phase = UpgradePhase::Transferring;
        EXPECT_EQ(s.BlockText(), c.text);
    }
}

}  // namespace
}  // namespace tavix
