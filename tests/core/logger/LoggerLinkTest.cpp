// The device session against a scripted serial line: frames, replies in
// pieces or broken, the identification and the upload's time-outs, the
// no-flight case and a cancelled transfer.
#include "logger/LoggerLink.h"

#include "core/logger/LoggerLinkFixture.h"
#include "logger/LoggerMessages.h"

namespace tavix {
namespace {

using test::Request;

class LoggerLinkTest : public test::LoggerLinkFixture {
protected:
    LoggerLinkTest() : LoggerLinkFixture(MakeSerial) {}

    static std::unique_ptr<SerialBackend> MakeSerial(test::FakeTimers&) {
        auto serial = std::make_unique<test::ScriptedSerial>();
        lastSerial = serial.get();
        return serial;
    }

    Request LastRequest() const { return test::Parse(serial.written.back()); }

    // Open Device answered with `version`.
    void Identify(const std::string& version = test::kLoggerVersion) {
        link.OnOpenDevice();
        serial.Feed(test::IdentifyReply(version));
        time.Advance(0);  // the posted "version received"
    }

    // Upload started and its header answered.
    void StartUpload(const Bytes& header) {
        link.OnUploadRecordData(UploadForm{1.0f, 14, "note"});
        ASSERT_EQ(LastRequest(), (Request{kCmdReadMemory, 0, 64}));
        serial.Feed(test::MemoryReply(0, header));
    }

