#pragma once
// The main form's logger session: "Upload Record Data" (read the logger
// memory in blocks and turn it into record files) and "Clear Data" (set the
// logger's flight count to 0), on the main form's line after "Open Device"
// (device/IdentifySession) has identified an ESC with a logger. It holds what
// the main form shows of it as plain data (LoggerLinkState) and calls
// `changed` whenever that changes; the windows re-read it, the tests read the
// same.
//
// Everything runs on one thread, driven by the serial control's receive event,
// the session's timers and tasks posted to itself. One request is outstanding
// at a time; its timer id is its command code and ticks every 100 ms.
//
// Upload Record Data (after "Make sure gear rate and pole number are correct!"):
//
//   Idle --> ReadingHeader ----------------------------------+
//             cmd 4 0/64, timer 4                             |
//             |           \                                   |
//             | flights    \ no flight                        |
//             v             v                                 |
//          Confirming       NoData: the progress window       |
//           one window of    ends with Cancel, then           |
//           each flight some "No fly record data!"            |
//           record file may                                   |
//           hold (FlightList.h)                               |
//             |                                               |
//             v                                               |
//          (posted) Choosing: the flight list shown           |
//           (chooseFlights), "new" or "all" ticked            | 31st tick of
//             |  Cancel -> Idle                               | timer 4, or 31
//             v                                               | ticks of timer 55
//          ReadingBlocks: cmd 4 for each read of the          | without a reply
//           chosen flights' bytes (at most 512 each),         |
//           timer 4 for the reply; each reply asks for        |
//           the next at once, timer 55 (200 ms) watches       v
//             |                                    DataTimeout: both timers
//             | last block in                      stopped, port closed,
//             v                                    "Time out, get data failure!"
//          (posted) Processing: one record file    (once); flights read whole
//           per chosen flight, the last one opened  before it are written, a
//                                                   flight cut off is not
//
//   The reads ask only for what is needed: the header, one window per flight
//   that may be stored already, and the chosen flights' own bytes, which may
//   lie in two ranges when cycle recording wrapped them. The progress counts
//   the bytes asked for.
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
#include "logger/FlightList.h"
#include "logger/FlightSplitter.h"
#include "shell/Prompt.h"
#include "shell/ShellMessages.h"
#include "shell/UploadProgress.h"

namespace tavix {

class Clock;
class IdentifySession;
class MainFormLine;

// Timer ids: the awaited command's code, and the block-read pacing.
inline constexpr int kTimerRead = 4;
inline constexpr int kTimerClear = 14;
inline constexpr int kTimerBlock = 55;
// The read of the ESC's block that comes before a clear.
inline constexpr int kTimerClearCheck = 3;
inline constexpr int kBlockTickMs = 200;
inline constexpr int kBlockRetryLimit = 30;  // timer-55 ticks without a reply
inline constexpr int kBlockSize = 512;

// The byte the clear command writes: the header's flight count.
inline constexpr std::uint16_t kFlightCountAddress = 31;

// What the main form shows of the session.
struct LoggerLinkState {
    bool busy = false;                      // an upload or a clear is running
    TransferState transfer;                 // what the progress window polls
    std::vector<std::string> writtenFiles;  // record files of the last upload
    std::string summary;                    // what the last upload did (UploadSummaryText)
    FlightList flights;                     // what the logger held at the last upload
    int bytesAsked = 0;                     // data bytes the last upload asked the logger for
};

// Adds to `list` the record files of `folders` that may hold its flights
// (records/StoredFlights), for a logger of device version `version`.
using FindStoredFn =
    std::function<void(const std::vector<std::string>& folders, const std::string& version,
                       const LoggerBlock& block, FlightList& list)>;

// What the form says when the upload starts.
struct UploadForm {
    float gearRate = 1.0f;
    std::int32_t poles = 0;
    std::string note;  // the user note the record files carry
};

// The question before an upload, naming the gear rate, pole number and note
// the record files will carry: the form's boxes show the open record's values,
// which may belong to another model.
std::string UploadQuestion(const UploadForm& form);

class LoggerLink {
public:
    // Uses `line` after `identity` has identified the device. `shown` is the
    // record on screen (the document's): an upload starts from a copy of it
    // and never changes it but for the gear rate and poles the user agreed to.
    LoggerLink(MainFormLine& line, const IdentifySession& identity, Prompt& prompt,
               const Clock& clock, FlightRecord& shown);
    ~LoggerLink();
    LoggerLink(const LoggerLink&) = delete;
    LoggerLink& operator=(const LoggerLink&) = delete;

