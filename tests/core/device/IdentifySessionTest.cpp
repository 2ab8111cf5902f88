// "Open Device" against a scripted serial line: the frame, the version
// string, the profile and series checks and the time-out.
#include "device/IdentifySession.h"

#include "link/Frame.h"
#include "link/LinkMessages.h"

#include "logger/LoggerLink.h"
#include "logger/LoggerMessages.h"
#include "support/MainFormFixture.h"

namespace tavix {
namespace {

using test::Request;

using IdentifySessionTest = test::ScriptedMainFormTest;

TEST_F(IdentifySessionTest, OpenDeviceSendsTheIdentificationAndShowsTheDevice) {
    bool pagesHidden = false;
    identity.hideDevicePages = [&] { pagesHidden = true; };
    identity.OnOpenDevice();
    EXPECT_TRUE(pagesHidden);
    ASSERT_EQ(serial.openedPorts, std::vector<std::string>{"/dev/ttyTEST"});
    ASSERT_EQ(serial.written.size(), 1u);
    EXPECT_EQ(serial.written[0], (Bytes{0x03, 0x0E, 0x00, 0x02, 0x00, 0x88, 0x63}));
    EXPECT_FALSE(Controls().openDeviceEnabled);
    EXPECT_FALSE(Controls().setComPortEnabled);

    // The reply in three pieces: nothing happens before the last one is in.
    const Bytes reply = test::IdentifyReply(test::kLoggerVersion);
    serial.Feed(Bytes(reply.begin(), reply.begin() + 200));
    serial.Feed(Bytes(reply.begin() + 200, reply.begin() + 518));
    time.Advance(1000);
    EXPECT_FALSE(identity.State().connected);
    serial.Feed(Bytes(reply.begin() + 518, reply.end()));
    time.Advance(0);

    const IdentityState& s = identity.State();
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(s.version, test::kLoggerVersion);
    EXPECT_EQ(s.hardwareCode, "1L40");
    EXPECT_EQ(s.description, "profile 1L40");
    EXPECT_EQ(s.series, kSeriesTarrow);
    EXPECT_EQ(Controls().tabs, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_TRUE(Controls().uploadEnabled);
    EXPECT_TRUE(Controls().clearEnabled);
    EXPECT_TRUE(Controls().openDeviceEnabled);
    EXPECT_FALSE(Controls().setComPortEnabled);
    EXPECT_FALSE(line.busy);
    EXPECT_TRUE(s.hasLogger);
    EXPECT_FALSE(serial.open);
    EXPECT_EQ(identity.TakeTabRequest(), -1);
    EXPECT_EQ(FixedText(onScreen.header.version), test::kLoggerVersion);
    EXPECT_EQ(FixedText(onScreen.header.hwCode), "1L40");
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(IdentifySessionTest, AnEscWithoutLoggerOffersOnlyItsPages) {
    Identify("TVKB20140V200312");
    const IdentityState& s = identity.State();
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(s.series, kSeriesVelmor);
    EXPECT_EQ(Controls().tabs, (std::array<bool, 5>{true, true, false, false, true}));
    EXPECT_FALSE(Controls().uploadEnabled);
    EXPECT_FALSE(Controls().clearEnabled);
    EXPECT_EQ(identity.TakeTabRequest(), kTabParameter);
    EXPECT_EQ(identity.TakeTabRequest(), -1);
}

TEST_F(IdentifySessionTest, TheWholeBlockIsKeptAndHandedToTheHistoryAndAFailureShown) {
    std::vector<Bytes> kept;
    identity.keepBlock = [&kept](const Bytes& block) {
        kept.push_back(block);
        return std::string("Can't keep it!");
    };
    Identify("TVKB20140V200312");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].size(), kParamBlockSize);
    EXPECT_EQ(kept[0], identity.ReceivedBlock());
    EXPECT_EQ(std::string(kept[0].begin() + kBlockVersionOffset,
                          kept[0].begin() + kBlockVersionOffset + kBlockVersionSize),
              "TVKB20140V200312");
    EXPECT_EQ(prompt.Last(), "Can't keep it!");
}

TEST_F(IdentifySessionTest, UnknownHardwareOrSeriesIsReportedAndTheDeviceNotShown) {
    Identify("TVKA20141Q990312");
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Can't find hardware 1Q99's parameter setting!"});
    EXPECT_FALSE(identity.State().connected);
    EXPECT_TRUE(Controls().openDeviceEnabled);
    EXPECT_TRUE(Controls().setComPortEnabled);

    prompt.shown.clear();
    Identify("TVXX20149X990312");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unrecognized firmware version : TVXX20149X990312");
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(identity.State().connected);
    EXPECT_FALSE(serial.open);
}

TEST_F(IdentifySessionTest, IdentificationTimesOutOnTheThirtiethTick) {
    Identify();  // a device was shown before
    onScreen.dataLoaded = true;
    prompt.onShow = [&](const std::string&) {
        // The box sees the state already changed.
        EXPECT_FALSE(identity.State().connected);
        EXPECT_FALSE(serial.open);
    };
    identity.OnOpenDevice();
    time.Advance(2999);
    EXPECT_TRUE(prompt.shown.empty());
    time.Advance(1);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgOpenTimeout});
    // Silence: what to check.
    EXPECT_EQ(prompt.shown.back().detail.rfind("Not one byte came back on ", 0), 0u)
        << prompt.shown.back().detail;

