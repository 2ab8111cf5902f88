// tavix-devsim: a simulated ESC (and flight data logger) on a pseudo-terminal.
//
// Prints the path of the terminal to open (e.g. /dev/pts/4) on stdout, then
// answers requests on it in real time, with the chosen faults, until
// interrupted (Ctrl+C) or terminated. Point the program at it with
// `--port /dev/pts/4`, or put the path in config.ini as [communicateset] com<n>.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/Frame.h"
#include "link/FrameParser.h"
#include "sim/SimDevice.h"

namespace {

using Clock = std::chrono::steady_clock;
using tavix::Bytes;
namespace sim = tavix::sim;

constexpr const char* kUsage =
    "Usage: tavix-devsim [options]\n"
    "Serves a simulated device on a pseudo-terminal and prints its path.\n"
    "\n"
    "Device:\n"
    "  --device tarrow|velmor|ostrin|peldan   ESC series (default tarrow, the one with a logger)\n"
    "  --memory normal|wrapped|empty          logger memory (default normal)\n"
    "Faults:\n"
    "  --silent               never answer\n"
    "  --bad-crc              answer with a wrong CRC\n"
    "  --wrong-command        answer with a wrong command byte\n"
    "  --pieces N             send each reply in N pieces\n"
    "  --byte-by-byte         send each reply one byte at a time\n"
    "  --stray N              put N noise bytes in front of each reply\n"
    "  --delay MS             wait MS milliseconds before each reply\n"
    "  --disconnect-after N   stop answering after N record blocks\n"
    "  --disconnect-after-firmware N\n"
    "                         stop answering after N firmware blocks\n"
    "  --pace                 960 bytes/s, like a 9600-baud line\n"
    "Other:\n"
    "  --verbose              log every request and reply on stderr\n"
    "  --help                 show this text\n";

constexpr int kUsageError = 2;
constexpr auto kIdleReset = std::chrono::milliseconds(50);

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

struct Options {
    sim::Series series = sim::Series::Tarrow;
    std::optional<std::string> memory;
    sim::SimFaults faults;
    bool verbose = false;
};

int UsageError(const std::string& problem) {
    std::fprintf(stderr, "tavix-devsim: %s\nTry 'tavix-devsim --help'.\n", problem.c_str());
    return kUsageError;
}

// A whole non-negative decimal number within [min, max].
std::optional<int> Number(const std::string& text, int min, int max) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

// Returns 0 to go on, -1 after --help, or the exit code of a usage error.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                return false;
            }
            out = argv[++i];
            return true;
        };
        auto numberOption = [&](int min, int max, int& target) {
            std::string text;
            if (!value(text)) {
                return UsageError(arg + " needs a value");
            }
            const auto n = Number(text, min, max);
            if (!n) {
                return UsageError(arg + " takes a whole number from " + std::to_string(min) +
                                  " to " + std::to_string(max) + ", not '" + text + "'");
            }
            target = *n;
            return 0;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return -1;
        } else if (arg == "--device") {
            if (!value(text)) {
                return UsageError("--device needs a value");
            }
            const auto series = sim::SeriesFromName(text);
            if (!series) {
                return UsageError("unknown device '" + text + "' (tarrow, velmor, ostrin, peldan)");
            }
            options.series = *series;
        } else if (arg == "--memory") {
            if (!value(text)) {
                return UsageError("--memory needs a value");
            }
            if (text != "normal" && text != "wrapped" && text != "empty") {
                return UsageError("unknown memory '" + text + "' (normal, wrapped, empty)");
            }
            options.memory = text;
        } else if (arg == "--silent") {
            options.faults.silent = true;
        } else if (arg == "--bad-crc") {
            options.faults.badCrc = true;
        } else if (arg == "--wrong-command") {
            options.faults.wrongCommand = true;
        } else if (arg == "--byte-by-byte") {
            options.faults.byteByByte = true;
        } else if (arg == "--pace") {
            options.faults.pace = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--pieces") {
            if (int rc = numberOption(1, 65535, options.faults.pieces)) {
                return rc;
            }
        } else if (arg == "--stray") {
            if (int rc = numberOption(0, 1024, options.faults.strayBytes)) {
                return rc;
            }
        } else if (arg == "--delay") {
            if (int rc = numberOption(0, 600000, options.faults.delayMs)) {
                return rc;
            }
        } else if (arg == "--disconnect-after") {
            if (int rc = numberOption(0, 65535, options.faults.disconnectAfterBlocks)) {
                return rc;
            }
        } else if (arg == "--disconnect-after-firmware") {
            if (int rc = numberOption(0, 65535, options.faults.disconnectAfterFirmwareBlocks)) {
                return rc;
            }
        } else {
            return UsageError("unknown option '" + arg + "'");
        }
    }
    return 0;
}

