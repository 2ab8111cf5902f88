// The parameter page of every series against a simulated ESC: what a read
// shows, what "Update" writes, "Default Value", the time-outs and the rules
// that hold while the page is hidden.
#include <gtest/gtest.h>

#include "core/esc/EscSessionFixture.h"
#include "device/ConnectedDevice.h"
#include "esc/EscMessages.h"
#include "fakes/ScriptedSerial.h"
#include "link/Frame.h"

namespace tavix::test {
namespace {

class EveryEscSeries : public ::testing::TestWithParam<sim::Series> {
protected:
    EscSession esc{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Series, EveryEscSeries,
                         ::testing::Values(sim::Series::Tarrow, sim::Series::Velmor,
                                           sim::Series::Ostrin, sim::Series::Peldan),
                         [](const auto& info) {
                             return std::string(sim::ProfileFor(info.param).name);
                         });

// A block as an ESC may hold it: the factory block with every kept byte
// distinct and noise where the page neither shows nor keeps anything.
Bytes BusyBlock(const sim::SimDevice& device, const EscSeriesTable& table) {
    Bytes block = device.ParamBlock();
    std::uint8_t k = 0x31;
    for (std::size_t offset : table.keptOffsets) {
        block[offset] = k++;
    }
    for (std::size_t offset : {16, 100, 127, 134, 200, 255, 272, 400, 511}) {
        block[offset] = 0x77;
    }
    return block;
}

TEST_P(EveryEscSeries, ReadShowsTheBlockAndUpdateWritesItBackWithKeptBytesAndZeros) {
    const Bytes block = BusyBlock(*esc.device, esc.Table());
    esc.device->SetParamBlock(block);
    esc.ShowAndRead();

    const EscParamState& s = esc.State();
    EXPECT_TRUE(s.connected);
    EXPECT_TRUE(s.updateEnabled);
    EXPECT_FALSE(s.resetFlag);
    EXPECT_EQ(s.progress, 100);
    EXPECT_EQ(s.version[0] + s.version[1] + s.version[2] + s.version[3],
              esc.device->Profile().version);
    for (std::size_t i = 0; i < esc.Table().lists.size(); ++i) {
        EXPECT_EQ(s.selection[i], block[esc.Table().lists[i].offset]) << esc.Table().lists[i].label;
    }

    esc.Update();
    EXPECT_EQ(esc.prompt.Texts(),
              (std::vector<std::string>{kMsgEscConfirmUpdate, kMsgEscUpdateComplete}));
    const Bytes written = esc.Written();
    ASSERT_EQ(written.size(), 512u);
    EXPECT_EQ(written[0], 0xFF);
    const auto carried = CarriedOffsets(esc.Table());
    for (std::size_t offset = 1; offset < written.size(); ++offset) {
        const bool isCarried = std::binary_search(carried.begin(), carried.end(), offset);
        EXPECT_EQ(written[offset], isCarried ? block[offset] : 0) << "offset " << offset;
    }
    // The ESC now holds what was written; the page read it once before the
    // write (the same ESC?) and once after it (did every byte take?).
    EXPECT_EQ(esc.device->ParamBlock(), written);
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 3);
    EXPECT_TRUE(esc.session.NotTakenOffsets().empty());
    EXPECT_EQ(esc.State().phase, EscPhase::Linked);
}

TEST_P(EveryEscSeries, DefaultValueSetsTheListsButKeepsTheThrottleAndCalibrationAsRead) {
    Bytes block = esc.device->ParamBlock();
    for (const EscList& list : esc.Table().lists) {
        block[list.offset] = static_cast<std::uint8_t>(list.defaultIndex == 0 ? 1 : 0);
    }
    if (esc.Table().throttleByteOffset) {
        block[*esc.Table().throttleByteOffset] = 100;
    }
    esc.device->SetParamBlock(block);

    // Before any read "Default Value" fills the lists, but "Update" stays off.
    esc.session.SetVisible(true);
    esc.session.OnDefault();
    EXPECT_FALSE(esc.State().updateEnabled);
    esc.session.SetVisible(false);

    esc.ShowAndRead();
    if (esc.Table().throttleByteOffset) {
        EXPECT_EQ(esc.State().Text(EscField::ThrottleRange), "800");
    }
    esc.session.OnDefault();
    for (std::size_t i = 0; i < esc.Table().lists.size(); ++i) {
        EXPECT_EQ(esc.State().selection[i], esc.Table().lists[i].defaultIndex);
    }
    if (esc.Table().throttleByteOffset) {
        EXPECT_EQ(esc.State().Text(EscField::ThrottleRange), "640");
    }
    if (esc.Table().temperatureOffset) {
        EXPECT_EQ(esc.State().Text(EscField::TemperatureOffset), "0");
        EXPECT_EQ(esc.State().Text(EscField::Neutral), "1500");  // as read
    }
    EXPECT_TRUE(esc.State().updateEnabled);

    esc.Update();
    const Bytes written = esc.Written();
    ASSERT_EQ(written.size(), 512u);
    for (const EscList& list : esc.Table().lists) {
        EXPECT_EQ(written[list.offset], list.defaultIndex) << list.label;
    }
    // The throttle range cannot be set from the page: the byte read goes back.
    if (esc.Table().throttleByteOffset) {
        EXPECT_EQ(written[*esc.Table().throttleByteOffset], 100);
    }
}

TEST_P(EveryEscSeries, AByteBeyondAListLeavesItEmptyAndWritesFF) {
    const EscList& first = esc.Table().lists.front();
    Bytes block = esc.device->ParamBlock();
    block[first.offset] = static_cast<std::uint8_t>(first.entries.size());
    esc.device->SetParamBlock(block);
    esc.ShowAndRead();
    EXPECT_EQ(esc.State().selection[0], -1);

    esc.Update();
    EXPECT_EQ(esc.Written().at(first.offset), 0xFF);

    // Picking an entry writes its index.
    esc.session.Select(0, 2);
    esc.Update();
    EXPECT_EQ(esc.Written().at(first.offset), 2);
}

TEST_P(EveryEscSeries, ALateReadReplyAfterTheTimeOutIsStillTaken) {
    esc.device->MutableFaults().delayMs = 3500;
    esc.Show();
    EXPECT_EQ(esc.State().phase, EscPhase::Reading);
    esc.time.Advance(3099);
    EXPECT_TRUE(esc.prompt.shown.empty());
    EXPECT_EQ(esc.State().progress, 0);  // 30 ticks of 20: six turns of the bar
    esc.time.Advance(1);                 // tick 31
    EXPECT_EQ(esc.prompt.Texts(), std::vector<std::string>{kMsgConnectTimeout});
    EXPECT_EQ(esc.State().phase, EscPhase::NotLinked);
    EXPECT_TRUE(esc.State().resetFlag);
    EXPECT_FALSE(esc.State().updateEnabled);

    esc.time.Advance(600);
    EXPECT_EQ(esc.State().phase, EscPhase::Linked);
    EXPECT_TRUE(esc.State().updateEnabled);
    EXPECT_FALSE(esc.State().resetFlag);
    EXPECT_EQ(esc.State().selection[0], esc.device->ParamBlock()[esc.Table().lists[0].offset]);
}

TEST_P(EveryEscSeries, AWriteTimeOutLeavesUpdateOffAndNoReadOnShow) {
    esc.ShowAndRead();
    esc.session.Select(0, 0);
    // The read before the write is answered; the write is lost on the line.
    esc.device->MutableFaults().loseRequest = 2;
    esc.session.OnUpdate();
    esc.time.Advance(3099);
    EXPECT_EQ(esc.prompt.Last(), kMsgEscConfirmUpdate);
    esc.time.Advance(1);
    EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateTimeout);
    // What the ESC holds is not known: the pilot is told to read it before flying.
    EXPECT_EQ(esc.prompt.shown.back().detail.rfind(kDetailEscWriteUnknown, 0), 0u)
        << esc.prompt.shown.back().detail;
    EXPECT_EQ(esc.State().phase, EscPhase::WriteFailed);
    EXPECT_FALSE(esc.State().updateEnabled);
    EXPECT_FALSE(esc.State().connected);
    EXPECT_EQ(esc.State().progress, 0);

