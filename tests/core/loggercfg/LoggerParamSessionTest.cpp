// The logger page's session against a scripted serial line on fake time: the
// header read on show, how header bytes become list selections and go back in
// the update, the time-outs, and the port handed to "Clear Data" and back.
#include "loggercfg/LoggerParamSession.h"

#include <gtest/gtest.h>

#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/ScriptedSerial.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "loggercfg/LoggerCfgMessages.h"

namespace tavix {
namespace {

const Bytes kHeaderRead{0x04, 0x00, 0x00, 0x00, 0x40, 0x30, 0xD4};

struct HeaderFields {
    std::uint8_t cycle = 0;  // byte 20
    std::uint8_t rate = 5;   // byte 22
    std::uint8_t flights = 4;
    std::uint8_t byte21 = 0;
    std::uint8_t byte23 = 0;
    std::uint16_t last = 0x1FFF;
};

Bytes HeaderReply(const HeaderFields& f) {
    Bytes h(64, 0xEE);
    h[16] = static_cast<std::uint8_t>(f.last >> 8);
    h[17] = static_cast<std::uint8_t>(f.last);
    h[18] = 0;
    h[19] = 64;
    h[20] = f.cycle;
    h[21] = f.byte21;
    h[22] = f.rate;
    h[23] = f.byte23;
    h[31] = f.flights;
    return BuildFrame(kCmdReadMemory, 0, 64, h.data(), h.size());
}

// The ESC's block, which every write reads first.
Bytes BlockReply() {
    const Bytes block(kParamBlockSize, 0);
    return BuildFrame(kCmdReadBlock, kParamBlockAddress, kParamBlockSize, block.data(),
                      block.size());
}

Bytes UpdateAck() {
    return BuildFrame(kCmdWriteMemory, kLoggerParamAddress, kLoggerParamLength, nullptr, 0);
}

class LoggerParamSessionTest : public ::testing::Test {
protected:
    LoggerParamSessionTest()
        : comm(MakeSerial()), session(comm, *timers, prompt, [] { return "/dev/ttyTEST"; }) {
        session.changed = [this] { ++changes; };
    }

    std::unique_ptr<SerialBackend> MakeSerial() {
        auto backend = std::make_unique<test::ScriptedSerial>();
        serial = backend.get();
        return backend;
    }

    // Shown, and the header read answered.
    void ShowLinked(const HeaderFields& fields = {}) {
        session.OnShow(true);
        ASSERT_EQ(serial->written.back(), kHeaderRead);
        serial->Feed(HeaderReply(fields));
        ASSERT_TRUE(session.State().updateEnabled);
    }

    const LoggerParamState& S() const { return session.State(); }

