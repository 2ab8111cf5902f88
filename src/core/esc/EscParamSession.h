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
#include "esc/EscSeries.h"
#include "link/DeviceRequest.h"
#include "link/PortName.h"

namespace tavix {

class CMSComm;
class Prompt;
class TimerHost;

enum class EscPhase { Fresh, Reading, NotLinked, Linked, Writing, WriteFailed };

inline constexpr int kEscReadTimer = 3;    // = kCmdReadBlock
inline constexpr int kEscWriteTimer = 15;  // = kCmdWriteBlock

// What the page shows.
struct EscParamState {
    EscPhase phase = EscPhase::Fresh;
    bool resetFlag = true;  // the next show clears the page and reads again
    // The four groups of the firmware version, 4 bytes each as the ESC sent
    // them (an edit box shows a group up to a zero byte); empty before a read.
    std::array<std::string, kEscVersionGroups> version;
    std::vector<int> selection;  // per list of the table: entry index, -1 none
    std::array<std::string, kEscFieldCount> texts;
    int progress = 0;        // 0-100
    bool connected = false;  // status icon
    bool updateEnabled = false;
    bool connectEnabled = false;  // the port opened on the last show

    const std::string& Text(EscField field) const { return texts[static_cast<std::size_t>(field)]; }
};

// The throttle calibration of an Ostrin ESC, in half microseconds.
struct ThrottleCalibration {
    int reverse = 0;
    int neutral = 0;
    int forward = 0;
    bool InOrder() const { return reverse < neutral && neutral < forward; }
};

class EscParamSession {
public:
    // Takes over `comm`'s receive event and `timers`' handler. `port` names
    // the port to open at each show.
    EscParamSession(const EscSeriesTable& table, CMSComm& comm, TimerHost& timers, Prompt& prompt,
                    PortSource port);
    ~EscParamSession();
    EscParamSession(const EscParamSession&) = delete;
    EscParamSession& operator=(const EscParamSession&) = delete;

    const EscSeriesTable& Table() const { return table_; }
    const EscParamState& State() const { return state_; }
    const ThrottleCalibration& Calibration() const { return calibration_; }
    // The block of the last good read reply (empty before one): the kept
    // bytes of the next write come from it.
    const Bytes& LastRead() const { return lastRead_; }
    // The block of the last write request sent (empty before one).
    const Bytes& LastWrite() const { return lastWrite_; }

    // Whether the page is on screen now; the commands do nothing while not.
    void SetVisible(bool visible) { visible_ = visible; }
    bool Visible() const { return visible_; }

    // The page's show and hide operations (see the diagram above).
    void OnShow(bool open);
    void OnHide();

    // The commands.
    void OnConnect();
    void OnDefault();
    void OnUpdate();

    // The user picks an entry (-1: none) or edits the temperature offset.
    void Select(std::size_t list, int index);
    void SetTemperatureOffset(const std::string& text);

    // The serial control's receive event and the page's timer ticks.
    void OnComm();
    void OnTimer(int id);

    // The block "Update" would send now, or the message that refuses it.
    Bytes BuildWriteBlock(std::string& refusal) const;

    std::function<void()> changed;

private:
    void Notify();
    bool OpenPort();
    void ClearPage();
    void TakeReadBlock(const Bytes& block);
    void SetText(EscField field, std::string text);

    const EscSeriesTable& table_;
    CMSComm& comm_;
    TimerHost& timers_;
    Prompt& prompt_;
    PortSource port_;
    DeviceRequest request_;
    EscParamState state_;
    ThrottleCalibration calibration_;
    Bytes lastRead_;
    Bytes lastWrite_;
    bool visible_ = false;
};

// The temperature offset box as the byte it writes: the leading digits read
// as a decimal number, kept to its low 8 bits ("300" -> 44; "" -> 0).
std::uint8_t TemperatureOffsetByte(const std::string& text);

// Steps the progress bar once: +20, starting again from 0 past 100.
int StepProgress(int position);

}  // namespace tavix
