#pragma once
// "Open Device ...": the main form asks the device for its 512-byte block and
// reads the 16-character version string at block offset 256. The hardware
// code (characters 8-11) names the config.ini profile that is loaded, the
// series (characters 2-3) chooses the ESC page, and character 8 says whether
// a flight data logger is attached. ESCs without a logger are identified the
// same way: they offer their parameter and upgrade pages only.
//
//   Idle --OnOpenDevice--> Identifying --reply--> (posted) VersionReceived
//    ^    every device      cmd 3 0x0E00/512          |  profile of chars 8-11?
//    |    page hidden,      timer 3                   |  series of chars 2-3?
//    |    port opened           |                     |
//    |                          | 30th tick           +--> no: message, device not shown
//    |                          v                     +--> yes: connected, version,
//    +------------------- "Time out, device                  description, tabs
//                          open failure!"
//
// The version is taken in a task posted to itself, as the device's reply may
// arrive inside a message box of another page.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/Bytes.h"
#include "device/DeviceVersion.h"
#include "flight/FlightRecord.h"
#include "shell/Prompt.h"

namespace tavix {

class CAppConfig;
class CIniFile;
class ConnectedDevice;
class MainFormLine;
class Prompt;

inline constexpr int kTimerIdentify = 3;

// What the window shows of the identification: composed on request from the
// one connected-device model, never kept beside it. `connected` means the
// device is identified and its hardware profile and series were accepted for
// the identity it has now.
struct IdentityState {
    bool identifying = false;
    bool connected = false;  // a device was identified and its profile loaded
    bool hasLogger = false;
    std::string version;       // 16 bytes as the device sent them; empty when none
    std::string hardwareCode;  // characters 8-11 of the version
    std::string description;   // the hardware profile's description
    int series = kSeriesTarrow;
};

class IdentifySession {
public:
    // `shown` is the record on screen (the document's): identification loads
    // the device's profile into it, as the window always did.
    IdentifySession(MainFormLine& line, Prompt& prompt, CIniFile& ini, CAppConfig& config,
                    FlightRecord& shown);
    ~IdentifySession();
    IdentifySession(const IdentifySession&) = delete;
    IdentifySession& operator=(const IdentifySession&) = delete;

    // The one connected-device model this session fills: Open Device starts
    // it on the port, the reply identifies it, a time-out or a lost device
    // ends it. When a page finds another ESC on the port, the window's texts
    // (version pane, description, series page) follow it. Without one set,
    // the session fills a model of its own (the command line's).
    void SetDevice(ConnectedDevice* device);
    const ConnectedDevice& Device() const { return *device_; }

    IdentityState State() const;
    // The version string of the last identification reply, also when the
    // device was then refused (unknown hardware or series).
    const std::string& ReceivedVersion() const { return receivedVersion_; }
    // The whole 512-byte block of the last identification reply (empty before
    // one and after a time-out): an upload stores it with each flight, and it
    // is kept in the ESC snapshot history, without another exchange.
    const Bytes& ReceivedBlock() const { return receivedBlock_; }
    // The tab the form should select now (after identification or its
    // time-out), or -1; taking it clears the request.
    int TakeTabRequest();
    // The identified device's calibration and axis ranges as its profile was
    // loaded: a record file opened since then replaces the record's own.
    const std::array<Calibration, kChannelCount>& DeviceCalibration() const { return calibration_; }
    const std::array<AxisRange, kChannelCount>& DeviceRanges() const { return ranges_; }

    std::function<void()> changed;
    // Every device page runs its hide operation, closing its port.
    std::function<void()> hideDevicePages;
    // Keeps the block of an identified device in the snapshot history;
    // returns the message of a failed write (shown), or an empty text.
    std::function<std::string(const Bytes&)> keepBlock;

    void OnOpenDevice();
    // The device is gone: its port did not open, a request to it timed out,
    // or its port vanished (adapter pulled out). The window then shows no
    // device, and nothing that needs one is offered.
    void OnDeviceLost();
    // Looked at now and then while idle: whether the identified device's
    // port still exists.
    void OnPortPresence(bool present);

private:
    void OnComm();
    void OnTimer(int id);
    void OnVersionReceived();
    void Timeout(const std::string& detail);
    // Loads the hardware profile of `version` into the record's header and
    // keeps its calibration and ranges; the message (and its icon) when the
    // profile or the series is unknown, else an empty text.
    std::string LoadProfile(const std::string& version, PromptIcon& icon);
    // After an identity was taken: shows why it was refused, or keeps the
    // accepted ESC's block in the history.
    void Tell(const std::string& refusal, PromptIcon icon);
    void Notify();
    void DeviceChanged();

    MainFormLine& line_;
    std::unique_ptr<ConnectedDevice> ownDevice_;
    ConnectedDevice* device_ = nullptr;
    int watch_ = 0;
    Prompt& prompt_;
    CIniFile& ini_;
    CAppConfig& config_;
    FlightRecord& shown_;
    bool identifying_ = false;
    // Set while this session identifies the device itself: whether it accepted it.
    std::optional<bool> taking_;
    // The device generation whose identity this session has taken (profile
    // loaded or refused), and whether it was accepted.
    unsigned takenGeneration_ = 0;
    bool accepted_ = false;
    std::string description_;  // the accepted profile's description
    std::string receivedVersion_;
    Bytes receivedBlock_;
    int tabRequest_ = -1;
    std::array<Calibration, kChannelCount> calibration_{};
    std::array<AxisRange, kChannelCount> ranges_{};
    // Posted tasks check this so none runs after the session is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tavix
