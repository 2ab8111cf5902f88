// Whole uploads from the simulated device on fake time: the record files on
// disk are exactly what splitting the device's memory gives, whatever the line
// does to the replies.
#include <gtest/gtest.h>

#include "fakes/TempDir.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "records/StoredFlights.h"
#include "sim/SimSerialBackend.h"
#include "support/MainFormFixture.h"

namespace tavix {
namespace {

class LoggerUploadSimTest : public test::LoggerLinkFixture {
protected:
    LoggerUploadSimTest() : LoggerLinkFixture(MakeSim) {
        line.SetPortSource([] { return std::string("demo"); });
        link.outputDirectory = dir.Path().string();
        link.storeRecord = &CTavixDoc::StoreFlight;  // as the program stores them
    }

    static std::unique_ptr<SerialBackend> MakeSim(test::FakeTimers& time) {
        lastDevice = std::make_shared<sim::SimDevice>(sim::Series::Tarrow);
        return std::make_unique<sim::SimSerialBackend>(lastDevice, time.NewHost());
    }

    // The files an upload must produce: the device memory split directly,
    // from the record as it stands when the upload starts.
    std::map<std::string, std::string> ExpectedFiles(const UploadForm& form) {
        const Bytes& memory = device.Memory();
        const LoggerBlock block = DecodeLoggerHeader(memory.data());
        const Bytes image(memory.begin() + 64, memory.begin() + 64 + UploadLength(block));
        auto work = std::make_unique<FlightRecord>(onScreen);
        work->header.gearRate = form.gearRate;
        work->header.poles = form.poles;
        SetFixedText(work->header.note, form.note);
        // Each flight carries the ESC's settings as the device holds them.
        work->escBlock.assign(device.ParamBlock().begin(), device.ParamBlock().end());
        std::map<std::string, std::string> files;
        FlightSplitter(block, image)
            .WriteFlights(*work, clock, dir.Path().string(),
                          [&](const std::string& path, const FlightRecord& r, std::string&) {
                              files[path] = EncodeRecordFile(r);
                              return true;
                          });
        return files;
    }

    void Identify() {
        identity.OnOpenDevice();
        ASSERT_TRUE(time.AdvanceUntil([&] { return identity.State().connected; }, 5000));
    }

    void Upload(const UploadForm& form) {
        link.OnUploadRecordData(form);
        ASSERT_TRUE(time.AdvanceUntil([&] { return !link.State().busy; }, 600000, 10));
        time.Advance(100);  // the window's last poll
    }

    std::map<std::string, std::string> FilesOnDisk() const {
        std::map<std::string, std::string> files;
        for (const std::string& name : dir.Names()) {
            files[dir.File(name)] = test::ReadBytes(dir.File(name));
        }
        return files;
    }