    static inline test::ScriptedSerial* lastSerial = nullptr;
    test::ScriptedSerial& serial = *lastSerial;
};

TEST_F(LoggerLinkTest, OpenDeviceSendsTheIdentificationAndShowsTheDevice) {
    bool pagesHidden = false;
    link.hideDevicePages = [&] { pagesHidden = true; };
    link.OnOpenDevice();
    EXPECT_TRUE(pagesHidden);
    ASSERT_EQ(serial.openedPorts, std::vector<std::string>{"/dev/ttyTEST"});
    ASSERT_EQ(serial.written.size(), 1u);
    EXPECT_EQ(serial.written[0], (Bytes{0x03, 0x0E, 0x00, 0x02, 0x00, 0x88, 0x63}));
    EXPECT_FALSE(link.State().openDeviceEnabled);
    EXPECT_FALSE(link.State().setComPortEnabled);

    // The reply in three pieces: nothing happens before the last one is in.
    const Bytes reply = test::IdentifyReply(test::kLoggerVersion);
    serial.Feed(Bytes(reply.begin(), reply.begin() + 200));
    serial.Feed(Bytes(reply.begin() + 200, reply.begin() + 518));
    time.Advance(1000);
    EXPECT_FALSE(link.State().connected);
    serial.Feed(Bytes(reply.begin() + 518, reply.end()));
    time.Advance(0);

    const LoggerLinkState& s = link.State();
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(s.version, test::kLoggerVersion);
    EXPECT_EQ(s.hardwareCode, "1L40");
    EXPECT_EQ(s.description, "profile 1L40");
    EXPECT_EQ(s.series, kSeriesTarrow);
    EXPECT_EQ(s.tabEnabled, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_TRUE(s.uploadEnabled);
    EXPECT_TRUE(s.clearEnabled);
    EXPECT_TRUE(s.openDeviceEnabled);
    EXPECT_FALSE(s.setComPortEnabled);
    EXPECT_FALSE(s.busy);
    EXPECT_FALSE(serial.open);
    EXPECT_EQ(link.TakeTabRequest(), -1);
    EXPECT_EQ(FixedText(config.Record().header.version), test::kLoggerVersion);
    EXPECT_EQ(FixedText(config.Record().header.hwCode), "1L40");
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(LoggerLinkTest, AnEscWithoutLoggerOffersOnlyItsPages) {
    Identify("TVKB20140V200312");
    const LoggerLinkState& s = link.State();
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(s.series, kSeriesVelmor);
    EXPECT_EQ(s.tabEnabled, (std::array<bool, 5>{true, true, false, false, true}));
    EXPECT_FALSE(s.uploadEnabled);
    EXPECT_FALSE(s.clearEnabled);
    EXPECT_EQ(link.TakeTabRequest(), kTabParameter);
    EXPECT_EQ(link.TakeTabRequest(), -1);
}

TEST_F(LoggerLinkTest, UnknownHardwareOrSeriesIsReportedAndTheDeviceNotShown) {
    Identify("TVKA20141Q990312");
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Can't find hardware 1Q99's parameter setting!"});
    EXPECT_FALSE(link.State().connected);
    EXPECT_TRUE(link.State().openDeviceEnabled);
    EXPECT_TRUE(link.State().setComPortEnabled);

    prompt.shown.clear();
    Identify("TVXX20149X990312");
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unrecognized firmware version : TVXX20149X990312");
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(link.State().connected);
    EXPECT_FALSE(serial.open);
}

TEST_F(LoggerLinkTest, IdentificationTimesOutOnTheThirtiethTick) {
    Identify();  // a device was shown before
    config.Record().dataLoaded = true;
    prompt.onShow = [&](const std::string&) {
        // The box sees the state already changed.
        EXPECT_FALSE(link.State().connected);
        EXPECT_FALSE(serial.open);
    };
    link.OnOpenDevice();
    time.Advance(2999);
    EXPECT_TRUE(prompt.shown.empty());
    time.Advance(1);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgOpenTimeout});

    const LoggerLinkState& s = link.State();
    EXPECT_FALSE(s.connected);
    EXPECT_TRUE(s.version.empty());
    EXPECT_FALSE(s.uploadEnabled);
    EXPECT_FALSE(s.clearEnabled);
    EXPECT_TRUE(s.openDeviceEnabled);
    EXPECT_TRUE(s.setComPortEnabled);
    EXPECT_EQ(s.tabEnabled, (std::array<bool, 5>{true, false, false, true, false}));
    EXPECT_EQ(link.TakeTabRequest(), kTabWelcome);
    EXPECT_EQ(TimersRunning(), 0);
    time.Advance(10000);
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(LoggerLinkTest, AReplyWithABadCrcIsDroppedAndTheTimeOutFollows) {
    link.OnOpenDevice();
    Bytes reply = test::IdentifyReply(test::kLoggerVersion);
    reply.back() ^= 0x01;
    serial.Feed(reply);
    time.Advance(2900);
    EXPECT_FALSE(link.State().connected);
    EXPECT_TRUE(prompt.shown.empty());
    time.Advance(100);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgOpenTimeout});
}

TEST_F(LoggerLinkTest, AnotherPortUserIsReportedWithoutSendingAnything) {
    serial.openError = "Permission denied";
    link.OnOpenDevice();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Permission denied!"});
    EXPECT_TRUE(serial.written.empty());
    EXPECT_TRUE(link.State().openDeviceEnabled);
    EXPECT_FALSE(link.State().busy);
}

TEST_F(LoggerLinkTest, UploadAsksFirstAndANoSendsNothing) {
    prompt.answers = {false};
    link.OnUploadRecordData(UploadForm{3.5f, 12, ""});
    EXPECT_EQ(prompt.shown.at(0).text, kMsgConfirmUpload);
    EXPECT_EQ(prompt.shown.at(0).icon, PromptIcon::Exclamation);
    EXPECT_TRUE(serial.written.empty());
    EXPECT_EQ(progressWindows, 0);
    // The form's values are in the header all the same.
    EXPECT_FLOAT_EQ(config.Record().header.gearRate, 3.5f);
    EXPECT_EQ(config.Record().header.poles, 12);
}

TEST_F(LoggerLinkTest, NoFlightMeansNoBlockRequestAndNoFlyRecordData) {
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    EXPECT_EQ(serial.written.at(0), (Bytes{0x04, 0x00, 0x00, 0x00, 0x40, 0x30, 0xD4}));
    EXPECT_EQ(progressWindows, 1);
    serial.Feed(test::MemoryReply(0, test::LoggerHeaderBytes({})));
    time.Advance(5000);
    EXPECT_EQ(serial.written.size(), 1u);
    EXPECT_EQ(windowResults, std::vector<bool>{false});
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmUpload, kMsgNoFlyData}));
    EXPECT_FALSE(link.Transfer().noData);  // the window took the flag
    EXPECT_FALSE(serial.open);
    EXPECT_FALSE(link.State().busy);
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(LoggerLinkTest, NoFlightAfterTheWindowWasClosedWithEnterStillEndsTheUpload) {
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    window.Accept();  // Enter before the logger has answered
    EXPECT_EQ(windowResults, std::vector<bool>{true});
    EXPECT_TRUE(link.State().busy);  // the transfer goes on without its window
    serial.Feed(test::MemoryReply(0, test::LoggerHeaderBytes({})));
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmUpload, kMsgNoFlyData}));
    EXPECT_FALSE(link.State().busy);
    EXPECT_FALSE(link.Transfer().running);
    EXPECT_FALSE(serial.open);
    EXPECT_EQ(TimersRunning(), 0);

    // The buttons work again: the next upload asks the logger.
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    EXPECT_EQ(serial.written.size(), 2u);
}

