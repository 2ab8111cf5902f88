// Whole uploads from the simulated device on fake time: the record files on
// disk are exactly what splitting the device's memory gives, whatever the line
// does to the replies.
#include <gtest/gtest.h>

#include "fakes/TempDir.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
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
        auto work = std::make_unique<FlightRecord>(config.Record());
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

    // Header, then 7600 bytes in 512-byte blocks with a short last one.
    std::vector<std::uint16_t> lengths;
    for (const DeviceFrame& request : device.Requests()) {
        if (request.command == kCmdReadMemory) {
            lengths.push_back(request.length);
        }
    }
    ASSERT_EQ(lengths.size(), 1u + 15u);
    EXPECT_EQ(lengths.front(), 64);
    EXPECT_EQ(lengths[1], 512);
    EXPECT_EQ(lengths.back(), 7600 - 14 * 512);
}

TEST_F(LoggerUploadSimTest, FlightsCarryTheDevicesProfileEvenAfterAnotherRecordWasOpened) {
    Identify();
    const UploadForm form{1.0f, 14, ""};
    const auto expected = ExpectedFiles(form);
    // A record of other hardware opened in between brings its own header,
    // calibration and ranges into the record memory.
    FlightRecord& shown = config.Record();
    SetFixedText(shown.header.version, "TVKB20140V200312");
    SetFixedText(shown.header.hwCode, "0V20");
    shown.calibration[kMotorRpm].k = 0.5f;
    shown.ranges[kVoltage] = {5.0f, 6.0f};
    Upload(form);
    EXPECT_EQ(FilesOnDisk(), expected);
}

TEST_F(LoggerUploadSimTest, WrappedMemoryGivesOnlyTheLastFlight) {
    device.LoadMemory(sim::WrappedMemoryPlan());
    Identify();
    const UploadForm form{1.0f, 14, ""};
    const auto expected = ExpectedFiles(form);
    ASSERT_EQ(expected.size(), 1u);
    Upload(form);
    EXPECT_EQ(FilesOnDisk(), expected);
    EXPECT_EQ(opened, std::vector<std::string>{dir.File("2014-3-7_1.dat")});
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

}  // namespace
}  // namespace tavix