    static inline std::shared_ptr<sim::SimDevice> lastDevice;
    std::shared_ptr<sim::SimDevice> devicePtr = lastDevice;
    sim::SimDevice& device = *devicePtr;
    test::TempDir dir;
};

TEST_F(LoggerUploadSimTest, UploadWritesTheFilesTheSplittingGives) {
    Identify();
    const UploadForm form{2.5f, 12, "club field"};
    const auto expected = ExpectedFiles(form);
    ASSERT_EQ(expected.size(), 3u);  // four flights, one too short
    Upload(form);

    EXPECT_EQ(FilesOnDisk(), expected);
    EXPECT_EQ(opened, std::vector<std::string>{dir.File("2014-3-7_3.dat")});
    EXPECT_EQ(link.State().writtenFiles.size(), 3u);
    // The question names what the files will carry; the summary says what
    // became of every flight, the short one with its reason.
    const std::string summary = link.State().summary;
    EXPECT_EQ(Messages(), (std::vector<std::string>{UploadQuestion(form), summary}));
    EXPECT_NE(Messages().front().find("Gear rate: 2.50\nPole number: 12\nNote: club field"),
              std::string::npos);
    EXPECT_EQ(prompt.shown.back().icon, PromptIcon::Information);
    EXPECT_NE(summary.find("Flights found in the logger: 4"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Record files written: 3"), std::string::npos) << summary;
    EXPECT_NE(summary.find("samples, shorter than 64"), std::string::npos) << summary;
    EXPECT_EQ(windowResults, std::vector<bool>{true});
    EXPECT_EQ(TimersRunning(), 0);

    // Header, then the flights worth keeping in 512-byte blocks: flight 1
    // (3040 bytes), not the 40 samples of flight 2, then flights 3 and 4
    // (4240 bytes) from where flight 2 ended.
    std::vector<test::Request> reads;
    for (const DeviceFrame& request : device.Requests()) {
        if (request.command == kCmdReadMemory) {
            reads.push_back({request.command, request.address, request.length});
        }
    }
    std::vector<test::Request> expectedReads{{kCmdReadMemory, 0, 64}};
    for (const auto& [from, length] : {std::pair{64, 3040}, std::pair{64 + 3360, 4240}}) {
        for (int a = from; a < from + length; a += 512) {
            expectedReads.push_back({kCmdReadMemory, static_cast<std::uint16_t>(a),
                                     static_cast<std::uint16_t>(std::min(512, from + length - a))});
        }
    }
    EXPECT_EQ(reads, expectedReads);
    EXPECT_EQ(link.State().bytesAsked, 64 + 3040 + 4240);
}

TEST_F(LoggerUploadSimTest, FlightsCarryTheDevicesProfileEvenAfterAnotherRecordWasOpened) {
    Identify();
    const UploadForm form{1.0f, 14, ""};
    const auto expected = ExpectedFiles(form);
    // A record of other hardware opened in between brings its own header,
    // calibration and ranges into the record memory.
    FlightRecord& shown = onScreen;
    SetFixedText(shown.header.version, "TVKB20140V200312");
    SetFixedText(shown.header.hwCode, "0V20");
    shown.calibration[kMotorRpm].k = 0.5f;
    shown.ranges[kVoltage] = {5.0f, 6.0f};
    Upload(form);
    EXPECT_EQ(FilesOnDisk(), expected);
}

TEST_F(LoggerUploadSimTest, WrappedMemoryGivesTheFlightsTheRingDidNotWriteOver) {
    device.LoadMemory(sim::WrappedMemoryPlan());
    Identify();
    const UploadForm form{1.0f, 14, ""};
    const auto expected = ExpectedFiles(form);
    ASSERT_EQ(expected.size(), 2u);
    Upload(form);
    EXPECT_EQ(FilesOnDisk(), expected);
    EXPECT_EQ(opened, std::vector<std::string>{dir.File("2014-3-7_2.dat")});
    EXPECT_NE(link.State().summary.find("flight 1: overwritten by cycle recording"),
              std::string::npos);
}

TEST_F(LoggerUploadSimTest, ASlowLineDeliveringByteByByteGivesTheSameFiles) {
    device.MutableFaults().pace = true;
    device.MutableFaults().byteByByte = true;
    device.MutableFaults().strayBytes = 0;
    Identify();
    const UploadForm form{1.0f, 14, ""};
    const auto expected = ExpectedFiles(form);
    Upload(form);
    EXPECT_EQ(FilesOnDisk(), expected);
    EXPECT_EQ(Messages(), (std::vector<std::string>{UploadQuestion(form), link.State().summary}));
}

TEST_F(LoggerUploadSimTest, ADeviceThatStopsAnsweringEndsWithOneTimeOutAndNoFile) {
    Identify();
    device.MutableFaults().disconnectAfterBlocks = 5;
    Upload(UploadForm{1.0f, 14, ""});
    time.Advance(20000);
    EXPECT_EQ(Messages(), (std::vector<std::string>{UploadQuestion(UploadForm{1.0f, 14, ""}),
                                                    kMsgDataTimeout}));
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(TimersRunning(), 0);
}

// Unplugged in the middle of the flights: flight 1 (six blocks) came whole
// and is written exactly as a full upload writes it; flight 3, cut off in its
// second block, and flight 4 are named and nothing of them is written.
TEST_F(LoggerUploadSimTest, ALineLostMidUploadKeepsTheFlightsReadWholeAndNoPartOfTheRest) {
    Identify();
    const UploadForm form{1.0f, 14, ""};
    const auto expected = ExpectedFiles(form);
    device.MutableFaults().disconnectAfterBlocks = 7;
    Upload(form);
    time.Advance(20000);

    const std::string first = dir.File("2014-3-7_1.dat");
    EXPECT_EQ(FilesOnDisk(), (std::map<std::string, std::string>{{first, expected.at(first)}}));
    EXPECT_EQ(link.State().writtenFiles, std::vector<std::string>{first});
    EXPECT_EQ(opened, std::vector<std::string>{first});
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[1], kMsgDataTimeout);
    EXPECT_NE(prompt.shown[1].detail.find("Flight(s) 3, 4 did not come whole"), std::string::npos)
        << prompt.shown[1].detail;
    const std::string summary = link.State().summary;
    EXPECT_EQ(Messages()[2], summary);
    EXPECT_NE(summary.find("flight 3: not read whole"), std::string::npos) << summary;
    EXPECT_NE(summary.find("flight 4: not read whole"), std::string::npos) << summary;
    EXPECT_FALSE(identity.State().connected);
    EXPECT_EQ(TimersRunning(), 0);
}

TEST_F(LoggerUploadSimTest, ALostBlockRequestAnsweredByTheBlockBeforeEndsWithoutAFile) {
    Identify();
    // The header is request 1, the first block 2: the second block's request
    // is lost and the first block's reply comes again in its place.
    device.MutableFaults().loseRequest = 3;
    Upload(UploadForm{1.0f, 14, ""});
    time.Advance(20000);
    EXPECT_EQ(Messages(), (std::vector<std::string>{UploadQuestion(UploadForm{1.0f, 14, ""}),
                                                    kMsgDataTimeout}));
    EXPECT_NE(prompt.shown.back().detail.find("address 0x0040, length 512"), std::string::npos)
        << prompt.shown.back().detail;
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_TRUE(opened.empty());
}

TEST_F(LoggerUploadSimTest, AClearedLoggerHasNoFlyRecordData) {
    device.LoadMemory(sim::EmptyMemoryPlan());
    Identify();
    Upload(UploadForm{1.0f, 14, ""});
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{UploadQuestion(UploadForm{1.0f, 14, ""}), kMsgNoFlyData}));
    EXPECT_EQ(device.RequestCount(kCmdReadMemory), 1);
}

TEST_F(LoggerUploadSimTest, ClearDataEmptiesTheLogger) {
    Identify();
    link.OnClearData();
    ASSERT_TRUE(time.AdvanceUntil([&] { return !link.State().busy; }, 5000));
    EXPECT_EQ(Messages(), (std::vector<std::string>{kMsgConfirmClear, kMsgCleared}));
    EXPECT_EQ(device.Memory()[31], 0);
}

// Uploads that know what they already have: the logger's flights found in the
// folder are confirmed with one window each and not read again.
class IncrementalUploadTest : public LoggerUploadSimTest {
protected:
    IncrementalUploadTest() { link.findStored = FindStoredCandidates; }