TEST_F(LoggerLinkTest, HeaderTimeOutComesOnTheThirtyFirstTickOnce) {
    link.OnUploadRecordData(UploadForm{});
    time.Advance(3099);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgConfirmUpload});
    time.Advance(1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmUpload, kMsgDataTimeout}));
    EXPECT_FALSE(serial.open);
    time.Advance(20000);
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(windowResults, std::vector<bool>{true});  // the window closes with OK, silently
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(LoggerLinkTest, BlockTimeOutCountsOnlyItsOwnTicksAndStopsThePacingTimerToo) {
    StartUpload(test::LoggerHeaderBytes({64 + 2048}));
    EXPECT_EQ(LastRequest(), (Request{kCmdReadMemory, 64, 512}));
    serial.Feed(test::MemoryReply(64, Bytes(512, 1)));
    time.Advance(200);  // timer 55 takes the block and asks for the next
    ASSERT_EQ(LastRequest(), (Request{kCmdReadMemory, 576, 512}));
    const std::int64_t asked = time.Now();
    bool shown = false;
    prompt.onShow = [&](const std::string& text) {
        if (text == kMsgDataTimeout) {
            shown = true;
            EXPECT_EQ(time.Now() - asked, 3100);
            EXPECT_FALSE(serial.open);
        }
    };
    time.Advance(3099);
    EXPECT_FALSE(shown);
    time.Advance(1);
    EXPECT_TRUE(shown);
    time.Advance(20000);
    const auto messages = Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), std::string(kMsgDataTimeout)), 1);
    EXPECT_EQ(TimersRunning(), 0);
    EXPECT_TRUE(stored.empty());
}