    esc.Hide();
    esc.Show();
    esc.time.Advance(5000);
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 2);  // none since the write
    EXPECT_EQ(esc.State().selection[0], 0);                 // the values stay
    EXPECT_TRUE(esc.State().connectEnabled);
    EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateTimeout);
}

// An ESC of another series swapped onto the port, then "Read from ESC": its
// bytes would read as this series' parameters (and Update would write them
// back as such), so the page shows nothing of it, offers no Update, and the
// connected device takes the ESC found so its own page reads it.
TEST_P(EveryEscSeries, AReadOfAnEscOfAnotherSeriesShowsNothingAndOffersNoUpdate) {
    auto device = std::make_shared<ConnectedDevice>();
    esc.session.SetDevice(device);
    device->Opening("demo");
    device->Identify(esc.device->ParamBlock());
    esc.ShowAndRead();
    const sim::Series other =
        GetParam() == sim::Series::Tarrow ? sim::Series::Peldan : sim::Series::Tarrow;
    esc.device->SwapEsc(other);

    esc.session.OnReadFromEsc();
    esc.time.Advance(400);
    EXPECT_EQ(esc.State().phase, EscPhase::NotLinked);
    EXPECT_FALSE(esc.State().updateEnabled);
    EXPECT_FALSE(esc.State().connected);
    EXPECT_TRUE(esc.State().version[0].empty());
    EXPECT_TRUE(esc.session.LastRead().empty());
    EXPECT_EQ(esc.prompt.Last().rfind("The ESC on the port is now " + esc.device->Version(), 0), 0u)
        << esc.prompt.Last();
    EXPECT_EQ(device->Identity().series, static_cast<int>(other));

    esc.session.OnUpdate();  // nothing to write: the button is off, and so is the handler
    esc.time.Advance(4000);
    EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), 0);
}