std::string Describe(const tavix::DeviceFrame& frame) {
    char text[96];
    std::snprintf(text, sizeof text, "command %u, address 0x%04X, length %u", frame.command,
                  frame.address, frame.length);
    return text;
}

// One pseudo-terminal with the device behind it.
class Server {
public:
    Server(sim::SimDevice& device, bool verbose) : device_(device), verbose_(verbose) {}
    ~Server() {
        if (master_ >= 0) {
            close(master_);
        }
        if (slave_ >= 0) {
            close(slave_);
        }
    }

    bool Open(std::string& path, std::string& error) {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
            error = std::strerror(errno);
            return false;
        }
        termios raw{};
        tcgetattr(slave_, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave_, TCSANOW, &raw);
        // The slave stays open here as well, so the master keeps working while
        // the program closes and reopens its side between operations.
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        path = name;
        return true;
    }

    int Run() {
        while (gStop == 0) {
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

private:
    struct Chunk {
        Clock::time_point due;
        Bytes bytes;
    };

    int Timeout(Clock::time_point now) const {
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

    void Receive() {
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
            Schedule(reply, tavix::kFrameOverhead + frame->data.size());
        }
        if (verbose_ && parser_.BadCrcFrames() > badBefore) {
            std::fprintf(stderr, "<- request with a bad CRC (no reply)\n");
        }
    }

    void Schedule(const Bytes& reply, std::size_t requestSize) {
        const auto base = std::max(Clock::now(), lineFree_);
        for (auto& chunk : sim::PlanDelivery(reply, requestSize, device_.Faults())) {
            const auto due = base + std::chrono::microseconds(chunk.atUs);
            out_.push_back(Chunk{due, std::move(chunk.bytes)});
            lineFree_ = due;
        }
        if (verbose_ && !reply.empty()) {
            std::fprintf(stderr, "-> %zu bytes\n", reply.size());
        }
    }

    void Flush(Clock::time_point now) {
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

    sim::SimDevice& device_;
    bool verbose_;
    int master_ = -1;
    int slave_ = -1;
    tavix::FrameParser parser_{tavix::FrameDirection::Request};
    std::deque<Chunk> out_;
    Clock::time_point lineFree_{};
    Clock::time_point lastReceived_{};
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int rc = ParseOptions(argc, argv, options); rc != 0) {
        return rc < 0 ? 0 : rc;
    }

    sim::SimDevice device(options.series);
    device.SetFaults(options.faults);
    if (options.memory) {
        if (!device.HasLogger()) {
            std::fprintf(stderr, "tavix-devsim: the %s has no logger; --memory is ignored\n",
                         device.Profile().name);
        } else if (*options.memory == "wrapped") {
            device.LoadMemory(sim::WrappedMemoryPlan());
        } else if (*options.memory == "empty") {
            device.LoadMemory(sim::EmptyMemoryPlan());
        } else {
            device.LoadMemory(sim::NormalMemoryPlan());
        }
    }

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Server server(device, options.verbose);
    std::string path;
    std::string error;
    if (!server.Open(path, error)) {
        std::fprintf(stderr, "tavix-devsim: cannot open a pseudo-terminal: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    if (options.verbose) {
        std::fprintf(stderr, "serving %s (%s)\n", device.Profile().name, device.Version().c_str());
    }
    return server.Run();
}