    // The file a full upload writes now for flight `number`.
    std::string FullUploadFile(const UploadForm& form, int number) {
        std::string bytes;
        test::TempDir elsewhere;
        const Bytes& memory = device.Memory();
        const LoggerBlock block = DecodeLoggerHeader(memory.data());
        const Bytes image(memory.begin() + 64, memory.end());
        auto work = std::make_unique<FlightRecord>(onScreen);
        work->header.gearRate = form.gearRate;
        work->header.poles = form.poles;
        work->escBlock.assign(device.ParamBlock().begin(), device.ParamBlock().end());
        FlightSplitter(block, image)
            .WriteFlights(*work, clock, elsewhere.Path().string(),
                          [&](const std::string&, const FlightRecord& r, std::string&) {
                              if (r.flightNumber == number) {
                                  bytes = EncodeRecordFile(r);
                              }
                              return true;
                          });
        return bytes;
    }

    std::vector<test::Request> MemoryReads() const {
        std::vector<test::Request> reads;
        for (const DeviceFrame& request : device.Requests()) {
            if (request.command == kCmdReadMemory) {
                reads.push_back({request.command, request.address, request.length});
            }
        }
        return reads;
    }

    test::Request WindowRead(int number) const {
        const auto places = MapFlights(DecodeLoggerHeader(device.Memory().data()));
        const AddressRange read = WindowOf(places.at(number - 1)).read;
        return {kCmdReadMemory, static_cast<std::uint16_t>(read.address),
                static_cast<std::uint16_t>(read.length)};
    }

