#pragma once
// The main form's device session: "Open Device ..." (identify the ESC and its
// logger by the version string), "Upload Record Data" (read the logger memory
// in blocks and turn it into record files) and "Clear Data" (set the logger's
// flight count to 0). It holds what the main form shows of it as plain data
// (LoggerLinkState) and calls `changed` whenever that changes; the windows
// re-read it, the tests read the same.
//
// Everything runs on one thread, driven by the serial control's receive event,
// the session's timers and tasks posted to itself. One request is outstanding
// at a time; its timer id is its command code and ticks every 100 ms.
//
// Open Device:
//
//   Idle --OnOpenDevice--> Identifying --reply--> (posted) VersionReceived
//    ^    (port opened)    cmd 3 0x0E00/512          |  profile of chars 8-11?
//    |                     timer 3                   |  series of chars 2-3?
//    |                         |                     |
//    |                         | 30th tick           +--> no: message, device not shown
//    |                         v                     +--> yes: connected, tabs,
//    +------------------ "Time out, device                 version, description
//                         open failure!"
//
// Upload Record Data (after "Make sure gear rate and pole number are correct!"):
//
//   Idle --> ReadingHeader ----------------------------------+
//             cmd 4 0/64, timer 4                             |
//             |           \                                   |
//             | flights    \ no flight                        |
//             v             v                                 |
//          ReadingBlocks   NoData: the progress window        | 31st tick of
//           cmd 4 current/    ends with Cancel, then          | timer 4, or 31
//           min(512, rest),   "No fly record data!"           | ticks of timer 55
//           timer 4 for the                                   | without a reply
//           reply; timer 55 (200 ms) takes it                 |
//           and asks for the next block                       v
//             |                                    DataTimeout: both timers
//             | last block in                      stopped, port closed,
//             v                                    "Time out, get data failure!"
//          (posted) Processing: one record file    (once)
//           per flight, the last one opened
//
//   From ReadingHeader or ReadingBlocks, Esc in the progress window (Cancel)
//   stops the transfer at once: both timers stopped, port closed, no message.
//   Enter (OK) only closes the window; the transfer goes on, and a header
//   without flights that comes after it says "No fly record data!" at once.
//
// Clear Data (after "Are you sure you want to clear all the data in the logger?"):
//
//   Idle --> Clearing: cmd 14 31/1 = 0 (flight count), timer 14
//             reply      -> "Recorder's current data has been cleared!"
//             31st tick  -> "Clear recorder data failed!"
//
// Progress window: the session starts it (startProgress) when the upload
// begins, without waiting for it; the window polls Transfer() every 50 ms and
// reports back through OnProgressFinished(ok).
//
// Time-outs count only the ticks of the awaited request's own timer. While
// blocks are read, timer 55 runs beside timer 4; its events do not shorten the
// request's time-out, so "Time out, get data failure!" comes on the 31st tick
// of timer 4 (3.1 s without a reply) and the identification time-out on the
// 30th tick of timer 3 (3 s), however many other timers run.
//
// Every change of the state happens before a message box is shown: a box
// still lets timers and serial events run, and they must find the state whole.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "flight/FlightRecord.h"
#include "link/DeviceRequest.h"
#include "link/SerialBackend.h"
#include "logger/DeviceVersion.h"
#include "logger/FlightSplitter.h"
#include "shell/Prompt.h"
#include "shell/ShellTexts.h"
#include "shell/UploadProgress.h"

namespace tavix {

class CAppConfig;
class CIniFile;
class CMSComm;
class Clock;
class TimerHost;

// Timer ids: the awaited command's code, and the block-read pacing.
inline constexpr int kTimerIdentify = 3;
inline constexpr int kTimerRead = 4;
inline constexpr int kTimerClear = 14;
inline constexpr int kTimerBlock = 55;
inline constexpr int kBlockTickMs = 200;
inline constexpr int kBlockRetryLimit = 30;  // timer-55 ticks without a reply
inline constexpr int kBlockSize = 512;

// Where the version string lies in the 512-byte block.
inline constexpr std::ptrdiff_t kVersionBlockOffset = 256;
// The byte the clear command writes: the header's flight count.
inline constexpr std::uint16_t kFlightCountAddress = 31;

// What the main form shows of the session.
struct LoggerLinkState {
    bool connected = false;  // status icon: connected / not connected
    bool setComPortEnabled = true;
    bool openDeviceEnabled = true;
    bool uploadEnabled = false;
    bool clearEnabled = false;
    std::array<bool, kTabCount> tabEnabled{true, false, false, false, false};
    std::string version;                    // 16 bytes as the device sent them; empty when none
    std::string hardwareCode;               // characters 8-11 of the version
    std::string description;                // the hardware profile's description
    int series = kSeriesTarrow;             // ESC page of "2.Parameter Setting": 0-3
    bool busy = false;                      // an exchange with the device is running
    TransferState transfer;                 // what the progress window polls
    std::vector<std::string> writtenFiles;  // record files of the last upload
};

// What the form says when the upload starts.
struct UploadForm {
    float gearRate = 1.0f;
    std::int32_t poles = 0;
    std::string note;  // the user note the record files carry
};

class LoggerLink {
public:
    // Takes over `comm`'s receive event and `timers`' handler.
    LoggerLink(CMSComm& comm, TimerHost& timers, Prompt& prompt, const Clock& clock, CIniFile& ini,
               CAppConfig& config);
    ~LoggerLink();
    LoggerLink(const LoggerLink&) = delete;
    LoggerLink& operator=(const LoggerLink&) = delete;

