#pragma once
// The ESC parameter page of every series: reads the ESC's 512-byte parameter
// block when the page is shown, spreads it over the series' lists and fields
// (EscSeries.h), and on "Update" writes the whole block back. The page owns
// its port: it opens it on show and closes it on hide.
//
//                 show, reset flag set: clear the page, read (timer 3)
//   +-------+         +---------+  good read reply   +--------+
//   | Fresh |-------->| Reading |------------------->| Linked |<-----------+
//   +-------+         +---------+                    +--------+            |
//                       |    ^                         |   ^  | "Update",  |
//           31st tick   |    | show (reset flag set):  |   |  | Yes:       |
//           of timer 3  v    | clear and read again    |   |  v write     |
//                    +------------+  late good read    |   | +---------+   |
//                    | Not linked |--------------------+   | | Writing |---+
//                    +------------+  reply                 | +---------+ good write
//                         ^                                |      |      reply
//                         | a write the page refuses       |      | 31st tick
//                         | (calibration out of order)     |      v of timer 15
//                         +--------------------------------+ +--------------+
//                                                            | Write failed |
//                                                            +--------------+
//   Linked and Write failed survive hide and show: showing again only reopens
//   the port, and no read runs (the reset flag is clear). A write failure
//   keeps the values shown but leaves "Update" disabled; a good write reply
//   that still comes late brings the page back to Linked.
//
// A good write reply is followed by a read of the block (still Writing): the
// page then names every parameter that did not take, or reports success. A
// restore from the history is such a write too, of the snapshot's own bytes.
//
// One request is outstanding at a time, through DeviceRequest: the read
// (command 3) and the write (command 15), each with its own timer of the
// same id ticking every 100 ms. Each tick steps the progress bar by 20 (it
// shows activity, not progress); the 31st tick without a good reply is the
// time-out. Hiding the page does not stop a request: its time-out message
// may come while another tab is shown, and a late good read reply is still
// taken.
//
// The commands ("Connect", "Default Value", "Update") do nothing while the
// page is hidden. Every change of state is made before a message box is
// shown, since timers and serial events run while the box is open.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "base/Translate.h"
#include "device/DeviceLine.h"
#include "esc/EscPageState.h"

namespace tavix {

class CMSComm;
class EscHistory;
class Prompt;
class TimerHost;

class EscParamSession : public DeviceLine {
public:
    // `port` names the port to open at each show.
    EscParamSession(const EscSeriesTable& table, CMSComm& comm, TimerHost& timers, Prompt& prompt,
                    PortSource port);

    const EscSeriesTable& Table() const { return table_; }
    const EscParamState& State() const { return state_; }
    const ThrottleCalibration& Calibration() const { return calibration_; }
    // The block of the last good read reply (empty before one): the kept
    // bytes of the next write come from it.
    const Bytes& LastRead() const { return lastRead_; }
    // The block of the last read reply when it came from an ESC of another
    // series, which this page neither shows nor writes (empty otherwise).
    const Bytes& OtherSeriesRead() const { return otherSeriesRead_; }
    // The block of the last write request sent (empty before one, and after
    // an Update that sent none: the ESC on the port was another one).
    const Bytes& LastWrite() const { return lastWrite_; }
    // The carried offsets the read-back after the last write found different
    // from what was written (empty when all took).
    const std::vector<std::size_t>& NotTakenOffsets() const { return notTaken_; }

    // Where every good read and every write is kept (nullptr: nowhere).
    void SetHistory(EscHistory* history) { history_ = history; }

    // Per list of the table, whether the page shows another entry than the
    // ESC sent at the last read; and the same for the temperature offset.
    std::vector<bool> ChangedLists() const;
    bool TemperatureOffsetChanged() const;
    // Whether the page holds values not yet written to the ESC.
    bool UnsentChanges() const;

    // Why `snapshot` can't be restored onto the ESC as last read (the page
    // not read, another series or firmware version); empty when it can.
    [[nodiscard]] std::string RestoreRefusal(const Bytes& snapshot) const;
    // History's "Restore" (see RestoreSnapshot, which says what changes):
    // shows `changes` and asks, then writes `snapshot` byte-exact
    // (RestoreBlock) the way "Update" writes, reads it back and names
    // whatever did not take. Nothing is written when nothing changes.
    void OnRestore(const Bytes& snapshot, const std::vector<MessageParts>& changes);

    // The page's show and hide operations (see the diagram above).
    void OnShow(bool open);
    void OnHide();

    // The commands.
    void OnConnect();
    void OnDefault();
    void OnUpdate();
    // "Read from ESC": reads the block again, asking first when the page
    // holds changes not yet written.
    void OnReadFromEsc();

    // The user picks an entry (-1: none) or edits the temperature offset.
    void Select(std::size_t list, int index);
    void SetTemperatureOffset(const std::string& text);

    // The serial control's receive event and the page's timer ticks.
    void OnComm() override;
    void OnTimer(int id) override;

    // The block "Update" would send now, or the message that refuses it.
    [[nodiscard]] Bytes BuildWriteBlock(std::string& refusal) const;
    // What "Update" would change in the ESC as last read, one line per
    // parameter ("PWM Rate: 8 KHz -> 16 KHz"); empty when nothing changes or
    // the page would be refused.
    std::vector<MessageParts> UpdateChanges() const;

private:
    void BeforeNotify() override;
    void IdentityEnded() override;
    void ClearPage();
    // The read "Update" makes before it writes: the same ESC, or a stop.
    void TakeCheckRead(const Bytes& block);
    void TakeReadBlock(const Bytes& block);
    // A read answered by an ESC of another series: the page shows nothing of
    // it and offers no Update (its own page reads it).
    void TakeOtherSeriesRead(const Bytes& block);
    void Keep(int reason, const Bytes& block);
    void SendWrite(const Bytes& block);
    void OnWriteTaken();
    void OnReadBack(const Bytes& block);
    void SetText(EscField field, std::string text);

    const EscSeriesTable& table_;
    EscParamState state_;
    ThrottleCalibration calibration_;
    Bytes lastRead_;
    Bytes otherSeriesRead_;
    Bytes lastWrite_;
    bool restoring_ = false;  // the write outstanding puts a snapshot back
    bool verifying_ = false;  // the read after a write is outstanding
    bool checking_ = false;   // the read before a write is outstanding
    Bytes pendingWrite_;      // the block that write sends
    std::vector<std::size_t> notTaken_;
    EscHistory* history_ = nullptr;
};

}  // namespace tavix