TEST_F(LoggerLinkTest, AShortLastBlockAsksForWhatIsLeft) {
    // 1000 bytes to read: blocks of 512 and 488.
    StartUpload(test::LoggerHeaderBytes({64 + 1000}));
    Bytes memory(1000);
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 7);
    }
    serial.Feed(test::MemoryReply(64, Bytes(memory.begin(), memory.begin() + 512)));
    time.Advance(200);
    ASSERT_EQ(LastRequest(), (Request{kCmdReadMemory, 576, 488}));
    EXPECT_EQ(link.Transfer().current - link.Transfer().start, 512);
    EXPECT_EQ(link.Transfer().total, 1000);
    serial.Feed(test::MemoryReply(576, Bytes(memory.begin() + 512, memory.end())));
    time.Advance(200);
    EXPECT_EQ(serial.written.size(), 3u);  // header and two blocks, nothing more
    EXPECT_TRUE(link.Transfer().completion);
    ASSERT_EQ(stored.size(), 1u);  // one flight of 125 samples
    const FlightRecord& r = *stored.begin()->second;
    EXPECT_EQ(r.header.samples, 125);
    EXPECT_EQ(r.raw[0][124], memory[992]);
    EXPECT_EQ(r.raw[1][124], memory[993]);
    EXPECT_EQ(opened, std::vector<std::string>{"2014-3-7_1.dat"});
    EXPECT_EQ(link.State().writtenFiles, std::vector<std::string>{"2014-3-7_1.dat"});
    time.Advance(100);
    EXPECT_EQ(windowResults, std::vector<bool>{true});
    EXPECT_FALSE(link.State().busy);
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(LoggerLinkTest, AReplyOfAnotherLengthIsNotTakenForTheBlock) {
    StartUpload(test::LoggerHeaderBytes({64 + 600}));
    serial.Feed(test::MemoryReply(64, Bytes(512, 1)));
    time.Advance(200);
    ASSERT_EQ(LastRequest(), (Request{kCmdReadMemory, 576, 88}));
    // A stale 512-byte reply would run past the 600-byte image: dropped.
    serial.Feed(test::MemoryReply(576, Bytes(512, 2)));
    time.Advance(400);
    EXPECT_FALSE(link.Transfer().completion);
    serial.Feed(test::MemoryReply(576, Bytes(88, 3)));
    time.Advance(200);
    EXPECT_TRUE(link.Transfer().completion);
}

TEST_F(LoggerLinkTest, CancellingTheWindowStopsTheTransferAtOnce) {
    StartUpload(test::LoggerHeaderBytes({64 + 4096}));
    serial.Feed(test::MemoryReply(64, Bytes(512, 1)));
    time.Advance(200);
    window.Cancel();
    EXPECT_FALSE(serial.open);
    EXPECT_FALSE(link.State().busy);
    EXPECT_FALSE(link.Transfer().running);
    EXPECT_EQ(TimersRunning(), 0);
    const std::size_t sent = serial.written.size();
    time.Advance(20000);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgConfirmUpload});  // no time-out later
    EXPECT_EQ(serial.written.size(), sent);
    EXPECT_TRUE(stored.empty());
}

TEST_F(LoggerLinkTest, ButtonsDoNothingWhileAnExchangeRuns) {
    link.OnOpenDevice();
    link.OnUploadRecordData(UploadForm{});
    link.OnClearData();
    link.OnOpenDevice();
    EXPECT_EQ(serial.written.size(), 1u);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LoggerLinkTest, ClearDataWritesTheFlightCountAndHandsThePortBack) {
    std::vector<std::string> pageCalls;
    link.hideLoggerPage = [&] { pageCalls.push_back("hide"); };
    link.reopenLoggerPage = [&] { pageCalls.push_back("open"); };
    link.OnClearData();
    EXPECT_EQ(serial.written.at(0), (Bytes{0x0E, 0x00, 0x1F, 0x00, 0x01, 0x00, 0x71, 0x07}));
    serial.Feed(BuildFrame(kCmdWriteMemory, 31, 1, nullptr, 0));
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmClear, kMsgCleared}));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Information);
    EXPECT_EQ(pageCalls, (std::vector<std::string>{"hide", "open"}));
    EXPECT_FALSE(serial.open);

    // Unanswered: the 31st tick of timer 14.
    prompt.shown.clear();
    link.OnClearData();
    time.Advance(3099);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgConfirmClear});
    time.Advance(1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmClear, kMsgClearFailed}));
    EXPECT_FALSE(serial.open);
    EXPECT_EQ(pageCalls.back(), "open");

    // The main form's port does not open: the page still gets its port back.
    pageCalls.clear();
    serial.openError = "busy";
    link.OnClearData();
    EXPECT_EQ(pageCalls, (std::vector<std::string>{"hide", "open"}));
    EXPECT_FALSE(link.State().busy);
}

}  // namespace
}  // namespace tavix
