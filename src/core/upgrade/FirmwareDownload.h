#pragma once
// The upgrade page's session: reads the firmware version now in the ESC,
// takes a firmware file (.Dlc) and sends its image to the ESC block by block,
// then writes the parameter block back with the new firmware's version in it.
// It holds what the page shows as plain data (UpgradeState) and calls
// `changed` whenever that changes; the page re-reads it, a test reads the same.
//
// Every exchange goes through the request engine: command 3 reads the
// parameter block (timer 3), command 16 carries one image block (timer 16),
// command 15 writes the parameter block (timer 15). Nothing is retried: each
// frame gets one good reply or the download ends in its time-out on the 31st
// tick (3.1 s). The next frame leaves as soon as a good reply has come: the
// ESC's loader takes a frame right after its reply (a page tick could always
// fall just after one), so waiting for a tick would only add up to 100 ms per
// block and about a fifth to a download on a 9600-baud line.
//
// A file is checked whole before anything is sent (FirmwareFile: layout,
// length, checksum, size and a 16-character version), and Start asks with
// both versions named; a file whose series or hardware code differs from the
// ESC's is asked about plainly, with No as the answer Enter gives. After the
// parameter-block write the block is read back: only a block that carries the
// file's version is "Download successful!".
//
//                         show (first time, or after a connect time-out)
//   +-------------+       opens the port, sends cmd 3 0x0E00/512, timer 3
//   |  NotLinked  |-----------------------------------+
//   +-------------+                                   v
//      ^                                      +----------------+
//      |  31st tick of timer 3:               | ReadingVersion |
//      |  "Time out, connect failure!"        +----------------+
//      +--------------------------------------------- | good reply: "Current Version:",
//         (a late reply is still taken in full)       | block kept, Browse enabled
//                                                     v
//   +---------+  valid file, port open   +--------+
//   |  Ready  |<-------------------------| Linked |
//   +---------+  (Browse ...)            +--------+
//      |
//      | Start: cmd 3 again over the same port (ReadingVersion). Another ESC
//      | than the page showed: said so, nothing sent, the page shows it.
//      | The same: "Are you sure you want to upgrade?" with the version just
//      | read and the file's (for another series or hardware: said so, No by
//      | default). Yes: offset 0
//      v
//   +--------------+  at once and then on each good reply:
//   | Transferring |    offset < size:  cmd 16 offset/min(512, rest) + bytes
//   |   (busy)     |    offset = size:  cmd 15 0x0E00/512, the block as read
//   +--------------+                    with the file's version at 256-271
//      |   |    |       cmd 15 acked:   cmd 3, the block read back
//      |   |    |       read back:      the file's version?  yes: "Download
//      |   |    |                       successful!" --> Done;  no: what the
//      |   |    |                       ESC reports, Start again --> Failed
//      |   |    +-- Stop: timers stopped, a late reply dropped  --> Stopped
//      |   +------- 31st tick without a good reply:
//      |            "Time out, download failure!"               --> Failed
//      |
//   Done, Failed and Stopped: Stop disabled, Start enabled; Start begins again
//   at offset 0. From the first image block until a download succeeds the
//   ESC's firmware may be incomplete: the page says so (Warning) and shows no
//   version for it, whatever the block still says.
//
// While a download runs the session is `busy`: the page refuses leaving its
// tab and the main window asks before closing, because a download cut short
// can leave the ESC without working firmware. Browse is refused while busy: a
// file loaded then would mix two images in one ESC.
//
// Every change of the state happens before a message box is shown: a box
// still lets timers and serial events run, and they must find the state whole.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/Bytes.h"
#include "device/DeviceLine.h"
#include "upgrade/FirmwareFile.h"

