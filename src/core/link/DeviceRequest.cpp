#include "link/DeviceRequest.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/Translate.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

// Bytes kept while looking for a reply in noise: a few replies' worth.
constexpr std::size_t kMaxCollected = 4 * kReceiveBufferSize;
// Distinct headers of foreign replies kept for the time-out's detail.
constexpr std::size_t kMaxForeignKept = 3;

std::uint16_t Word(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

}  // namespace

DeviceRequest::DeviceRequest(CMSComm& comm, TimerHost& timers, ReplyMatch match)
    : comm_(comm), timers_(timers), match_(match) {}

DeviceRequest::~DeviceRequest() {
    if (pending_ != 0) {
        timers_.StopTimer(pending_);
    }
}

bool DeviceRequest::Send(std::uint8_t command, std::uint16_t address, std::uint16_t length,
                         const Bytes& payload) {
    // Whatever is still on the line belongs to no request of ours.
    if (comm_.InBufferCount() > 0) {
        comm_.Input();
    }
    buffer_.clear();
    ForgetSearch();
    checkedBytes_ = 0;
    pending_ = command;
    pendingAddress_ = address;
    pendingLength_ = length;
    foreignCount_ = 0;
    foreign_.clear();
    ticks_ = 0;
    timedOut_ = false;
    // A session that takes any command's reply must hear the shortest one too;
    // the bytes collect until a whole reply is there.
    threshold_ = match_ == ReplyMatch::OwnCommand
                     ? static_cast<int>(kFrameOverhead)
                     : static_cast<int>(ExpectedReplyLength(command, length));
    comm_.SetRThreshold(threshold_);
    const bool sent = comm_.Output(BuildRequest(command, address, length, payload));
    timers_.StartTimer(command, kRequestTickMs);
    return sent;
}

void DeviceRequest::Cancel() {
    if (pending_ != 0) {
        timers_.StopTimer(pending_);
    }
    pending_ = 0;
    timedOut_ = false;
    buffer_.clear();
    ForgetSearch();
}

void DeviceRequest::ForgetSearch() {
    scanned_ = 0;
    starts_.clear();
}

void DeviceRequest::DropFront(std::size_t count) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    scanned_ = scanned_ > count ? scanned_ - count : 0;
    std::size_t kept = 0;
    for (const Start& start : starts_) {
        if (start.at >= count) {
            starts_[kept++] = {start.at - count, start.end == 0 ? 0 : start.end - count};
        }
    }
    starts_.resize(kept);
}

std::optional<DeviceReply> DeviceRequest::OnComm() {
    if (comm_.CommEvent() != kCommEvReceive) {
        return std::nullopt;
    }
    const Bytes input = comm_.Input();
    if (pending_ == 0) {
        buffer_.clear();
        ForgetSearch();
        return std::nullopt;  // nothing awaited: a late reply after Cancel
    }
    buffer_.insert(buffer_.end(), input.begin(), input.end());
    if (buffer_.size() > kMaxCollected) {
        DropFront(buffer_.size() - kMaxCollected);
    }
    std::optional<DeviceReply> reply = TakeReply();
    if (!reply && threshold_ != 1) {
        // The bytes so far hold no acceptable reply: look again at every byte
        // that still comes, since the reply may sit behind noise.
        threshold_ = 1;
        comm_.SetRThreshold(1);
    }
    return reply;
}

FrameCheck DeviceRequest::AcceptableAt(std::size_t at, std::size_t& size) {
    const FrameAt frame =
        CheckFrame(buffer_.data() + at, buffer_.size() - at, FrameDirection::Reply, kMaxReplyData);
    size = frame.size;
    if (frame.check == FrameCheck::Whole || frame.check == FrameCheck::BadCrc) {
        checkedBytes_ += frame.size;
    }
    return frame.check;
}

bool DeviceRequest::AnswersPending(const DeviceReply& reply) const {
    if (reply.command != pending_ || reply.address != pendingAddress_) {
        return false;
    }
    // A read answers with the length asked for; a write's acknowledgement
    // names the address written, and its length field is not relied on.
    const bool read = pending_ == kCmdReadBlock || pending_ == kCmdReadMemory;
    return !read || reply.length == pendingLength_;
}

