// tavix-cli clear: "Clear Data" without a window.
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "logger/LoggerMessages.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli clear [--port PORT] [--config FILE]\n"
    "\n"
    "Identifies the device, then clears the flights stored in its logger as\n"
    "\"Clear Data\" does (the logger's flight count becomes 0). The flights\n"
    "cannot be uploaded afterwards.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n";

constexpr const char* kMsgNoLogger =
    "The device has no flight data logger attached: there is nothing to clear.";
// The clear's own time-out comes after 3.1 s.
constexpr int kClearLimitMs = 10000;

}  // namespace

int RunClear(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    DeviceSession session(*settings, prompt, parsed.Get("--port"));
    LoggerLink& link = session.Link();
    if (!session.Identify()) {
        return kExitRefused;
    }
    if (!session.Identity().State().hasLogger) {
        io.err << kMsgNoLogger << '\n';
        return kExitRefused;
    }
    link.OnClearData();
    DeviceSession::RunUntil([&] { return !link.State().busy; }, kClearLimitMs);
    for (const std::string& text : prompt.shown) {
        if (text == kMsgCleared) {
            return kExitOk;
        }
    }
    return kExitRefused;  // the reason has been printed
}

const Command kClearCommand{"clear", "clear the flights stored in the logger",
                            kUsage,  {{"--port"}, {"--config"}},
                            0,       0,
                            nullptr, RunClear};

}  // namespace tavix::cli