namespace tavix {

class CMSComm;
class Prompt;
class TimerHost;

enum class UpgradePhase {
    NotLinked,
    ReadingVersion,
    Linked,
    Ready,
    Transferring,
    Done,
    Failed,
    Stopped
};

struct UpgradeState {
    UpgradePhase phase = UpgradePhase::NotLinked;
    VersionGroups currentVersion;   // "Current Version:"
    std::string filePath;           // "Upgrade File:"
    VersionGroups firmwareVersion;  // "Version of the Firmware:"
    // The bar, 0-100: activity (a step per tick) while the version is read,
    // the share of the image the ESC has taken while a download runs.
    int progress = 0;
    bool connected = false;  // the status icon
    bool getVersionEnabled = false;
    bool browseEnabled = false;
    bool startEnabled = false;
    bool stopEnabled = false;
    // A download runs (from Start until it ends, fails or is stopped).
    bool busy = false;
    // The share sent: image blocks sent of the image's blocks, image bytes the
    // ESC has acknowledged of the image's size.
    int blocksSent = 0;
    int blockCount = 0;
    std::size_t bytesAcknowledged = 0;
    std::size_t imageSize = 0;
    // Milliseconds from Start to the last acknowledged block (0 without a clock).
    std::int64_t elapsedMs = 0;
    // A download sent image blocks and none has succeeded since.
    bool incomplete = false;

    // Percent of the image acknowledged: 100 only once the read-back showed
    // the new version, 99 at most before (the version is still to be written).
    int SharePercent() const;
    // "block k of n, p%" for the page while a download runs or after it, and
    // while it runs ", about 20 s left" once the pace of the ESC is known.
    std::string BlockText() const;
    // The label beside the bar: the block text once a download has run, else
    // empty; and the bar's value that agrees with it (empty when idle).
    std::string StatusText() const;
    int BarValue() const;
    // Below the version: "unknown (download not completed)" while the
    // firmware may be incomplete, else empty.
    std::string VersionNote() const;
    // The warning the page shows while the firmware may be incomplete.
    std::string Warning() const;
};

class FirmwareDownload : public DeviceLine {
public:
    FirmwareDownload(CMSComm& comm, TimerHost& timers, Prompt& prompt, PortSource port);

    const UpgradeState& State() const { return state_; }
    // The file last loaded (also an invalid one).
    const FirmwareFile& File() const { return file_; }
    // The parameter block as last read from the ESC.
    const Bytes& StoredBlock() const { return paramBlock_; }

    // The page became current (open: open the port) / stopped being current.
    void OnShow(bool open);
    void OnHide();
    // The version read ("Get ESC's Version"); run by OnShow.
    void OnGetVersion();
    // "Browse ...": the file the user chose (empty: the dialog was cancelled).
    void OnBrowse(const std::string& path);
    void OnStart();
    void OnStop();
    // The serial control's receive event and the timers' ticks.
    void OnComm() override;
    void OnTimer(int id) override;

    // A steady clock in milliseconds for the time left (unset: none is shown).
    std::function<std::int64_t()> nowMs;
    // A download ended with the new version read back from the ESC (the
    // version bytes as read); runs before "Download successful!" is shown.
    std::function<void(const std::string& version)> installed;

private:
    // Where a running download is.
    enum class Step { Image, WriteBlock, ReadBack };

    void Reset();
    void IdentityEnded() override;
    // The read Start makes before anything is sent.
    void TakeStartRead(const Bytes& block);
    void BeginDownload();
    bool ConfirmStart();
    void DownloadStep();
    void TakeReadBack(const Bytes& block);
    void DownloadFailed(const std::string& detail);
    void EndDownload(UpgradePhase phase);
    void TakeVersionReply(const Bytes& block);
    void ClearFile();

    UpgradeState state_;
    FirmwareFile file_;
    Bytes paramBlock_;
    bool portOpen_ = false;
    bool versionRead_ = false;
    bool fileValid_ = false;
    bool startRead_ = false;  // Start's read of the block is outstanding
    Step step_ = Step::Image;
    std::size_t sendOffset_ = 0;
    std::size_t blockInFlight_ = 0;  // size of the image block last sent
    std::int64_t startedMs_ = 0;
};

}  // namespace tavix