void DeviceRequest::NoteForeign(const DeviceReply& reply) {
    ++foreignCount_;
    const ForeignReply header{reply.command, reply.address, reply.length};
    if (foreign_.size() < kMaxForeignKept &&
        std::find(foreign_.begin(), foreign_.end(), header) == foreign_.end()) {
        foreign_.push_back(header);
    }
}

std::optional<DeviceReply> DeviceRequest::TakeReply() {
    for (;;) {
        // New bytes: each is looked at once as the start of a reply.
        for (; scanned_ < buffer_.size(); ++scanned_) {
            const std::uint8_t command = buffer_[scanned_];
            const bool fits = match_ == ReplyMatch::PendingCommand ? command == pending_
                                                                   : IsFrameCommand(command);
            if (fits) {
                starts_.push_back({scanned_, 0});
            }
        }
        // The starts still open, first to last: the first whole reply wins; a
        // start that can no longer be a reply is forgotten; one whose bytes
        // have not all come stays (no CRC is spent on it until they have).
        std::size_t kept = 0;
        std::optional<DeviceReply> whole;
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            if (starts_[i].end > buffer_.size()) {
                starts_[kept++] = starts_[i];  // its reply's last byte has not come yet
                continue;
            }
            const std::size_t at = starts_[i].at;
            std::size_t size = 0;
            const FrameCheck check = AcceptableAt(at, size);
            if (check == FrameCheck::Incomplete) {
                starts_[kept++] = {at, size == 0 ? 0 : at + size};
                continue;
            }
            if (check != FrameCheck::Whole) {
                continue;
            }
            whole.emplace();
            whole->command = buffer_[at];
            whole->address = Word(buffer_, at + 1);
            whole->length = Word(buffer_, at + 3);
            whole->data.assign(buffer_.begin() + static_cast<std::ptrdiff_t>(at + 5),
                               buffer_.begin() + static_cast<std::ptrdiff_t>(at + size - 2));
            buffer_.erase(buffer_.begin(),
                          buffer_.begin() + static_cast<std::ptrdiff_t>(at + size));
            ForgetSearch();  // what is left is looked at afresh
            break;
        }
        if (!whole) {
            starts_.resize(kept);
            return std::nullopt;
        }
        if (!AnswersPending(*whole)) {
            NoteForeign(*whole);
            continue;  // dropped as a whole; the reply awaited may follow it
        }
        timers_.StopTimer(pending_);
        pending_ = 0;
        timedOut_ = false;
        return whole;
    }
}

std::size_t DeviceRequest::UnusedBytes() const {
    return buffer_.size() + comm_.InBufferCount();
}

std::string DeviceRequest::TimeoutDetail() const {
    // An unplug cuts a reply short: its bytes say nothing about the device.
    if (comm_.Backend().Vanished()) {
        return FormatShown(kDetailPortVanished, PathText(comm_.CommPort()).c_str());
    }
    std::string detail;
    const std::size_t bytes = UnusedBytes();
    if (bytes > 0) {
        detail = FormatShown(kDetailGarbledReply, static_cast<unsigned long>(bytes));
    } else if (foreignCount_ == 0) {
        detail = FormatShown(kDetailSilence, PathText(comm_.CommPort()).c_str());
    }
    if (foreignCount_ > 0) {
        std::string named;
        for (const ForeignReply& f : foreign_) {
            named += FormatShown(named.empty() ? kDetailForeignHeader : kDetailForeignHeaderMore,
                                 unsigned{f.command}, unsigned{f.address}, unsigned{f.length});
        }
        if (!detail.empty()) {
            detail += "\n";
        }
        detail +=
            FormatShown(kDetailForeignReplies, foreignCount_, named.c_str(), unsigned{pending_},
                        unsigned{pendingAddress_}, unsigned{pendingLength_});
    }
    return detail;
}

std::string DeviceRequest::TimeoutDetail(const char* situation) const {
    const std::string detail = TimeoutDetail();
    return Translate(situation) + (detail.empty() ? "" : "\n" + detail);
}

TickOutcome DeviceRequest::OnTimer(int id, int timeoutTick) {
    if (pending_ == 0 || id != pending_ || timedOut_) {
        return TickOutcome::Ignored;
    }
    ++ticks_;
    if (ticks_ >= timeoutTick) {
        timers_.StopTimer(id);
        timedOut_ = true;
        return TickOutcome::TimedOut;
    }
    return TickOutcome::Waiting;
}

}  // namespace tavix
