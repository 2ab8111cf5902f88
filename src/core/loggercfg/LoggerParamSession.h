#pragma once
// The logger page: reads the logger's 64-byte header, shows its cycle-record
// mode, sampling rate and number of stored flights, and writes the eight
// parameter bytes at header offsets 16-23 back.
//
//   header offset  16-17 last address of record memory  (kept, not shown)
//                  18-19 first record address, 64        (kept, not shown)
//                  20    cycle recording: 1 = "reverse", anything else "not reverse"
//                  21    not the page's: sent back as read
//                  22    sampling rate in samples per second
//                  23    not the page's: sent back as read
//                  31    flights stored, "Flight Times:"  (read only)
//
//                 show, reset flag set
//   Not linked ---------------------------> Reading
//   reset flag set                          cmd 4 0/64, timer 4
//        ^       31st tick of timer 4         |         ^
//        +---- "Time out, connect failure!" --+         | the next show after an
//                                             |         | update: what is shown
//                                good cmd 4   v         | stays until the answer
//                                reply      Linked -----+ replaces it
//                                           Update enabled, reset flag clear;
//                                           any other show only opens the port
//                                             |  ^
//                     "Update", answered Yes  |  | good cmd 14 reply:
//                                             v  | "Logger parameter value updated!"
//                                           Updating
//                                           cmd 14 16/8, timer 14
//                                             |
//                     31st tick of timer 14   v
//                                           "Time out, update failure!": Update
//                                           disabled, values kept; the next show
//                                           reads the header (Reading)
//
// A reply is matched by its own first byte: a good command-14 reply that comes
// while the header read is awaited is still an update confirmation, and a good
// header that comes late is still shown. Hiding the page closes the port; a
// request still outstanding then ends in its time-out.
//
// "Clear Data" on the main form borrows the port: OnLendPort closes it (and
// forgets the request outstanding, whose reply could no longer come), and
// OnPortReturned opens it again and reads the header, since the main form has
// just changed the logger's memory.
//
// Every change of the state happens before a message box is shown: a box
// still lets timers and serial events run, and they must find the state whole.

#include <cstdint>
#include <functional>
#include <memory>

#include "base/Bytes.h"
#include "device/DeviceLine.h"

namespace tavix {

class CMSComm;
class Prompt;
class TimerHost;

// Header layout, offsets from address 0.
inline constexpr std::uint16_t kLoggerHeaderLength = 64;
inline constexpr std::uint16_t kLoggerParamAddress = 16;  // first byte "Update" writes
inline constexpr std::uint16_t kLoggerParamLength = 8;
inline constexpr std::size_t kHeaderCycleOffset = 20;
inline constexpr std::size_t kHeaderRateOffset = 22;
inline constexpr std::size_t kHeaderFlightCountOffset = 31;

// "Default Value": factory values for offsets 16-22.
inline constexpr std::uint16_t kDefaultLastAddress = 0x8000;
inline constexpr std::uint16_t kDefaultFirstAddress = 64;
inline constexpr int kDefaultCycleIndex = 0;  // "not reverse"
inline constexpr int kDefaultRateIndex = 2;   // "3 ps"

// What the page shows.
struct LoggerParamState {
    bool visible = false;        // the page is shown; its buttons work only then (the line's)
    bool portOpen = false;       // the page's port opened ("Connect" enabled)
    bool linked = false;         // the connected icon
    bool updateEnabled = false;  // a header was read and no request is outstanding
    bool busy = false;           // a request is outstanding
    int cycleIndex = -1;         // "Cycle Record:" selection, -1 = none
    int rateIndex = -1;          // "Sampling Rate:" selection, -1 = none
    int flightCount = 0;         // "Flight Times:"
    int progress = 0;            // "Status:" bar, 0-100
};

class LoggerParamSession : public DeviceLine {
public:
    // `port` names the port to open at every show.
    LoggerParamSession(CMSComm& comm, TimerHost& timers, Prompt& prompt, PortSource port);

    const LoggerParamState& State() const { return state_; }
    // Header words 16 and 18 as last read or set by "Default Value".
    std::uint16_t LastAddress() const { return lastAddress_; }
    std::uint16_t FirstAddress() const { return firstAddress_; }
    // The eight bytes "Update" sends to header offsets 16-23.
    Bytes UpdatePayload() const;
    // The rate the logger held at the last read, also when the list has none such.
    std::uint8_t RateByteRead() const { return header_[kHeaderRateOffset - kLoggerParamAddress]; }

    // The main form shows the page (open: take the port) or hides it.
    void OnShow(bool open);
    void OnHide();
    // Buttons; each does nothing while the page is hidden.
    void OnConnect();
    void OnDefault();
    void OnUpdate();
    // The user picked an entry of a list (-1: none).
    void OnCycleSelected(int index);
    void OnRateSelected(int index);
    // "Clear Data" on the main form takes the port and gives it back.
    void OnLendPort();
    void OnPortReturned();

    // Events (wired to the serial control and the timer host by the line).
    void OnComm() override;
    void OnTimer(int id) override;

private:
    void Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
              const Bytes& payload = {});
    void OnHeader(const Bytes& header);
    void OnUpdated();
    void BeforeNotify() override;
    void IdentityEnded() override;
    // The read of the ESC's block before a write: the same ESC, or a stop.
    void TakeCheckRead(const Bytes& block);
    void ClearShown();

    LoggerParamState state_;
    // The next show reads the header again without clearing the page: after
    // an update, so that what the page shows is what the logger took.
    bool reread_ = false;
    bool headerRead_ = false;  // Update may be offered
    bool checking_ = false;    // the read before a write is outstanding
    std::uint16_t lastAddress_ = 0;
    std::uint16_t firstAddress_ = 0;
    // Header bytes 16-23 as last read: bytes 21 and 23, which the page does
    // not own, and the rate go back unchanged.
    Bytes header_ = Bytes(kLoggerParamLength, 0);
};

}  // namespace tavix