TEST_P(EveryEscSeries, HidingClosesThePortAndTheNextShowOnlyReopensIt) {
    esc.ShowAndRead();
    esc.session.Select(0, 0);
    esc.Hide();
    EXPECT_FALSE(esc.comm.GetPortOpen());
    EXPECT_EQ(esc.State().selection[0], 0);  // a read page is not cleared

    // Commands do nothing while hidden.
    esc.session.OnDefault();
    esc.session.OnUpdate();
    EXPECT_EQ(esc.State().selection[0], 0);
    EXPECT_EQ(esc.prompt.shown.size(), 0u);

    esc.Show();
    EXPECT_TRUE(esc.comm.GetPortOpen());
    esc.Update();  // through the reopened port, without a new read on show
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 3);  // the first, the check, the read-back
    EXPECT_EQ(esc.Written().at(esc.Table().lists[0].offset), 0);
}

TEST_P(EveryEscSeries, HidingWhileReadingClearsThePagesThatShowAgainAndTheTimeOutFollows) {
    esc.device->MutableFaults().silent = true;
    esc.Show();
    esc.time.Advance(1000);
    esc.Hide();
    EXPECT_FALSE(esc.comm.GetPortOpen());
    esc.time.Advance(2100);
    EXPECT_EQ(esc.prompt.Texts(), std::vector<std::string>{kMsgConnectTimeout});
    // No read was sent from the hidden page.
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 1);
    EXPECT_EQ(esc.State().phase, EscPhase::NotLinked);

    // Shown again, the page reads anew.
    esc.device->MutableFaults().silent = false;
    esc.ShowAndRead();
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 2);
}

// The Tarrow page runs no show of its own when hidden: "Connect" stays as it
// was and a page hidden while reading keeps its bar. The other pages run
// their show without the port, which turns "Connect" off and, while reading,
// clears the page.
TEST_P(EveryEscSeries, HidingRunsTheShowWithoutThePortExceptOnTheTarrowPage) {
    const bool tarrow = GetParam() == sim::Series::Tarrow;
    esc.ShowAndRead();
    ASSERT_TRUE(esc.State().connectEnabled);
    esc.Hide();
    EXPECT_EQ(esc.State().connectEnabled, tarrow);

    esc.device->MutableFaults().silent = true;
    esc.Show();
    esc.session.OnReadFromEsc();
    esc.time.Advance(3100);  // the read times out: the next show reads anew
    ASSERT_EQ(esc.prompt.Last(), kMsgConnectTimeout);
    esc.Hide();
    esc.prompt.shown.clear();
    esc.Show();
    esc.time.Advance(300);
    ASSERT_EQ(esc.State().progress, 60);
    esc.Hide();
    EXPECT_EQ(esc.State().progress, tarrow ? 60 : 0);
    EXPECT_EQ(esc.State().connectEnabled, tarrow);
}