    const UploadForm form{1.0f, 14, ""};
};

TEST_F(IncrementalUploadTest, UploadingAgainReadsOnlyTheNewFlightAndWritesOneFile) {
    Identify();
    Upload(form);  // flights 1, 3 and 4 (flight 2 is too short)
    ASSERT_EQ(dir.Names().size(), 3u);

    ASSERT_TRUE(device.AppendFlight(300));  // flight 5, cut where the memory is full
    device.ClearLog();
    Upload(form);
    ASSERT_EQ(dir.Names().size(), 4u);
    EXPECT_EQ(test::ReadBytes(dir.File("2014-3-7_4.dat")), FullUploadFile(form, 5));
    EXPECT_EQ(link.State().writtenFiles, std::vector<std::string>{dir.File("2014-3-7_4.dat")});
    EXPECT_NE(link.State().summary.find(
                  FormatText(kFmtSummaryNewStored, 1, 3, dir.Path().string().c_str())),
              std::string::npos)
        << link.State().summary;

    // The header, one window of each stored flight, the new flight's bytes.
    const LoggerBlock block = DecodeLoggerHeader(device.Memory().data());
    const int start = block.EndAddress(3);
    const int end = block.EndAddress(4);
    ASSERT_EQ(end, 0x2000);  // 66 samples fitted
    const std::vector<test::Request> expected{
        {kCmdReadMemory, 0, 64},
        WindowRead(1),
        WindowRead(3),
        WindowRead(4),
        {kCmdReadMemory, static_cast<std::uint16_t>(start), 512},
        {kCmdReadMemory, static_cast<std::uint16_t>(start + 512),
         static_cast<std::uint16_t>(end - start - 512)}};
    EXPECT_EQ(MemoryReads(), expected);
    EXPECT_EQ(link.State().bytesAsked, 64 + 3 * kConfirmBytes + end - start);

    // Nothing new: no file, no flight read, the summary says so.
    device.ClearLog();
    Upload(form);
    EXPECT_EQ(dir.Names().size(), 4u);
    EXPECT_EQ(MemoryReads().size(), 1u + 4u);
    EXPECT_NE(link.State().summary.find(
                  FormatText(kFmtSummaryNewStored, 0, 4, dir.Path().string().c_str())),
              std::string::npos)
        << link.State().summary;

    // "all" still never writes a flight twice into the folder.
    link.chooseFlights = [](FlightList& list) {
        std::string error;
        return ApplyChoice(list, FlightChoice{FlightChoice::All, {}}, error);
    };
    Upload(form);
    EXPECT_EQ(dir.Names().size(), 4u);
}

TEST_F(IncrementalUploadTest, ANewFlightAtAStoredFlightsPlaceIsNew) {
    sim::MemoryPlan plan;
    plan.flights = {300};
    plan.samplingRate = 5;
    device.LoadMemory(plan);
    Identify();
    Upload(form);
    ASSERT_EQ(dir.Names().size(), 1u);

    // Cleared and flown again: the same place, the same length, other samples.
    Bytes memory = device.Memory();
    memory[31] = 0;
    device.SetMemory(memory);
    ASSERT_TRUE(device.AppendFlight(300));
    ASSERT_EQ(DecodeLoggerHeader(device.Memory().data()).EndAddress(0), 64 + 2400);
    Upload(form);
    ASSERT_EQ(dir.Names().size(), 2u);
    EXPECT_EQ(test::ReadBytes(dir.File("2014-3-7_2.dat")), FullUploadFile(form, 1));
    EXPECT_NE(link.State().summary.find(
                  FormatText(kFmtSummaryNewStored, 1, 0, dir.Path().string().c_str())),
              std::string::npos)
        << link.State().summary;
}

TEST_F(IncrementalUploadTest, GivingUpAtTheFlightListReadsNothingMore) {
    Identify();
    int asked = 0;
    link.chooseFlights = [&](FlightList& list) {
        ++asked;
        EXPECT_EQ(list.SelectedCount(), 3);  // nothing stored yet: "all" is ticked
        return false;
    };
    Upload(form);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(MemoryReads().size(), 1u);
    EXPECT_TRUE(dir.Names().empty());
    EXPECT_FALSE(comm.GetPortOpen());
}

}  // namespace
}  // namespace tavix