    const LoggerLinkState& State() const { return state_; }
    // The transfer state the progress window reads and writes (it clears noData).
    TransferState& Transfer() { return state_.transfer; }
    // The version string of the last identification reply, also when the
    // device was then refused (unknown hardware or series).
    const std::string& ReceivedVersion() const { return receivedVersion_; }
    // The tab the form should select now (after Open Device or its time-out),
    // or -1; taking it clears the request.
    int TakeTabRequest();

    // The --port option of this run (a path, "COMn" or "demo"); empty: the
    // port stored in config.ini. Resolved at every open.
    std::string portOption;
    // Directory the upload's record files go to; empty: the working directory.
    std::string outputDirectory;

    // The visible state changed.
    std::function<void()> changed;
    // Open Device: every device page runs its hide operation, closing its port.
    std::function<void()> hideDevicePages;
    // The upload began: show the progress window (without blocking). It polls
    // Transfer() and ends with OnProgressFinished.
    std::function<void()> startProgress;
    // Writes one flight's record file (the record document's encoding). Must
    // be set before an upload: without it every flight is reported unsaved.
    StoreRecordFn storeRecord;
    // Opens the last record file of an upload as the document and shows it.
    std::function<void(const std::string& path)> openRecord;
    // Clear Data: the logger page lets go of the port, and takes it again after.
    std::function<void()> hideLoggerPage;
    std::function<void()> reopenLoggerPage;

    // Button handlers. They do nothing while another exchange is running.
    void OnOpenDevice();
    void OnUploadRecordData(const UploadForm& form);
    void OnClearData();
    // The progress window closed: OK when the transfer ended (or Enter),
    // Cancel when the logger had no data or the user pressed Esc.
    void OnProgressFinished(bool ok);

    // Events (wired to the serial control and the timer host by the constructor).
    void OnComm();
    void OnTimer(int id);

private:
    bool OpenPort();
    void ClosePort();
    void Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
              const Bytes& payload = {});
    void Post(void (LoggerLink::*task)());
    void Notify();

    void OnIdentifyReply(const DeviceReply& reply);
    void OnVersionReceived();
    void IdentifyTimeout();

    void OnHeaderReply(const DeviceReply& reply);
    void OnBlockReply(const DeviceReply& reply);
    void SendBlock();
    void OnBlockTick();
    void DataTimeout();
    void FinishWithoutFlights();
    void StopTransfer();
    void OnUploadComplete();

    void OnClearReply();
    void ClearTimeout();
    void FinishClear(const char* message, PromptIcon icon);

    CMSComm& comm_;
    TimerHost& timers_;
    Prompt& prompt_;
    const Clock& clock_;
    CIniFile& ini_;
    CAppConfig& config_;
    LoggerLinkState state_;
    int tabRequest_ = -1;

    // The request outstanding; a reply after its time-out is not taken.
    DeviceRequest request_;
    std::string receivedVersion_;
    // The identified device's profile as it was loaded. A record file opened
    // since then replaces the record's header, calibration and ranges; the
    // flights of this device are still decoded and labelled with its own.
    std::array<Calibration, kChannelCount> deviceCalibration_{};
    std::array<AxisRange, kChannelCount> deviceRanges_{};

    // Upload.
    UploadForm upload_;
    LoggerBlock loggerBlock_;
    bool headerHadNoFlight_ = false;
    bool progressOpen_ = false;  // the progress window of this upload is still up
    bool blockReadActive_ = false;
    int start_ = 0;
    int total_ = 0;
    int current_ = 0;
    bool replyReady_ = false;
    int retries_ = 0;
    Bytes blockData_;
    Bytes image_;

    // Posted tasks check this so none runs after the session is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tavix