TEST_P(EveryEscSeries, AReplyInPiecesOrBehindStrayBytesIsTaken) {
    esc.device->MutableFaults().pieces = 5;
    esc.device->MutableFaults().strayBytes = 3;
    esc.ShowAndRead();
    esc.Update();
    EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateComplete);
}

TEST(EscParamSession, TheProgressBarStepsTwentyATickAndStartsAgainPastHundred) {
    EscSession esc(sim::Series::Tarrow);
    esc.device->MutableFaults().silent = true;
    esc.Show();
    std::vector<int> positions;
    for (int tick = 1; tick <= 7; ++tick) {
        esc.time.Advance(100);
        positions.push_back(esc.State().progress);
    }
    EXPECT_EQ(positions, (std::vector<int>{20, 40, 60, 80, 100, 0, 20}));
}

TEST(EscParamSession, TheFramesAreExactlyWhatTheEscExpects) {
    FakeTimers time;
    FakePrompt prompt;
    auto owned = std::make_unique<ScriptedSerial>();
    ScriptedSerial& line = *owned;
    CMSComm comm(std::move(owned));
    auto timers = time.NewHost();
    EscParamSession session(TarrowTable(), comm, *timers, prompt, [] { return "/dev/ttyS0"; });
    session.SetVisible(true);
    session.OnShow(true);
    ASSERT_EQ(line.written.size(), 1u);
    EXPECT_EQ(line.written[0], (Bytes{0x03, 0x0E, 0x00, 0x02, 0x00, 0x88, 0x63}));

    sim::SimDevice esc(sim::Series::Tarrow);
    const Bytes read =
        BuildFrame(kCmdReadBlock, kParamBlockAddress, 512, esc.ParamBlock().data(), 512);
    line.Feed(read);
    // Update reads the block again first, and writes once it is the same ESC.
    session.OnUpdate();
    ASSERT_EQ(line.written.size(), 2u);
    EXPECT_EQ(line.written[1], line.written[0]);
    line.Feed(read);
    ASSERT_EQ(line.written.size(), 3u);
    const Bytes& write = line.written[2];
    ASSERT_EQ(write.size(), 519u);
    EXPECT_EQ(Bytes(write.begin(), write.begin() + 6), (Bytes{0x0F, 0x0E, 0x00, 0x02, 0x00, 0xFF}));
    const std::uint16_t crc = Crc16(write.data(), 517);
    EXPECT_EQ(write[517], crc >> 8);
    EXPECT_EQ(write[518], crc & 0xFF);
    EXPECT_EQ(comm.RThreshold(), 7);
}

TEST(EscParamSession, AnUnansweredQuestionSendsNothing) {
    EscSession esc(sim::Series::Peldan);
    esc.ShowAndRead();
    esc.prompt.answers = {false};
    esc.session.OnUpdate();
    esc.time.Advance(5000);
    EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), 0);
    EXPECT_EQ(esc.State().phase, EscPhase::Linked);
    EXPECT_EQ(esc.prompt.Texts(), std::vector<std::string>{kMsgEscConfirmUpdate});
}

TEST(EscParamSession, AnUpdateAnsweredYesAfterThePageWasHiddenSendsNothing) {
    EscSession esc(sim::Series::Peldan);
    esc.ShowAndRead();
    esc.prompt.onShow = [&esc](const std::string& text) {
        if (text == kMsgEscConfirmUpdate) {
            esc.Hide();
        }
    };
    esc.session.OnUpdate();
    esc.time.Advance(5000);
    EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), 0);
    EXPECT_EQ(esc.prompt.Texts(), std::vector<std::string>{kMsgEscConfirmUpdate});
}

