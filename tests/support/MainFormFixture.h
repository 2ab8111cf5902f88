#pragma once
// The main form's device sessions (identification, upload and clear) on fake time: a scripted
// serial line or the simulated device, scripted message boxes, a fixed date, and the progress
// window played by its own rules.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "core/records/RecordTestData.h"
#include "device/ConnectedDevice.h"
#include "device/IdentifySession.h"
#include "device/MainFormLine.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "fakes/FixedClock.h"
#include "fakes/ScriptedSerial.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "logger/LoggerLink.h"
#include "shell/TabPolicy.h"
#include "shell/UploadProgress.h"

namespace tavix::test {

inline constexpr const char* kLoggerVersion = "TVKA20141L400312";

// The 519-byte answer to the identification read, carrying `version`.
inline Bytes IdentifyReply(const std::string& version) {
    Bytes block(512, 0xFF);
    std::copy(version.begin(), version.end(), block.begin() + 256);
    return BuildFrame(kCmdReadBlock, kParamBlockAddress, 512, block.data(), block.size());
}

inline Bytes MemoryReply(std::uint16_t address, const Bytes& data) {
    return BuildFrame(kCmdReadMemory, address, static_cast<std::uint16_t>(data.size()), data.data(),
                      data.size());
}

// A 64-byte logger header with the given flight end addresses.
inline Bytes LoggerHeaderBytes(std::vector<std::uint16_t> ends, bool cycle = false,
                               std::uint16_t last = 0x1FFF) {
    Bytes h(64, 0);
    h[16] = static_cast<std::uint8_t>(last >> 8);
    h[17] = static_cast<std::uint8_t>(last);
    h[18] = 0;
    h[19] = 64;
    h[20] = cycle ? 1 : 0;
    h[22] = 5;
    h[31] = static_cast<std::uint8_t>(ends.size());
    for (std::size_t i = 0; i < ends.size(); ++i) {
        h[32 + 2 * i] = static_cast<std::uint8_t>(ends[i] >> 8);
        h[33 + 2 * i] = static_cast<std::uint8_t>(ends[i]);
    }
    return h;
}

// Command, address and length of a request frame.
struct Request {
    std::uint8_t command;
    std::uint16_t address;
    std::uint16_t length;
    bool operator==(const Request&) const = default;
};
inline Request Parse(const Bytes& frame) {
    return Request{frame.at(0), static_cast<std::uint16_t>((frame.at(1) << 8) | frame.at(2)),
                   static_cast<std::uint16_t>((frame.at(3) << 8) | frame.at(4))};
}

class LoggerLinkFixture : public ::testing::Test {
protected:
    using BackendMaker = std::function<std::unique_ptr<SerialBackend>(FakeTimers&)>;

    explicit LoggerLinkFixture(const BackendMaker& makeBackend)
        : comm(makeBackend(time)),
          line(comm, *linkTimers, prompt),
          identity(line, prompt, ini, config, onScreen),
          link(line, identity, prompt, clock, onScreen),
          window(link.Transfer(), windowTimers.get()) {
        AddProfile(ini, "1L40", 0.1f, 0.000001f);
        AddProfile(ini, "0V20", 0.1f, 0.000001f);
        ini.PutText("9X99", "kvalue0", "1", true);  // a profile for a device of no known series
        line.SetPortSource([] { return std::string("/dev/ttyTEST"); });
        identity.SetDevice(&device);
        identity.changed = [this] { ++changes; };
        link.changed = [this] { ++changes; };
        link.startProgress = [this] {
            ++progressWindows;
            window.Start([this](bool ok) {
                windowResults.push_back(ok);
                link.OnProgressFinished(ok);
            });
        };
        link.storeRecord = [this](const std::string& path, const FlightRecord& record,
                                  std::string&) {
            stored.emplace(path, std::make_unique<FlightRecord>(record));
            return true;
        };
        link.openRecord = [this](const std::string& path) { opened.push_back(path); };
    }

    std::vector<std::string> Messages() const { return prompt.Texts(); }
    int TimersRunning() const { return time.RunningCount(); }
    // What the main form enables now.
    MainFormControls Controls() const {
        const IdentityState& id = identity.State();
        return TabPolicy({id.identifying, id.connected, id.hasLogger, onScreen.dataLoaded});
    }

    FakeTimers time;
    std::unique_ptr<TimerHost> linkTimers = time.NewHost();
    std::unique_ptr<TimerHost> windowTimers = time.NewHost();
    FakePrompt prompt;
    FixedClock clock;
    CIniFile ini;
    CAppConfig config;
    // The record the window shows (the document's), which identification
    // and upload fill in.
    std::unique_ptr<FlightRecord> onScreenRecord = std::make_unique<FlightRecord>();
    FlightRecord& onScreen = *onScreenRecord;
    CMSComm comm;
    ConnectedDevice device;
    MainFormLine line;
    IdentifySession identity;
    LoggerLink link;
    UploadProgress window;

    int changes = 0;
    int progressWindows = 0;
    std::vector<bool> windowResults;
    std::map<std::string, std::unique_ptr<FlightRecord>> stored;
    std::vector<std::string> opened;
};

// The main form's sessions on a scripted serial line.
class ScriptedMainFormTest : public LoggerLinkFixture {
protected:
    ScriptedMainFormTest() : LoggerLinkFixture(MakeSerial) {}

    static std::unique_ptr<SerialBackend> MakeSerial(FakeTimers&) {
        auto serial = std::make_unique<ScriptedSerial>();
        lastSerial = serial.get();
        return serial;
    }

    Request LastRequest() const { return Parse(serial.written.back()); }

    // Open Device answered with `version`.
    void Identify(const std::string& version = kLoggerVersion) {
        identity.OnOpenDevice();
        serial.Feed(IdentifyReply(version));
        time.Advance(0);  // the posted "version received"
    }

    // Upload started and its header answered.
    void StartUpload(const Bytes& header) {
        link.OnUploadRecordData(UploadForm{1.0f, 14, "note"});
        ASSERT_EQ(LastRequest(), (Request{kCmdReadMemory, 0, 64}));
        serial.Feed(MemoryReply(0, header));
    }

    static inline ScriptedSerial* lastSerial = nullptr;
    ScriptedSerial& serial = *lastSerial;
};

}  // namespace tavix::test
