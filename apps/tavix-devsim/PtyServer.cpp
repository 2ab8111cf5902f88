#include "PtyServer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "link/Frame.h"

namespace tavix::sim {

namespace {

// A request that stops arriving for this long is forgotten.
constexpr auto kIdleReset = std::chrono::milliseconds(50);

std::string Describe(const DeviceFrame& frame) {
    char text[96];
    std::snprintf(text, sizeof text, "command %u, address 0x%04X, length %u", frame.command,
                  frame.address, frame.length);
    return text;
}

}  // namespace

PtyServer::PtyServer(SimDevice& device, bool verbose) : device_(device), verbose_(verbose) {}

bool PtyServer::Open(std::string& path, std::string& error) {
    if (!pty_.Open(error)) {
        return false;
    }
    master_ = pty_.Master();
    path = pty_.Path();
    return true;
}

// A flight flown on signal: a minute at 5 samples a second.
constexpr int kFlownSamples = 300;

int PtyServer::Run(const volatile std::sig_atomic_t& stop, volatile std::sig_atomic_t& swap,
                   volatile std::sig_atomic_t& fly, volatile std::sig_atomic_t& unplug) {
    while (stop == 0) {
        if (fly != 0) {
            fly = 0;
            if (device_.AppendFlight(kFlownSamples)) {
                std::fprintf(stderr,
                             "tavix-devsim: the logger recorded a new flight of %d samples\n",
                             kFlownSamples);
            } else {
                std::fprintf(stderr, "tavix-devsim: the logger took no new flight (%s)\n",
                             device_.HasLogger() ? "it holds 16 flights, or its memory is full"
                                                 : "this ESC has no logger");
            }
        }
        if (unplug != 0) {
            unplug = 0;
            SimFaults& faults = device_.MutableFaults();
            faults.silent = !faults.silent;
            std::fprintf(stderr, "tavix-devsim: %s\n",
                         faults.silent ? "unplugged (silent)" : "plugged in again");
        }
        if (swap != 0) {
            swap = 0;
            const auto next = static_cast<Series>((static_cast<int>(device_.GetSeries()) + 1) % 4);
            device_.SwapEsc(next);
            std::fprintf(stderr, "tavix-devsim: now a %s (%s)\n", device_.Profile().name,
                         device_.Version().c_str());
        }
        const auto now = Clock::now();
        Flush(now);
        if (parser_.Buffered() > 0 && now - lastReceived_ >= kIdleReset) {
            parser_.Reset();  // a request that never finished
        }
        pollfd fd{master_, POLLIN, 0};
        if (!out_.empty() && out_.front().due <= now) {
            fd.events |= POLLOUT;  // waiting for room to write
        }
        const int rc = poll(&fd, 1, Timeout(now));
        if (rc < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::perror("tavix-devsim: poll");
            return 1;
        }
        if ((fd.revents & POLLIN) != 0) {
            Receive();
        }
    }
    return 0;
}

int PtyServer::Timeout(Clock::time_point now) const {
    // Wake for the next chunk, the idle reset, or at least a few times a
    // second to notice a signal that came just before poll.
    auto wait = std::chrono::milliseconds(200);
    // A chunk already due is waiting for room on the terminal: POLLOUT
    // wakes us for it, so it must not turn poll into a busy loop.
    if (!out_.empty() && out_.front().due > now) {
        wait = std::min(wait, std::chrono::duration_cast<std::chrono::milliseconds>(
                                  out_.front().due - now + std::chrono::microseconds(999)));
    }
    if (parser_.Buffered() > 0) {
        wait = std::min(wait, std::chrono::duration_cast<std::chrono::milliseconds>(
                                  lastReceived_ + kIdleReset - now));
    }
    return static_cast<int>(std::max<std::int64_t>(wait.count(), 0));
}

void PtyServer::Receive() {
    std::uint8_t buf[4096];
    const ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) {
        return;
    }
    lastReceived_ = Clock::now();
    parser_.Feed(buf, static_cast<std::size_t>(n));
    const std::size_t badBefore = parser_.BadCrcFrames();
    while (auto frame = parser_.Next()) {
        const Bytes reply = device_.Answer(*frame);
        if (verbose_) {
            std::fprintf(stderr, "<- %s%s\n", Describe(*frame).c_str(),
                         reply.empty() ? " (no reply)" : "");
        }
        Schedule(reply, kFrameOverhead + frame->data.size());
    }
    if (verbose_ && parser_.BadCrcFrames() > badBefore) {
        std::fprintf(stderr, "<- request with a bad CRC (no reply)\n");
    }
}

void PtyServer::Schedule(const Bytes& reply, std::size_t requestSize) {
    const auto base = std::max(Clock::now(), lineFree_);
    for (auto& chunk : PlanDelivery(reply, requestSize, device_.DeliveryFaults())) {
        const auto due = base + std::chrono::microseconds(chunk.atUs);
        out_.push_back(Chunk{due, std::move(chunk.bytes)});
        lineFree_ = due;
    }
    if (verbose_ && !reply.empty()) {
        std::fprintf(stderr, "-> %zu bytes\n", reply.size());
    }
}

void PtyServer::Flush(Clock::time_point now) {
    while (!out_.empty() && out_.front().due <= now) {
        Bytes& bytes = out_.front().bytes;
        const ssize_t n = write(master_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                return;  // the terminal is full: try again when there is room
            }
            out_.clear();  // nobody to talk to
            return;
        }
        bytes.erase(bytes.begin(), bytes.begin() + n);
        if (!bytes.empty()) {
            return;
        }
        out_.pop_front();
    }
}

}  // namespace tavix::sim