    const IdentityState& s = identity.State();
    EXPECT_FALSE(s.connected);
    EXPECT_TRUE(s.version.empty());
    EXPECT_FALSE(Controls().uploadEnabled);
    EXPECT_FALSE(Controls().clearEnabled);
    EXPECT_TRUE(Controls().openDeviceEnabled);
    EXPECT_TRUE(Controls().setComPortEnabled);
    EXPECT_EQ(Controls().tabs, (std::array<bool, 5>{true, false, false, true, false}));
    EXPECT_EQ(identity.TakeTabRequest(), kTabWelcome);
    EXPECT_EQ(TimersRunning(), 0);
    time.Advance(10000);
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(IdentifySessionTest, AReplyWithABadCrcIsDroppedAndTheTimeOutFollows) {
    identity.OnOpenDevice();
    Bytes reply = test::IdentifyReply(test::kLoggerVersion);
    reply.back() ^= 0x01;
    serial.Feed(reply);
    time.Advance(2900);
    EXPECT_FALSE(identity.State().connected);
    EXPECT_TRUE(prompt.shown.empty());
    time.Advance(100);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgOpenTimeout});
    // Not silence: the user is told that bytes came and none made a reply.
    EXPECT_EQ(prompt.shown.back().detail, FormatText(kDetailGarbledReply, 519ul));
}

TEST_F(IdentifySessionTest, ANoiseByteFromTheAdapterInFrontOfTheReplyStillIdentifiesTheDevice) {
    identity.OnOpenDevice();
    Bytes line{0x00};
    const Bytes reply = test::IdentifyReply(test::kLoggerVersion);
    line.insert(line.end(), reply.begin(), reply.end());
    serial.Feed(line);
    time.Advance(0);
    EXPECT_TRUE(identity.State().connected);
    EXPECT_TRUE(prompt.shown.empty());
}

// The window's identity and the one connected device move together: Open
// Device ends the old identity before any answer, and a page that finds
// another ESC on the port changes what the window shows.
TEST_F(IdentifySessionTest, TheConnectedDeviceFollowsOpenDeviceTimeOutAndASwap) {
    Identify();
    ASSERT_EQ(device.State(), DeviceState::Identified);
    EXPECT_EQ(device.Port(), "/dev/ttyTEST");
    EXPECT_EQ(device.Identity().version, test::kLoggerVersion);

    identity.OnOpenDevice();
    EXPECT_EQ(device.State(), DeviceState::Reading);
    EXPECT_FALSE(identity.State().connected);
    EXPECT_EQ(identity.State().version, "");
    EXPECT_EQ(identity.State().description, "");
    time.Advance(3000);
    EXPECT_EQ(device.State(), DeviceState::Lost);

    Identify();
    Bytes velmor(512, 0);
    std::copy_n("TVKB20140V200312", 16, velmor.begin() + 256);
    device.BlockRead(velmor);
    EXPECT_EQ(identity.State().version, "TVKB20140V200312");
    EXPECT_EQ(identity.State().series, kSeriesVelmor);
    EXPECT_FALSE(identity.State().hasLogger);
}

TEST_F(IdentifySessionTest, AnotherPortUserIsReportedWithoutSendingAnything) {
    serial.openError = "Permission denied";
    identity.OnOpenDevice();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Port /dev/ttyTEST: Permission denied!"});
    EXPECT_TRUE(serial.written.empty());
    EXPECT_TRUE(Controls().openDeviceEnabled);
    EXPECT_FALSE(line.busy);
}

// After a time-out, a failed open or an unplugged adapter the window shows
// no device and offers nothing that needs one, already while the message is up.
TEST_F(IdentifySessionTest, TheDeviceIsShownGoneAfterATimeOutAFailedOpenOrAnUnplug) {
    const auto upOnMessage = [this](std::vector<bool>& seen) {
        prompt.onShow = [this, &seen](const std::string&) {
            seen.push_back(identity.State().connected || Controls().uploadEnabled);
        };
    };
    std::vector<bool> seen;
    Identify();
    ASSERT_TRUE(Controls().uploadEnabled);
    upOnMessage(seen);
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});  // asks first
    time.Advance(3100);                                 // the header never comes
    EXPECT_EQ(Messages().back(), kMsgDataTimeout);
    EXPECT_EQ(seen.back(), false);
    EXPECT_EQ(identity.State().version, "");
    EXPECT_FALSE(Controls().clearEnabled);

    prompt.onShow = nullptr;
    Identify();
    ASSERT_TRUE(identity.State().connected);
    upOnMessage(seen);
    serial.openError = "Permission error while locking the device";
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    EXPECT_EQ(Messages().back(), "Port /dev/ttyTEST: Permission error while locking the device!");
    EXPECT_EQ(seen.back(), false);

    prompt.onShow = nullptr;
    serial.openError.clear();
    Identify();
    identity.OnPortPresence(true);
    EXPECT_TRUE(identity.State().connected);
    line.busy = true;  // an exchange runs: its own time-out will tell
    identity.OnPortPresence(false);
    EXPECT_TRUE(identity.State().connected);
    line.busy = false;
    const int before = changes;
    identity.OnPortPresence(false);
    EXPECT_FALSE(identity.State().connected);
    EXPECT_FALSE(Controls().uploadEnabled);
    EXPECT_EQ(changes, before + 1);
    identity.OnPortPresence(false);  // told once
    EXPECT_EQ(changes, before + 1);
}

}  // namespace
}  // namespace tavix
