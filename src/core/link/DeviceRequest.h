#pragma once
// The one request engine every device exchange goes through: the main form's
// identification, upload and clear, the ESC parameter pages, the logger page
// and the firmware download. It holds the request outstanding, sends its frame,
// collects the reply bytes the serial control hands over, checks them and
// counts the ticks of the request's own timer. It owns no port and no timer:
// the session that owns it forwards its receive events and timer ticks.
//
// One request is outstanding at a time. Its timer id is its command code and
// ticks every 100 ms from Send. A tick of another timer is not counted.
//
//   idle --Send--> waiting --good reply--> idle       (OnComm returns the reply)
//                     |
//                     +-- tick N (the session's limit) --> timed out
//                          the timer is stopped; a good reply that still
//                          comes is returned (the ESC pages take it), unless
//                          the session called Cancel (the main form does)
//
// The reply check: the expected reply length of the command (for a memory
// read, the reply's own length field), a CRC over all but the last two of
// those bytes, and then the header must name the request outstanding: its
// command, and its address and length (a block or memory read answers the
// address and length asked for; a write is acknowledged with the address
// written). A whole reply that names another request (a late duplicate of an
// earlier answer after a request was lost on the line) is dropped like a bad
// CRC, counted for the time-out's detail, and the time-out runs on: taking it
// would fill the next upload block with the previous one's data, or count a
// firmware block as written that the ESC never saw. On a clean line the first receive event holds
// exactly the reply. When the bytes received do not begin with an acceptable reply (an adapter's
// noise byte when the port opens, a stray byte from an earlier exchange), the
// engine looks further into them, and into bytes still arriving, for one that
// passes the check; a garbled answer still ends in the time-out. The search
// is incremental: each byte is looked at once as a possible start, and a start
// whose reply has not all arrived is checked again only once its last byte is
// there, so a flood of noise (a device sending one byte without pause) costs a
// bounded amount of work per byte instead of a rescan of everything kept.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "link/Frame.h"

namespace tavix {

class CMSComm;
class TimerHost;

inline constexpr int kRequestTickMs = 100;
// Most requests time out on the 31st tick without a good reply (about 3.1 s);
// the main form's identification on the 30th.
inline constexpr int kTimeoutTick = 31;
inline constexpr int kIdentifyTimeoutTick = 30;

// The device pages' bar (0-100) shows activity, not progress: one step of 20
// per tick of the request's timer, starting again from 0 past 100; 100 when a
// good reply came, 0 after a failure.
inline constexpr int kActivityMax = 100;
inline constexpr int kActivityStep = 20;
constexpr int NextActivityStep(int position) {
    return position + kActivityStep > kActivityMax ? 0 : position + kActivityStep;
}

// How a reply is matched to the request.
enum class ReplyMatch {
    PendingCommand,  // only the awaited command's byte may start a reply
    OwnCommand,      // any command's byte may start one (the shortest reply is
                     // listened for): another request's whole reply is then
                     // recognised, counted and skipped as a whole
};

// A whole reply with a good CRC that named another request than the one
// outstanding.
struct ForeignReply {
    std::uint8_t command = 0;
    std::uint16_t address = 0;
    std::uint16_t length = 0;
    bool operator==(const ForeignReply&) const = default;
};

// A reply that passed the check.
struct DeviceReply {
    std::uint8_t command = 0;
    std::uint16_t address = 0;
    std::uint16_t length = 0;
    Bytes data;  // the bytes between the header and the CRC
};

enum class TickOutcome {
    Ignored,   // not the timer of the request outstanding (or none is)
    Waiting,   // counted; the request waits on
    TimedOut,  // counted, and this tick reached the limit: the timer is stopped
};

class DeviceRequest {
public:
    DeviceRequest(CMSComm& comm, TimerHost& timers, ReplyMatch match = ReplyMatch::PendingCommand);
    ~DeviceRequest();
    DeviceRequest(const DeviceRequest&) = delete;
    DeviceRequest& operator=(const DeviceRequest&) = delete;

    // Sends a request and starts its timer (id = command, 100 ms). Bytes still
    // waiting from before belong to no request and are dropped first. Returns
    // false when the frame could not be sent (port closed, or a frame
    // BuildRequest refuses); the timer runs all the same, so the request ends
    // in its time-out as the device pages expect.
    bool Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
              const Bytes& payload = {});

    // The command awaited (0: none) and the ticks counted since it was sent.
    std::uint8_t Pending() const { return pending_; }
    int Ticks() const { return ticks_; }
    bool TimedOut() const { return timedOut_; }

    // Stops the request's timer and forgets it: a late reply is dropped.
    void Cancel();

    // The serial control's receive event: takes the waiting bytes and returns
    // a reply once one has passed the check. The reply's timer is stopped and,
    // when it answers the request outstanding, the request ends.
    std::optional<DeviceReply> OnComm();

    // A timer tick. Counts the ticks of the request's own timer; on the tick
    // numbered `timeoutTick` the timer is stopped and TimedOut returned once.
    TickOutcome OnTimer(int id, int timeoutTick = kTimeoutTick);

    // Bytes received since the last Send that formed no accepted reply, also
    // those still waiting below the threshold (for telling silence from a
    // garbled answer after a time-out).
    std::size_t UnusedBytes() const;
    // What to say below a time-out message: after silence, what to check;
    // after bytes that formed no reply, how many came, since a garbled answer
    // (another device, a wrong baud rate, noise) calls for other help than
    // silence; after an unplug, that the port went away.
    std::string TimeoutDetail() const;
    // `situation` (what the time-out leaves the device in, and what to do)
    // first, then the detail above.
    std::string TimeoutDetail(const char* situation) const;

    // Replies dropped since Send because they answered another request (the
    // first few distinct headers they carried are named by TimeoutDetail).
    int ForeignReplies() const { return foreignCount_; }

    // Bytes run through the reply check's CRC since Send: the work the search
    // for a reply costs, bounded per received byte however long noise lasts.
    std::size_t CheckedBytes() const { return checkedBytes_; }

private:
    std::optional<DeviceReply> TakeReply();
    // The reply starting at `at`: Whole (and acceptable to this request),
    // Incomplete, or anything else for a start that can be forgotten.
    FrameCheck AcceptableAt(std::size_t at, std::size_t& size);
    // Whether a whole reply's header names the request outstanding.
    bool AnswersPending(const DeviceReply& reply) const;
    void NoteForeign(const DeviceReply& reply);
    void ForgetSearch();
    void DropFront(std::size_t count);

    CMSComm& comm_;
    TimerHost& timers_;
    ReplyMatch match_;
    std::uint8_t pending_ = 0;
    std::uint16_t pendingAddress_ = 0;
    std::uint16_t pendingLength_ = 0;
    int foreignCount_ = 0;
    std::vector<ForeignReply> foreign_;
    int ticks_ = 0;
    bool timedOut_ = false;
    int threshold_ = 0;
    Bytes buffer_;
    // The search behind noise: bytes of buffer_ before scanned_ have been
    // looked at as a start; starts_ are those where a reply may still end,
    // each with the buffer size its reply needs once its header is in (0
    // before), so that it is not looked at again until then.
    struct Start {
        std::size_t at = 0;
        std::size_t end = 0;
    };
    std::size_t scanned_ = 0;
    std::vector<Start> starts_;
    std::size_t checkedBytes_ = 0;
};

}  // namespace tavix