TEST(EscParamSession, TheTarrowPageStaysAsItIsWhenHiddenWhileReading) {
    EscSession esc(sim::Series::Tarrow);
    esc.device->MutableFaults().delayMs = 500;
    esc.Show();
    esc.Hide();
    esc.time.Advance(1000);
    // Its read was answered through the closed port: nothing came, and the
    // page was not cleared again.
    EXPECT_FALSE(esc.comm.GetPortOpen());
    EXPECT_EQ(esc.State().phase, EscPhase::Reading);
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 1);
    esc.time.Advance(2100);
    EXPECT_EQ(esc.prompt.Last(), kMsgConnectTimeout);
}

// The Velmor's Current Limiting list is never seen, and sorted: the ESC's
// byte passes through unchanged, and "Default Value" makes it 1.
TEST(EscParamSession, VelmorHiddenCurrentLimitingPassesThrough) {
    EscSession esc(sim::Series::Velmor);
    const int hidden = FindList(esc.Table(), "Current Limiting");
    ASSERT_GE(hidden, 0);
    const EscList& list = esc.Table().lists[static_cast<std::size_t>(hidden)];
    EXPECT_TRUE(list.hidden);
    EXPECT_EQ(list.entries,
              (std::vector<std::string>{"Close", "Insensitivity", "Sensitivity", "Standard"}));

    Bytes block = esc.device->ParamBlock();
    block[2] = 2;
    esc.device->SetParamBlock(block);
    esc.ShowAndRead();
    esc.Update();
    EXPECT_EQ(esc.Written().at(2), 2);
    esc.session.OnDefault();
    esc.Update();
    EXPECT_EQ(esc.Written().at(2), 1);
}

// A version holding a zero byte goes out whole with every write, not only
// the first: the page keeps the bytes the ESC sent, not the text a box shows.
TEST(EscParamSession, AVersionWithAZeroByteGoesOutWholeEveryTime) {
    EscSession esc(sim::Series::Ostrin);
    Bytes block = esc.device->ParamBlock();
    block[262] = 0;
    esc.device->SetParamBlock(block);
    esc.ShowAndRead();
    esc.session.SetTemperatureOffset("5");
    esc.Update();
    esc.Update();
    EXPECT_EQ(esc.prompt.Texts(),
              (std::vector<std::string>{kMsgEscConfirmUpdate, kMsgEscUpdateComplete,
                                        kMsgEscConfirmUpdate, kMsgEscUpdateComplete}));
    const Bytes written = esc.Written();
    ASSERT_EQ(written.size(), 512u);
    EXPECT_EQ(Bytes(written.begin() + 256, written.begin() + 272),
              Bytes(block.begin() + 256, block.begin() + 272));
}

TEST(EscParamSession, APortThatWillNotOpenIsReportedOnceWithItsName) {
    FakeTimers time;
    FakePrompt prompt;
    auto owned = std::make_unique<ScriptedSerial>();
    owned->openError = "No such file or directory";
    CMSComm comm(std::move(owned));
    auto timers = time.NewHost();
    EscParamSession session(PeldanTable(), comm, *timers, prompt, [] { return "/dev/ttyUSB7"; });
    session.SetVisible(true);
    session.OnShow(true);
    EXPECT_FALSE(session.State().connectEnabled);
    time.Advance(3100);
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{"Port /dev/ttyUSB7: No such file or directory!"}));
    EXPECT_EQ(session.State().phase, EscPhase::NotLinked);
}

TEST(EscParamSession, UpdateReadsTheEscFirstAndWritesNothingToAnotherOne) {
    EscSession esc(sim::Series::Tarrow);
    esc.ShowAndRead();
    // Another Tarrow with other firmware now on the port, no Open Device.
    Bytes other = esc.device->ParamBlock();
    std::copy_n("TVKA20141L400399", 16, other.begin() + 256);
    esc.device->SetParamBlock(other);
    esc.Update();
    EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), 0);
    ASSERT_EQ(esc.prompt.shown.size(), 2u);  // the question, then what was found
    EXPECT_EQ(esc.prompt.Last().rfind("The ESC on the port is now TVKA20141L400399", 0), 0u)
        << esc.prompt.Last();
    EXPECT_EQ(esc.State().version[3], "0399");
    EXPECT_EQ(esc.State().phase, EscPhase::Linked);
}

