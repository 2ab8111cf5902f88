// tavix-cli logger: the "3.Logger Configuration" page without a window.
#include <charconv>
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "loggercfg/LoggerCfgMessages.h"
#include "loggercfg/LoggerParamSession.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli logger read [--port PORT] [--config FILE]\n"
    "       tavix-cli logger write [--cycle on|off] [--rate N] [--port PORT] [--config FILE]\n"
    "\n"
    "read   reads the logger's header as the \"3.Logger Configuration\" page does and\n"
    "       prints its cycle recording, sampling rate and number of stored flights.\n"
    "write  reads the header, then writes the parameters back as \"Update\" does,\n"
    "       with the changes asked for, and reads them back.\n"
    "\n"
    "  --cycle on|off  cycle recording: on (\"reverse\") or off (\"not reverse\")\n"
    "  --rate N        samples per second: 1, 2, 3, 5, 10, 15 or 30\n"
    "  --port PORT     a device path, COMn, or demo (the built-in simulated device);\n"
    "                  default: the port stored in config.ini\n";

// A header read or an update takes at most 3.1 s before its own time-out.
constexpr int kRequestLimitMs = 10000;
constexpr const char* kMsgNoEnd = "The logger did not answer in time.";

std::string RateChoices() {
    std::string text;
    for (const SamplingRate& rate : kSamplingRates) {
        text += (text.empty() ? "" : ", ") + std::to_string(rate.value);
    }
    return text;
}

// The page's session on the real port (or the demo device) and Qt timers.
class LoggerPage {
public:
    LoggerPage(Settings& settings, StreamPrompt& prompt, const std::string& portOption)
        : comm_(MakeSerialBackend(portOption)),
          session_(comm_, timers_, prompt, [portOption, &settings] {
              return ResolvePort(portOption, settings.config.comPort, settings.ini);
          }) {}

    LoggerParamSession& Session() { return session_; }

    // Shows the page, which opens the port and reads the header. True once
    // the header has been read; the reason otherwise has been printed.
    bool Read() {
        session_.OnShow(true);
        return Wait() && session_.State().linked;
    }
    // Hides the page and shows it again, which reads the header after an update.
    bool ReadAgain() {
        session_.OnHide();
        return Read();
    }
    // Runs until no request is outstanding.
    bool Wait() {
        if (!session_.State().portOpen) {
            return false;  // the port did not open; the reason has been printed
        }
        return DeviceSession::RunUntil([this] { return !session_.State().busy; }, kRequestLimitMs);
    }

private:
    QtTimerHost timers_;
    CMSComm comm_;
    LoggerParamSession session_;
};

void PrintParameters(const Io& io, const LoggerParamSession& session) {
    const LoggerParamState& s = session.State();
    io.out << kLabelCycleRecord << "  "
           << (s.cycleIndex >= 0 ? kCycleTexts[static_cast<std::size_t>(s.cycleIndex)] : "")
           << '\n';
    io.out << kLabelSamplingRate << ' ';
    if (s.rateIndex >= 0) {
        io.out << kSamplingRates[static_cast<std::size_t>(s.rateIndex)].text << '\n';
    } else {
        io.out << "none of the list (the logger holds " << static_cast<int>(session.RateByteRead())
               << " per second)\n";
    }
    io.out << kLabelFlightTimes << "  " << s.flightCount << '\n';
}

}  // namespace

int RunLogger(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    const std::string& action = parsed.positional.front();
    if (action != "read" && action != "write") {
        return call.UsageError("unknown action " + action + ": say read or write");
    }
    const bool write = action == "write";
    if (!write && (parsed.Has("--cycle") || parsed.Has("--rate"))) {
        return call.UsageError("--cycle and --rate belong to logger write");
    }
    int cycleIndex = -1;
    if (parsed.Has("--cycle")) {
        const std::string cycle = parsed.Get("--cycle");
        if (cycle != "on" && cycle != "off") {
            return call.UsageError("--cycle takes on or off");
        }
        cycleIndex = cycle == "on" ? 1 : 0;
    }
    int rateIndex = -1;
    if (parsed.Has("--rate")) {
        const std::string text = parsed.Get("--rate");
        int value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc() && result.ptr == text.data() + text.size() && value > 0 &&
            value <= 255) {
            rateIndex = RateIndexOf(static_cast<std::uint8_t>(value));
        }
        if (rateIndex < 0) {
            return call.UsageError("--rate takes one of " + RateChoices());
        }
    }

    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    LoggerPage page(*settings, prompt, parsed.Get("--port"));
    if (!page.Read()) {
        return kExitRefused;
    }
    if (!write) {
        PrintParameters(io, page.Session());
        return kExitOk;
    }

    LoggerParamSession& session = page.Session();
    if (cycleIndex >= 0) {
        session.OnCycleSelected(cycleIndex);
    }
    if (rateIndex >= 0) {
        session.OnRateSelected(rateIndex);
    }
    const std::size_t shownBefore = prompt.shown.size();
    session.OnUpdate();
    if (!page.Wait()) {
        io.err << kMsgNoEnd << '\n';
        return kExitRefused;
    }
    bool updated = false;
    for (std::size_t i = shownBefore; i < prompt.shown.size(); ++i) {
        updated = updated || prompt.shown[i] == kMsgLoggerUpdated;
    }
    if (!updated) {
        return kExitRefused;  // the time-out has been printed
    }
    // What the logger now holds, read back.
    if (!page.ReadAgain()) {
        return kExitRefused;
    }
    PrintParameters(io, session);
    return kExitOk;
}

const Command kLoggerCommand{"logger",
                             "read or write the logger's cycle recording and sampling rate",
                             kUsage,
                             {{"--port"}, {"--config"}, {"--cycle"}, {"--rate"}},
                             1,
                             1,
                             "say read or write",
                             RunLogger};

}  // namespace tavix::cli