    test::FakeTimers time;
    std::unique_ptr<TimerHost> timers = time.NewHost();
    test::FakePrompt prompt;
    test::ScriptedSerial* serial = nullptr;
    CMSComm comm;
    LoggerParamSession session;
    int changes = 0;
};

TEST_F(LoggerParamSessionTest, FirstShowReadsTheHeaderAndALaterShowOnlyOpensThePort) {
    const LoggerParamState before = S();
    EXPECT_TRUE(session.ResetPending());
    EXPECT_FALSE(before.updateEnabled);
    EXPECT_EQ(before.cycleIndex, -1);

    session.OnShow(true);
    EXPECT_TRUE(serial->open);
    EXPECT_EQ(serial->openedPorts, std::vector<std::string>{"/dev/ttyTEST"});
    ASSERT_EQ(serial->written, std::vector<Bytes>{kHeaderRead});
    EXPECT_TRUE(S().busy);
    EXPECT_FALSE(S().updateEnabled);

    serial->Feed(HeaderReply({.cycle = 1, .rate = 10, .flights = 7, .last = 0x7FFF}));
    EXPECT_EQ(S().cycleIndex, 1);
    EXPECT_EQ(S().rateIndex, 4);  // "10 ps"
    EXPECT_EQ(S().flightCount, 7);
    EXPECT_EQ(S().progress, 100);
    EXPECT_TRUE(S().linked);
    EXPECT_TRUE(S().updateEnabled);
    EXPECT_FALSE(S().busy);
    EXPECT_FALSE(session.ResetPending());
    EXPECT_EQ(session.LastAddress(), 0x7FFF);
    EXPECT_EQ(session.FirstAddress(), 64);
    EXPECT_EQ(time.RunningCount(), 0);
    EXPECT_GT(changes, 0);

    session.OnHide();
    EXPECT_FALSE(serial->open);
    EXPECT_FALSE(S().visible);
    session.OnShow(true);
    EXPECT_TRUE(serial->open);
    EXPECT_EQ(serial->written.size(), 1u);  // nothing read again
    EXPECT_EQ(S().flightCount, 7);
    EXPECT_TRUE(prompt.shown.empty());
}

// How header bytes 20-23 show in the lists and go back in the update.
TEST_F(LoggerParamSessionTest, HeaderBytesBecomeSelectionsAndGoBackInTheUpdate) {
    struct Case {
        const char* name;
        HeaderFields header;
        int cycleShown;
        int rateShown;
        Bytes payloadBytes20To23;
    };
    const Case cases[] = {
        {"reverse, 5 ps", {.cycle = 1, .rate = 5}, 1, 3, {1, 0, 5, 0}},
        {"byte 20 = 2 is not reverse", {.cycle = 2, .rate = 30}, 0, 6, {0, 0, 30, 0}},
        {"rate 4 is not in the list: sent back as read", {.rate = 4}, 0, -1, {0, 0, 4, 0}},
        {"bytes 21 and 23 go back as read",
         {.rate = 1, .byte21 = 0xA5, .byte23 = 0x3C},
         0,
         0,
         {0, 0xA5, 1, 0x3C}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakeTimers t;
        auto host = t.NewHost();
        auto backend = std::make_unique<test::ScriptedSerial>();
        test::ScriptedSerial& line = *backend;
        CMSComm port(std::move(backend));
        LoggerParamSession s(port, *host, prompt, [] { return "/dev/ttyTEST"; });
        s.OnShow(true);
        line.Feed(HeaderReply(c.header));
        EXPECT_EQ(s.State().cycleIndex, c.cycleShown);
        EXPECT_EQ(s.State().rateIndex, c.rateShown);

        s.OnUpdate();
        line.Feed(BlockReply());
        const Bytes frame = line.written.back();
        ASSERT_EQ(frame.size(), 15u);
        EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 5),
                  (Bytes{kCmdWriteMemory, 0x00, 0x10, 0x00, 0x08}));
        EXPECT_EQ(Bytes(frame.begin() + 5, frame.begin() + 9), (Bytes{0x1F, 0xFF, 0x00, 0x40}));
        EXPECT_EQ(Bytes(frame.begin() + 9, frame.begin() + 13), c.payloadBytes20To23);
    }
}

TEST_F(LoggerParamSessionTest, DefaultValueThenUpdateWritesTheFactoryValues) {
    ShowLinked({.cycle = 1, .rate = 30, .byte21 = 0x11, .byte23 = 0x22, .last = 0x1FFF});
    session.OnDefault();
    EXPECT_EQ(S().cycleIndex, 0);
    EXPECT_EQ(S().rateIndex, 2);
    EXPECT_EQ(serial->written.size(), 1u);  // nothing sent yet

    prompt.answers = {false};
    session.OnUpdate();
    EXPECT_EQ(prompt.Last(), kMsgConfirmLoggerUpdate);
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Exclamation);
    EXPECT_EQ(serial->written.size(), 1u);  // No: nothing sent

    session.OnUpdate();
    // The ESC's block is read first over the same port, then the write goes.
    EXPECT_EQ(serial->written.back(),
              BuildRequest(kCmdReadBlock, kParamBlockAddress, kParamBlockSize));
    serial->Feed(BlockReply());
    const Bytes payload{0x80, 0x00, 0x00, 0x40, 0x00, 0x11, 0x03, 0x22};
    EXPECT_EQ(session.UpdatePayload(), payload);
    EXPECT_EQ(serial->written.back(), BuildRequest(kCmdWriteMemory, 16, 8, payload));
    EXPECT_TRUE(S().busy);
    EXPECT_FALSE(S().updateEnabled);  // one request at a time

    serial->Feed(UpdateAck());
    EXPECT_EQ(prompt.Last(), kMsgLoggerUpdated);
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Information);
    EXPECT_EQ(S().progress, 100);
    EXPECT_TRUE(S().updateEnabled);
    EXPECT_EQ(time.RunningCount(), 0);

    // The next show reads back what the logger took.
    session.OnHide();
    session.OnShow(true);
    EXPECT_EQ(serial->written.back(), kHeaderRead);
    EXPECT_EQ(S().rateIndex, 2);
}

TEST_F(LoggerParamSessionTest, AnUpdateAnsweredYesAfterThePageWasHiddenSendsNothing) {
    ShowLinked();
    // The box lets events run: the main form hides the page before the Yes.
    prompt.onShow = [this](const std::string& text) {
        if (text == kMsgConfirmLoggerUpdate) {
            session.OnHide();
        }
    };
    session.OnUpdate();
    EXPECT_EQ(prompt.Last(), kMsgConfirmLoggerUpdate);
    EXPECT_EQ(serial->written.size(), 1u);  // only the header read
    EXPECT_FALSE(S().busy);
    EXPECT_EQ(time.RunningCount(), 0);
}

TEST_F(LoggerParamSessionTest, ARateOutsideTheListKeepsTheSelectionUntilAReset) {
    ShowLinked({.rate = 15});
    EXPECT_EQ(S().rateIndex, 5);
    // Read again (the header after "Clear Data"): rate 4 leaves "15 ps" selected.
    session.OnLendPort();
    session.OnPortReturned();
    ASSERT_EQ(serial->written.back(), kHeaderRead);
    serial->Feed(HeaderReply({.rate = 4}));
    EXPECT_EQ(S().rateIndex, 5);
    EXPECT_EQ(session.RateByteRead(), 4);
    EXPECT_EQ(session.UpdatePayload()[6], 15);  // what is shown is what is written
}