class OstrinPage : public ::testing::Test {
protected:
    void Read(int reverse, int neutral, int forward) {
        Bytes block = esc.device->ParamBlock();
        for (auto [at, value] : {std::pair{128, reverse}, {130, neutral}, {132, forward}}) {
            block[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value & 0xFF);
            block[static_cast<std::size_t>(at) + 1] = static_cast<std::uint8_t>(value >> 8);
        }
        block[15] = 7;
        block[14] = 6;
        esc.device->SetParamBlock(block);
        esc.ShowAndRead();
    }
    EscSession esc{sim::Series::Ostrin};
};

TEST_F(OstrinPage, ShowsTheCalibrationAsRangesInMicroseconds) {
    Read(2000, 3001, 4000);
    EXPECT_EQ(esc.State().Text(EscField::ForwardRange), "499");
    EXPECT_EQ(esc.State().Text(EscField::ReverseRange), "500");
    EXPECT_EQ(esc.State().Text(EscField::Neutral), "1500");
    EXPECT_EQ(esc.State().Text(EscField::TemperatureOffset), "7");
    const int abs = FindList(esc.Table(), "ABS Brake Rate");
    const auto& absList = esc.Table().lists[static_cast<std::size_t>(abs)];
    EXPECT_EQ(absList.entries[static_cast<std::size_t>(esc.State().selection[abs])], "240 HZ");

    esc.Update();
    const Bytes written = esc.Written();
    EXPECT_EQ(written.at(15), 7);
    EXPECT_EQ(written.at(14), 6);
    EXPECT_EQ(Bytes(written.begin() + 128, written.begin() + 134),
              (Bytes{0xD0, 0x07, 0xB9, 0x0B, 0xA0, 0x0F}));
}

TEST_F(OstrinPage, TheTemperatureOffsetTakesZeroTo255AndRefusesMoreBeforeAnythingIsSent) {
    Read(2000, 3000, 4000);
    struct Case {
        const char* typed;
        const char* shown;
        int written;  // -1: refused, nothing sent
    };
    for (const Case& c : {Case{"300", "300", -1}, Case{"256", "256", -1},
                          Case{"99999999999999", "99999999999999", -1}, Case{"", "", 0},
                          Case{"2a5", "25", 25}, Case{"255", "255", 255}}) {
        esc.prompt.shown.clear();
        const int writes = esc.device->RequestCount(kCmdWriteBlock);
        esc.session.SetTemperatureOffset(c.typed);
        EXPECT_EQ(esc.State().Text(EscField::TemperatureOffset), c.shown);
        esc.Update();
        if (c.written < 0) {
            EXPECT_EQ(esc.prompt.Texts(), std::vector<std::string>{kMsgTemperatureOffsetRange})
                << c.typed;
            EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), writes) << c.typed;
            EXPECT_TRUE(esc.State().updateEnabled);
        } else {
            EXPECT_EQ(esc.Written().at(15), c.written) << c.typed;
            EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateComplete);
        }
    }
}

TEST_F(OstrinPage, CalibrationOutOfOrderIsRefusedAndTheNextShowReadsAgain) {
    Read(3000, 3000, 4000);
    esc.session.OnUpdate();
    esc.time.Advance(5000);
    ASSERT_EQ(esc.prompt.shown.size(), 2u);
    EXPECT_EQ(esc.prompt.shown[1].text, kMsgEscCalibrationOutOfOrder);
    EXPECT_EQ(esc.prompt.shown[1].icon, PromptIcon::None);
    EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), 0);
    EXPECT_FALSE(esc.State().updateEnabled);
    EXPECT_TRUE(esc.State().resetFlag);

    // The user re-powers the ESC, which learns its throttle again.
    Bytes block = esc.device->ParamBlock();
    block[128] = 0xD0;  // reverse end 2000
    block[129] = 0x07;
    esc.device->SetParamBlock(block);
    esc.Hide();
    esc.ShowAndRead();
    EXPECT_EQ(esc.device->RequestCount(kCmdReadBlock), 2);
    esc.Update();
    EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateComplete);
}

}  // namespace
}  // namespace tavix::test
