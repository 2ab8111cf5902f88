#include "link/DeviceRequest.h"

#include "base/FormatText.h"
#include "link/CMSComm.h"
#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

// Bytes kept while looking for a reply in noise: a few replies' worth.
constexpr std::size_t kMaxCollected = 4 * kReceiveBufferSize;

bool IsReplyCommand(std::uint8_t command) {
    switch (command) {
        case kCmdReadBlock:
        case kCmdReadMemory:
        case kCmdWriteMemory:
        case kCmdWriteBlock:
        case kCmdWriteFirmware:
            return true;
        default:
            return false;
    }
}

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
    pending_ = command;
    pendingLength_ = length;
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
}

std::optional<DeviceReply> DeviceRequest::OnComm() {
    if (comm_.CommEvent() != kCommEvReceive) {
        return std::nullopt;
    }
    const Bytes input = comm_.Input();
    if (pending_ == 0) {
        buffer_.clear();
        return std::nullopt;  // nothing awaited: a late reply after Cancel
    }
    buffer_.insert(buffer_.end(), input.begin(), input.end());
    if (buffer_.size() > kMaxCollected) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(
                                                             buffer_.size() - kMaxCollected));
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

std::size_t DeviceRequest::AcceptableAt(std::size_t at, bool& incomplete) const {
    const std::uint8_t command = buffer_[at];
    const bool commandFits =
        match_ == ReplyMatch::PendingCommand ? command == pending_ : IsReplyCommand(command);
    if (!commandFits) {
        return 0;
    }
    const std::size_t available = buffer_.size() - at;
    if (available < kFrameOverhead) {
        incomplete = true;
        return 0;
    }
    const std::uint16_t length = Word(buffer_, at + 3);
    // A memory read answers with as many bytes as were asked for; a reply for
    // another length answers some other request.
    if (command == kCmdReadMemory && pending_ == kCmdReadMemory && length != pendingLength_) {
        return 0;
    }
    const std::size_t expected = ExpectedReplyLength(command, length);
    if (expected < kFrameOverhead || expected > kReceiveBufferSize) {
        return 0;
    }
    if (expected > available) {
        incomplete = true;
        return 0;
    }
    const std::uint16_t crc = Crc16(buffer_.data() + at, expected - 2);
    return crc == Word(buffer_, at + expected - 2) ? expected : 0;
}

std::optional<DeviceReply> DeviceRequest::TakeReply() {
    bool incomplete = false;
    for (std::size_t at = 0; at < buffer_.size(); ++at) {
        const std::size_t size = AcceptableAt(at, incomplete);
        if (size == 0) {
            continue;
        }
        DeviceReply reply;
        reply.command = buffer_[at];
        reply.address = Word(buffer_, at + 1);
        reply.length = Word(buffer_, at + 3);
        reply.data.assign(buffer_.begin() + static_cast<std::ptrdiff_t>(at + 5),
                          buffer_.begin() + static_cast<std::ptrdiff_t>(at + size - 2));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(at + size));
        timers_.StopTimer(reply.command);
        if (reply.command == pending_) {
            pending_ = 0;
            timedOut_ = false;
        }
        return reply;
    }
    return std::nullopt;
}

std::size_t DeviceRequest::UnusedBytes() const {
    return buffer_.size() + comm_.InBufferCount();
}

std::string DeviceRequest::TimeoutDetail() const {
    const std::size_t bytes = UnusedBytes();
    if (bytes == 0) {
        return {};
    }
    return FormatText(kDetailGarbledReply, static_cast<unsigned long>(bytes));
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