    const LoggerLinkState& State() const { return state_; }
    // The transfer state the progress window reads and writes (it clears noData).
    TransferState& Transfer() { return state_.transfer; }
    // Directory the upload's record files go to; empty: the working directory.
    std::string outputDirectory;
    // Other folders whose record files count as stored (the logbook's).
    std::vector<std::string> searchFolders;
    // Finds the record files that may hold the logger's flights; unset, no
    // flight is known as stored and every flight is new.
    FindStoredFn findStored;
    // Shows the flight list and lets the user tick flights (the default
    // choice is ticked already). False: the user gave up, nothing is read.
    // Unset: the default choice is read without asking.
    std::function<bool(FlightList& list)> chooseFlights;

    // The visible state changed.
    std::function<void()> changed;
    // The upload began: show the progress window (without blocking). It polls
    // Transfer() and ends with OnProgressFinished.
    std::function<void()> startProgress;
    // Writes one flight's record file (the record document's encoding). Must
    // be set before an upload: without it every flight is reported unsaved.
    StoreRecordFn storeRecord;
    // Opens the last record file of an upload as the document and shows it.
    std::function<void(const std::string& path)> openRecord;
    // Shows the summary of a finished upload; unset, it is an information
    // message of the prompt.
    std::function<void(const std::string& summary)> showSummary;
    // Clear Data: the logger page lets go of the port, and takes it again after.
    std::function<void()> hideLoggerPage;
    std::function<void()> reopenLoggerPage;

    // Button handlers. They do nothing while another exchange is running.
    void OnUploadRecordData(const UploadForm& form);
    void OnClearData();
    // The progress window closed: OK when the transfer ended (or Enter),
    // Cancel when the logger had no data or the user pressed Esc.
    void OnProgressFinished(bool ok);

private:
    // Events, routed here while an upload or a clear runs.
    void OnComm();
    void OnTimer(int id);
    bool Begin();
    void Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
              const Bytes& payload = {});
    void Post(void (LoggerLink::*task)());
    void Notify();

    void OnHeaderReply(const DeviceReply& reply);
    void OnBlockReply(const DeviceReply& reply);
    // Starts the reads of one phase: the confirm windows or the flights.
    void StartReads(std::vector<AddressRange> reads);
    void SendBlock();
    void OnReadsDone();
    void OnBlockTick();
    void ChooseFlights();
    void DataTimeout();
    void FinishWithoutFlights();
    void StopTransfer();
    void OnUploadComplete();
    // Decodes the chosen flights of the image and writes one file each.
    SplitOutcome WriteChosen();
    // The messages of a processing, then its summary; opens the last file.
    void Report(const SplitOutcome& outcome);

    void OnClearReply();
    // The block read before the clear: the ESC identified, or a stop.
    void OnClearCheck(const DeviceReply& reply);
    // `situation`: what the clear left the logger in.
    void ClearTimeout(const char* situation);
    void FinishClear(const char* message, PromptIcon icon, const std::string& detail = {});

    MainFormLine& line_;
    const IdentifySession& identity_;
    Prompt& prompt_;
    const Clock& clock_;
    FlightRecord& shown_;
    LoggerLinkState state_;

    // Upload.
    UploadForm upload_;
    LoggerBlock loggerBlock_;
    bool headerHadNoFlight_ = false;
    bool progressOpen_ = false;  // the progress window of this upload is still up
    bool blockReadActive_ = false;
    bool clearCheck_ = false;  // the read before a clear is outstanding
    bool confirming_ = false;  // the reads are the confirm windows
    std::vector<AddressRange> reads_;
    std::size_t readIndex_ = 0;
    int bytesDone_ = 0;  // of this phase's reads
    int retries_ = 0;
    std::vector<std::pair<int, Bytes>> windows_;  // flight number, its window's bytes
    Bytes image_;  // addresses 64 to the last, only the chosen flights' filled

    // Posted tasks check this so none runs after the session is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tavix
