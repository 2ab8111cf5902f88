// Upload and Clear Data against a scripted serial line: frames, replies in
// pieces or broken, the upload's time-outs, the no-flight case and a
// cancelled transfer.
#include "logger/LoggerLink.h"

#include "link/LinkMessages.h"
#include "logger/LoggerMessages.h"
#include "shell/GearRateRule.h"
#include "support/MainFormFixture.h"

namespace tavix {
namespace {

using test::Request;

using LoggerLinkTest = test::ScriptedMainFormTest;

// The question the tests' usual form gets.
const std::string kAsked = UploadQuestion(UploadForm{1.0f, 14, ""});

TEST_F(LoggerLinkTest, UploadAsksFirstAndANoSendsNothing) {
    const RecordHeader before = onScreen.header;
    ASSERT_NE(before.gearRate, 3.5f);
    prompt.answers = {false};
    link.OnUploadRecordData(UploadForm{3.5f, 12, ""});
    EXPECT_EQ(prompt.shown.at(0).text, std::string(kMsgConfirmUpload) +
                                           "\n\nGear rate: 3.50\nPole number: 12\nNote: (none)");
    EXPECT_EQ(prompt.shown.at(0).icon, PromptIcon::Exclamation);
    EXPECT_TRUE(serial.written.empty());
    EXPECT_EQ(progressWindows, 0);
    // The open record keeps its own values.
    EXPECT_FLOAT_EQ(onScreen.header.gearRate, before.gearRate);
    EXPECT_EQ(onScreen.header.poles, before.poles);
}

TEST_F(LoggerLinkTest, APoleNumberNoMotorHasIsRefusedBeforeAnythingIsAsked) {
    for (std::int32_t poles : {-14, 0, 1}) {
        prompt.shown.clear();
        link.OnUploadRecordData(UploadForm{1.0f, poles, ""});
        ASSERT_EQ(Messages(),
                  std::vector<std::string>{FormatText(kMsgPoleNumberTooSmall, kMinPoleNumber)});
        EXPECT_TRUE(serial.written.empty());
        EXPECT_FALSE(link.State().busy);
    }
}

TEST_F(LoggerLinkTest, NoFlightMeansNoBlockRequestAndNoFlyRecordData) {
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    EXPECT_EQ(serial.written.at(0), (Bytes{0x04, 0x00, 0x00, 0x00, 0x40, 0x30, 0xD4}));
    EXPECT_EQ(progressWindows, 1);
    serial.Feed(test::MemoryReply(0, test::LoggerHeaderBytes({})));
    time.Advance(5000);
    EXPECT_EQ(serial.written.size(), 1u);
    EXPECT_EQ(windowResults, std::vector<bool>{false});
    EXPECT_EQ(Messages(), (std::vector<std::string>{kAsked, kMsgNoFlyData}));
    EXPECT_FALSE(link.Transfer().noData);  // the window took the flag
    EXPECT_FALSE(serial.open);
    EXPECT_FALSE(link.State().busy);
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(LoggerLinkTest, NoFlightAfterTheWindowWasClosedWithEnterStillEndsTheUpload) {
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    window.OnEnter();  // Enter before the logger has answered
    EXPECT_EQ(windowResults, std::vector<bool>{true});
    EXPECT_TRUE(link.State().busy);  // the transfer goes on without its window
    serial.Feed(test::MemoryReply(0, test::LoggerHeaderBytes({})));
    EXPECT_EQ(Messages(), (std::vector<std::string>{kAsked, kMsgNoFlyData}));
    EXPECT_FALSE(link.State().busy);
    EXPECT_FALSE(link.Transfer().running);
    EXPECT_FALSE(serial.open);
    EXPECT_EQ(TimersRunning(), 0);

    // The buttons work again: the next upload asks the logger.
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    EXPECT_EQ(serial.written.size(), 2u);
}

TEST_F(LoggerLinkTest, HeaderTimeOutComesOnTheThirtyFirstTickOnce) {
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    time.Advance(3099);
    EXPECT_EQ(Messages(), std::vector<std::string>{kAsked});
    time.Advance(1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kAsked, kMsgDataTimeout}));
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
    // The block is taken as it comes and the next asked for at once; timer
    // 55 only watches for a line gone quiet.
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
    window.OnEscape();
    EXPECT_FALSE(serial.open);
    EXPECT_FALSE(link.State().busy);
    EXPECT_FALSE(link.Transfer().running);
    EXPECT_EQ(TimersRunning(), 0);
    const std::size_t sent = serial.written.size();
    time.Advance(20000);
    // No time-out later: the question StartUpload answered is all.
    EXPECT_EQ(Messages(), std::vector<std::string>{UploadQuestion(UploadForm{1.0f, 14, "note"})});
    EXPECT_EQ(serial.written.size(), sent);
    EXPECT_TRUE(stored.empty());
}

TEST_F(LoggerLinkTest, ButtonsDoNothingWhileAnExchangeRuns) {
    identity.OnOpenDevice();
    link.OnUploadRecordData(UploadForm{1.0f, 14, ""});
    link.OnClearData();
    identity.OnOpenDevice();
    EXPECT_EQ(serial.written.size(), 1u);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LoggerLinkTest, ClearDataWritesTheFlightCountAndHandsThePortBack) {
    Identify();
    std::vector<std::string> pageCalls;
    link.hideLoggerPage = [&] { pageCalls.push_back("hide"); };
    link.reopenLoggerPage = [&] { pageCalls.push_back("open"); };
    prompt.shown.clear();
    link.OnClearData();
    // The ESC's block first, over the same port: the logger of the ESC shown.
    EXPECT_EQ(LastRequest(), (test::Request{kCmdReadBlock, kParamBlockAddress, 512}));
    serial.Feed(test::IdentifyReply(test::kLoggerVersion));
    EXPECT_EQ(serial.written.back(), (Bytes{0x0E, 0x00, 0x1F, 0x00, 0x01, 0x00, 0x71, 0x07}));
    serial.Feed(BuildFrame(kCmdWriteMemory, 31, 1, nullptr, 0));
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmClear, kMsgCleared}));
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Information);
    EXPECT_EQ(pageCalls, (std::vector<std::string>{"hide", "open"}));
    EXPECT_FALSE(serial.open);

    // Another ESC on the port: nothing is cleared, and the message says what was found.
    prompt.shown.clear();
    const std::size_t sent = serial.written.size();
    link.OnClearData();
    serial.Feed(test::IdentifyReply("TVKA20141L409999"));
    EXPECT_EQ(serial.written.size(), sent + 1);
    EXPECT_EQ(prompt.Last().rfind("The ESC on the port is now TVKA20141L409999", 0), 0u)
        << prompt.Last();
    EXPECT_FALSE(link.State().busy);
    EXPECT_FALSE(serial.open);

    // The read answered, the write not: whether the flights are gone is not known.
    prompt.shown.clear();
    link.OnClearData();
    serial.Feed(test::IdentifyReply(test::kLoggerVersion));
    time.Advance(3100);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmClear, kMsgClearFailed}));
    EXPECT_EQ(prompt.shown.back().detail.rfind(kDetailClearUnknown, 0), 0u);
    Identify();

    // Unanswered: the 31st tick of the read's timer.
    prompt.shown.clear();
    link.OnClearData();
    time.Advance(3099);
    EXPECT_EQ(Messages(), std::vector<std::string>{kMsgConfirmClear});
    time.Advance(1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmClear, kMsgClearFailed}));
    EXPECT_EQ(prompt.shown.back().detail.rfind(kDetailNothingWritten, 0), 0u);
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