TEST_F(LoggerParamSessionTest, AnUpdateReplyWhileTheHeaderIsAwaitedAnswersNothing) {
    session.OnShow(true);
    serial->Feed(UpdateAck());
    EXPECT_TRUE(prompt.Texts().empty());
    EXPECT_TRUE(S().busy);  // the header read still waits ...

    // ... and a reply with a broken CRC does not end it.
    Bytes broken = HeaderReply({});
    broken.back() ^= 0xFF;
    serial->Feed(broken);
    EXPECT_FALSE(S().linked);
    time.Advance(3100);
    EXPECT_EQ(prompt.Last(), kMsgConnectTimeout);
    EXPECT_NE(prompt.shown.back().detail.find("another request: 1 (command 14"), std::string::npos)
        << prompt.shown.back().detail;
}

TEST_F(LoggerParamSessionTest, HeaderReadTimesOutOnThe31stTickAndTheNextShowReadsAgain) {
    session.OnShow(true);
    std::vector<int> positions;
    for (int tick = 1; tick <= 30; ++tick) {
        time.Advance(100);
        positions.push_back(S().progress);
    }
    EXPECT_EQ(std::vector<int>(positions.begin(), positions.begin() + 7),
              (std::vector<int>{20, 40, 60, 80, 100, 0, 20}));
    EXPECT_TRUE(prompt.shown.empty());
    time.Advance(100);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgConnectTimeout});
    EXPECT_EQ(S().progress, 0);
    EXPECT_FALSE(S().linked);
    EXPECT_FALSE(S().updateEnabled);
    EXPECT_TRUE(session.ResetPending());
    EXPECT_EQ(time.RunningCount(), 0);

    session.OnHide();
    session.OnShow(true);
    EXPECT_EQ(serial->written.size(), 2u);
    EXPECT_EQ(serial->written.back(), kHeaderRead);
}

TEST_F(LoggerParamSessionTest, UpdateTimeOutKeepsTheValuesAndTheNextShowReadsAgain) {
    ShowLinked({.cycle = 1, .rate = 2});
    session.OnRateSelected(6);
    session.OnUpdate();
    serial->Feed(BlockReply());  // the write is sent, and never answered
    time.Advance(3000);
    EXPECT_EQ(prompt.Last(), kMsgConfirmLoggerUpdate);
    time.Advance(100);
    EXPECT_EQ(prompt.Last(), kMsgUpdateTimeout);
    EXPECT_EQ(prompt.shown.back().detail.rfind(kDetailLoggerWriteUnknown, 0), 0u);
    EXPECT_FALSE(S().updateEnabled);
    EXPECT_FALSE(S().linked);
    EXPECT_EQ(S().progress, 0);
    EXPECT_EQ(S().cycleIndex, 1);
    EXPECT_EQ(S().rateIndex, 6);

    // Update would stay off for good unless the header is read again; the
    // values stay on screen until the answer replaces them.
    session.OnHide();
    session.OnShow(true);
    EXPECT_EQ(serial->written.back(), kHeaderRead);
    EXPECT_EQ(S().rateIndex, 6);
    serial->Feed(HeaderReply({.rate = 2}));
    EXPECT_EQ(S().rateIndex, 1);
    EXPECT_TRUE(S().updateEnabled);
}

TEST_F(LoggerParamSessionTest, HidingClosesThePortAndAPendingReadEndsInItsTimeOut) {
    session.OnShow(true);
    session.OnHide();
    EXPECT_FALSE(serial->open);
    // Hidden, the page's buttons do nothing.
    session.OnConnect();
    session.OnDefault();
    session.OnUpdate();
    EXPECT_EQ(serial->written.size(), 1u);
    EXPECT_EQ(S().rateIndex, -1);

    time.Advance(3100);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgConnectTimeout});
    EXPECT_TRUE(session.ResetPending());
}

TEST_F(LoggerParamSessionTest, APortThatCannotOpenIsReportedOnceAndNothingIsSent) {
    serial->openError = "No such file or directory";
    session.OnShow(true);
    EXPECT_FALSE(S().portOpen);
    time.Advance(3100);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Last().find(": No such file or directory!"), std::string::npos);
    EXPECT_TRUE(serial->written.empty());
    EXPECT_TRUE(session.ResetPending());
}

TEST_F(LoggerParamSessionTest, ClearDataBorrowsThePortAndTheHeaderIsReadWhenItComesBack) {
    ShowLinked({.flights = 4});
    session.OnLendPort();
    EXPECT_FALSE(serial->open);
    EXPECT_TRUE(S().visible);

    session.OnPortReturned();
    EXPECT_TRUE(serial->open);
    ASSERT_EQ(serial->written.back(), kHeaderRead);
    serial->Feed(HeaderReply({.flights = 0}));
    EXPECT_EQ(S().flightCount, 0);

    // A read still outstanding when the port is lent is forgotten: its
    // reply cannot come, and the read after the return tells the outcome.
    session.OnConnect();
    session.OnLendPort();
    EXPECT_EQ(time.RunningCount(), 0);
    time.Advance(5000);
    EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace tavix
